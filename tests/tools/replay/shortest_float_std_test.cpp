// The replay's float writer against the standard library's std::to_chars,
// where the standard library has it: the traces of every platform depend on
// the two agreeing character for character.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include "base/bit_cast.h"
#include "game/shortest_float.h"

namespace {

// Compares the two writers on one float; false (with a failure naming it)
// when they differ.
bool agrees(uint32_t bits, const char* group) {
    const float value = bitCast<float>(bits);
    char want[64];
    const auto end = std::to_chars(want, want + sizeof want, value).ptr;
    char got[kShortestFloatChars];
    const size_t n = formatShortestFloat(value, got);
    if (std::string(got, n) == std::string(want, end)) return true;
    ADD_FAILURE() << "case: " << group << ", bits " << std::hex << bits << ": wrote " << std::string(got, n)
                  << ", to_chars writes " << std::string(want, end);
    return false;
}

}  // namespace

TEST(ShortestFloat, AgreesWithToChars) {
    int failures = 0;
    std::mt19937 random(32);
    for (int i = 0; i < 1000000 && failures < 10; ++i)
        failures += !agrees(static_cast<uint32_t>(random()), "random bits");
    // Powers of two (the uneven rounding interval) and their neighbours.
    for (uint32_t field = 0; field < 256; ++field)
        for (uint32_t fraction : {0u, 1u, 2u, 0x7FFFFFu, 0x7FFFFEu})
            failures += !agrees(field << 23 | fraction, "around a power of two");
    // Denormals, and the floats of the screen's range, densely.
    for (uint32_t bits = 0; bits < 0x800000u; bits += 61) failures += !agrees(bits, "denormal");
    for (uint32_t bits = 0x3F000000u; bits < 0x44800000u; bits += 29) failures += !agrees(bits, "0.5 to 1024");
    // Whole numbers where fixed and scientific notation change places.
    for (uint64_t whole = 1; whole < 100000000000ull; whole = whole * 3 + 1)
        for (int64_t near = -2; near <= 2; ++near)
            failures += !agrees(bitCast<uint32_t>(static_cast<float>(static_cast<int64_t>(whole) + near)), "whole");
    EXPECT_EQ(failures, 0);
}
