#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "game/world.h"
#include "tools/replay/trace.h"

TEST(ReplayTrace, FloatsReadBackAsTheSameSinglePrecisionValue) {
    const float samples[] = {0.0f, 0.22f, 0.32f, 191.0f, 4.58f, 6.99f, -15.999999f, 639.99994f,
                             1.0e-8f, std::numeric_limits<float>::denorm_min(),
                             std::numeric_limits<float>::max(), 0.1f + 0.2f};
    for (const float f : samples) {
        std::string text;
        appendFloat(&text, f);
        const float back = std::strtof(text.c_str(), nullptr);
        EXPECT_EQ(std::memcmp(&back, &f, sizeof f), 0) << text;
        EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text;  // never looks like an integer
    }
    std::string text;
    appendFloat(&text, 0.22f);
    EXPECT_EQ(text, "0.22");
}

TEST(ReplayTrace, KeysComeInTheFixedOrder) {
    resetWorld();
    world.cursorPos = Point{-3, 500};
    world.flyX[29] = 12.5f;
    world.splatY[0] = -7;
    std::string line;
    appendTraceLine(&line, 7, 2, world);
    ASSERT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1);

    const char* keys[] = {"call", "flips", "gameState", "stateTimer", "flyLevel", "killCount", "borderLine",
                          "bestKills", "gauge", "gaugeRate", "frameInterval", "lastFrameTick", "swingStep",
                          "swatterFrame", "buttonLatch", "splatsActive", "wingFrame", "cursorPos", "flyX", "flyY",
                          "flyHeading", "flySpeed", "splatTimer", "splatX", "splatY"};
    size_t at = 0;
    for (const char* key : keys) {
        const std::string quoted = std::string("\"") + key + "\":";
        const size_t found = line.find(quoted, at);
        ASSERT_NE(found, std::string::npos) << key << " missing or out of order";
        at = found + quoted.size();
    }
    EXPECT_EQ(line.rfind("{\"call\":7,\"flips\":2,\"gameState\":0,", 0), 0u);
    EXPECT_NE(line.find("\"gaugeRate\":0.22,"), std::string::npos);
    EXPECT_NE(line.find("\"bestKills\":20,"), std::string::npos);
    EXPECT_NE(line.find("\"cursorPos\":[-3,500]"), std::string::npos);
    EXPECT_NE(line.find(",12.5],\"flyY\""), std::string::npos);
    EXPECT_NE(line.find("\"splatY\":[-7,0,"), std::string::npos);
    EXPECT_EQ(line.substr(line.size() - 4), "0]}\n");
}
