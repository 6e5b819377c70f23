#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "game/trace.h"
#include "game/world.h"

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

TEST(ReplayTrace, KeysComeInTheFixedOrder) {
    resetWorld();
    world.cursorPos = Point{-3, 500};
    world.flyX[29] = 12.5f;
    world.splatY[0] = -7;
    std::string line;
    appendTraceLine(&line, 7, 2, world);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    size_t at = 0;
    for (const char* key :
         {"call",        "flips",        "gameState", "stateTimer",    "flyLevel",      "killCount", "borderLine",
          "bestKills",   "gauge",        "gaugeRate", "frameInterval", "lastFrameTick", "swingStep", "swatterFrame",
          "buttonLatch", "splatsActive", "wingFrame", "cursorPos",     "flyX",          "flyY",      "flyHeading",
          "flySpeed",    "splatTimer",   "splatX",    "splatY"}) {
        at = line.find(std::string("\"") + key + "\":", at);
        ASSERT_NE(at, std::string::npos) << key << " missing or out of order";
    }
    EXPECT_EQ(line.rfind("{\"call\":7,\"flips\":2,\"gameState\":0,", 0), 0u);
    for (const char* part : {"\"cursorPos\":[-3,500]", ",12.5],\"flyY\"", "\"splatY\":[-7,0,", "0]}\n"})
        EXPECT_NE(line.find(part), std::string::npos) << part;
}
