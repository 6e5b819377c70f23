#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "base/bit_cast.h"
#include "game/shortest_float.h"

namespace {

std::string shortest(float value) {
    char buf[kShortestFloatChars];
    return std::string(buf, formatShortestFloat(value, buf));
}

}  // namespace

// Each case is a rule of the format: fixed or scientific by length (a tie
// is fixed), whole numbers exact, two exponent digits at least, the nearer
// of two shortest digit strings.
TEST(ShortestFloat, WritesWhatToCharsWrites) {
    const struct {
        const char* name;
        float value;
        const char* text;
    } cases[] = {
        {"a trace's gauge rate", 0.22f, "0.22"},
        {"zero", 0.0f, "0"},
        {"negative zero", -0.0f, "-0"},
        {"fixed when shorter", 639.99994f, "639.99994"},
        {"negative", -15.999999f, "-15.999999"},
        {"nearer of two shortest", 0.1f + 0.2f, "0.3"},
        {"small, scientific when shorter", 0.0001f, "1e-04"},
        {"small, fixed when as long", 0.0009765625f, "0.0009765625"},
        {"small with a long fraction", 0.00123f, "0.00123"},
        {"power of two below a decade", 0x1p-20f, "9.536743e-07"},
        {"whole, zeros dropped in scientific", 100000.0f, "1e+05"},
        {"whole, fixed when as short", 1000.0f, "1000"},
        {"whole, seven digits", 1234567.0f, "1234567"},
        {"whole above 2^24 written exactly", 123456792.0f, "123456792"},
        {"whole above 2^32 written exactly", 12345678848.0f, "12345678848"},
        {"power of two above 2^24", 16777216.0f, "16777216"},
        {"large", 1e20f, "1e+20"},
        {"largest", std::numeric_limits<float>::max(), "3.4028235e+38"},
        {"smallest normal", std::numeric_limits<float>::min(), "1.1754944e-38"},
        {"smallest denormal", std::numeric_limits<float>::denorm_min(), "1e-45"},
        {"infinity", std::numeric_limits<float>::infinity(), "inf"},
        {"negative infinity", -std::numeric_limits<float>::infinity(), "-inf"},
        {"not a number", std::numeric_limits<float>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases) EXPECT_EQ(shortest(c.value), c.text) << "case: " << c.name;
}

// Every result reads back as the very same float, on the platform's own
// reader, across the whole range of exponents.
TEST(ShortestFloat, ReadsBackAsTheSameFloat) {
    std::mt19937 random(20);
    int failures = 0;
    for (int i = 0; i < 200000 && failures < 5; ++i) {
        const float value = bitCast<float>(static_cast<uint32_t>(random()) & 0x7F7FFFFFu);
        const std::string text = shortest(value);
        const float back = std::strtof(text.c_str(), nullptr);
        if (bitCast<uint32_t>(back) != bitCast<uint32_t>(value)) {
            ++failures;
            ADD_FAILURE() << "case: bits " << std::hex << bitCast<uint32_t>(value) << " written " << text;
        }
    }
}
