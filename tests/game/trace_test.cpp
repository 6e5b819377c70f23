#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "game/trace.h"

TEST(ReplayTrace, FloatsReadBackAsTheSameSinglePrecisionValue) {
    for (const float f : {0.0f, 0.22f, 0.32f, 191.0f, 4.58f, 6.99f, -15.999999f, 639.99994f, 1.0e-8f,
                          std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max(), 0.1f + 0.2f}) {
        std::string text;
        appendFloat(&text, f);
        const float back = std::strtof(text.c_str(), nullptr);
        EXPECT_EQ(std::memcmp(&back, &f, sizeof f), 0) << text;
        EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text;  // never looks like an integer
        if (f == 0.22f) {
            EXPECT_EQ(text, "0.22");
        }
    }
}
