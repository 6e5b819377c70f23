#include <gtest/gtest.h>

#include <cstring>

#include "game/sprite_rects.h"
#include "game/world.h"

TEST(World, StartValuesOfARun) {
    world.killCount = 99;
    world.gaugeRate = 1.0f;
    world.randState = 1234;
    resetWorld();
    EXPECT_EQ(world.gameState, kPhaseTitle);
    EXPECT_EQ(world.flyLevel, 1);
    EXPECT_EQ(world.borderLine, 30);
    EXPECT_EQ(world.bestKills, 20);
    EXPECT_EQ(world.frameInterval, 30);
    EXPECT_EQ(world.killCount, 0);
    EXPECT_EQ(world.gauge, 0.0f);
    EXPECT_EQ(world.randState, 1u);
    // Single precision, not the double 0.22.
    EXPECT_EQ(static_cast<double>(world.gaugeRate), 0.2199999988079071);
    uint32_t bits;
    std::memcpy(&bits, &world.gaugeRate, sizeof bits);
    EXPECT_EQ(bits, 0x3E6147AEu);
    for (int i = 0; i < kSplatSlots; ++i) EXPECT_EQ(world.splatTimer[i], 0);
}

TEST(World, SpriteCellsLieInsideTheSheetAndFollowTheirRule) {
    resetWorld();
    initSpriteRects();
    auto inside = [](const Rect& r) {
        return r.left >= 0 && r.top >= 0 && r.right <= 256 && r.bottom <= 96 && r.left < r.right && r.top < r.bottom;
    };
    EXPECT_EQ(world.flyRects[1].left, 16);
    EXPECT_EQ(world.flyRects[1].bottom, 48);
    EXPECT_EQ(world.swatterRects[2].left, 96);
    EXPECT_EQ(world.swatterRects[2].right, 128);
    EXPECT_EQ(world.splatRects[7].left, 224);
    EXPECT_EQ(world.splatRects[7].right, 256);
    for (const Rect& r : world.flyRects) {
        EXPECT_TRUE(inside(r));
        EXPECT_EQ(r.right - r.left, 16);
        EXPECT_EQ(r.bottom - r.top, 16);
    }
    for (const Rect& r : world.swatterRects) {
        EXPECT_TRUE(inside(r));
        EXPECT_EQ(r.top, 32);
        EXPECT_EQ(r.right - r.left, 32);
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(inside(world.splatRects[i]));
        EXPECT_EQ(world.splatRects[i].left, 32 * i);
        EXPECT_EQ(world.splatRects[i].top, 64);
    }
}
