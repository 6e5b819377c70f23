#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "display/display_objects.h"
#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "tests/test_support.h"
#include "tests/world_invariants.h"
#include "tools/replay/autoplay.h"
#include "tools/replay/replay.h"

namespace {

// NMNM_SOAK_FRAMES overrides the length for a longer run by hand.
uint64_t soakFrames() {
    const char* text = std::getenv("NMNM_SOAK_FRAMES");
    if (text && *text) return std::strtoull(text, nullptr, 10);
    return 200000;
}

}  // namespace

// The built-in player drives the whole game for a long time; after every call
// the world and the status bar must still make sense.
TEST(ReplaySoak, AutoplayKeepsTheWorldSound) {
    makeTestDisplay();
    initSpriteRects();
    Surface* sheet = display.spriteSurface;
    for (int32_t y = 0; y < sheet->height; ++y)
        for (int32_t x = 0; x < sheet->width; ++x)
            sheet->pixels[static_cast<size_t>(y) * sheet->pitch + x] = static_cast<uint8_t>(1 + (x * 5 + y * 11) % 250);
    fillRect(display.backgroundSurface, 0, 0, 640, 480, 0);
    respawnFly(0);
    respawnFly(1);

    const uint64_t frames = soakFrames();
    AutoplayPlayer player;
    ReplaySession session;
    uint64_t clears = 0, failures = 0, hits = 0;
    int32_t highestBorder = 30;
    int32_t kills = 0;
    uint8_t state = world.gameState;
    for (uint64_t i = 0; i < frames; ++i) {
        ASSERT_TRUE(replayCall(session, autoplayNext(player, world))) << session.error;
        const std::string fault = worldInvariantFault(world);
        ASSERT_EQ(fault, "") << "after call " << session.calls;
        if (session.lastFrameRan && world.gameState >= kPhasePlay) {
            const std::string barFault = statusBarFault(world);
            ASSERT_EQ(barFault, "") << "after call " << session.calls;
        }
        if (world.killCount > kills) hits += static_cast<uint64_t>(world.killCount - kills);
        kills = world.killCount;
        if (world.gameState == kPhaseStageClear && state != kPhaseStageClear) ++clears;
        if (world.gameState == kPhaseTitle && state == kPhaseResult) ++failures;
        if (world.borderLine > highestBorder) highestBorder = world.borderLine;
        state = world.gameState;
    }
    EXPECT_EQ(session.framesRun, frames - 1);  // all but the first call draw
    // The player is good enough to clear several stages, and not so good that it never fails.
    EXPECT_GE(clears, 3u);
    EXPECT_GE(failures, 1u);
    std::printf("soak: %llu frames, %llu kills, %llu stages cleared, %llu games lost, highest border line %d\n",
                static_cast<unsigned long long>(frames), static_cast<unsigned long long>(hits),
                static_cast<unsigned long long>(clears), static_cast<unsigned long long>(failures), highestBorder);
    releaseTestDisplay();
}
