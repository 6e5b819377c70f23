#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "display/display_objects.h"
#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tests/test_support.h"
#include "tests/world_invariants.h"
#include "tools/common/png_write.h"
#include "tools/replay/autoplay.h"
#include "tools/replay/replay.h"
#include "tools/replay/script.h"

namespace {

// A screen as display setup leaves it, without picture files: patterned
// pictures so that bars and screenshots have something to show.
void makeGameScreen() {
    makeTestDisplay();
    initSpriteRects();
    Surface* sheet = display.spriteSurface;
    for (int32_t y = 0; y < sheet->height; ++y)
        for (int32_t x = 0; x < sheet->width; ++x)
            sheet->pixels[static_cast<size_t>(y) * sheet->pitch + x] = static_cast<uint8_t>(1 + (x * 7 + y * 13) % 200);
    fillRect(display.backgroundSurface, 0, 0, 640, 480, 250);
    PaletteEntry colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3), 0};
    paletteSetEntries(display.palette, 0, 0, 256, colours);
    respawnFly(0);
    respawnFly(1);
}

int64_t field(const std::string& line, const char* key) {
    const std::string quoted = std::string("\"") + key + "\":";
    const size_t at = line.find(quoted);
    if (at == std::string::npos) ADD_FAILURE() << key << " missing";
    return std::strtoll(line.c_str() + at + quoted.size(), nullptr, 10);
}

// Splat slots started in the call of this trace line (drawn once already).
int newSplats(const std::string& line) {
    const size_t at = line.find("\"splatTimer\":[");
    std::istringstream values(line.substr(at + 14));
    int count = 0;
    for (int j = 0; j < kSplatSlots; ++j) {
        long timer = 0;
        char comma = 0;
        values >> timer >> comma;
        count += timer == 2;
    }
    return count;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

class ReplayGame : public ::testing::Test {
protected:
    void SetUp() override { makeGameScreen(); }
    void TearDown() override { releaseTestDisplay(); }
};

// A first stage played by the built-in player until it has swatted five
// flies, then left to run out: title, announcement, start, play with hits,
// and the failure that returns to the title.
std::string recordShortGame() {
    makeGameScreen();
    AutoplayPlayer player;
    ReplaySession live;  // no trace: only moves the world on
    std::string script = "# a short game: title, click, play five hits, fail\n";
    bool leftTitle = false;
    for (int call = 0; call < 3000; ++call) {
        CallInput input = autoplayNext(player, world);
        if (world.killCount >= 5) input.keys = 0;
        if (leftTitle && world.gameState == kPhaseTitle) break;
        leftTitle |= world.gameState != kPhaseTitle;
        if (call % 100 == 0) script += "\n# call " + std::to_string(call + 1) + "\n";
        script += std::to_string(input.tick) + " " + std::to_string(input.x) + " " + std::to_string(input.y) + " " +
                  (input.keys ? "L" : "-") + "\n";
        replayCall(live, input);
    }
    releaseTestDisplay();
    return script;
}

}  // namespace

TEST_F(ReplayGame, ScriptedShortGameTracesEveryPhase) {
    releaseTestDisplay();
    const std::string scriptText = recordShortGame();
    makeGameScreen();

    std::istringstream scriptIn(scriptText);
    std::vector<CallInput> calls;
    std::string error;
    ASSERT_TRUE(parseScript(scriptIn, &calls, &error)) << error;
    std::ostringstream trace;
    ReplaySession session;
    session.trace = &trace;
    ASSERT_TRUE(replayBegin(session));
    for (const CallInput& c : calls) ASSERT_TRUE(replayCall(session, c)) << session.error;
    ASSERT_TRUE(replayEnd(session)) << session.error;

    const std::vector<std::string> trail = lines(trace.str());
    // Every call but the very first passes the gate (the clock moves on by frameInterval).
    ASSERT_EQ(trail.size(), calls.size() - 1);
    EXPECT_EQ(field(trail.front(), "call"), 2);

    int linesIn[6] = {};
    int doubleFlips = 0;
    int64_t kills = 0;
    for (size_t k = 0; k < trail.size(); ++k) {
        const std::string& line = trail[k];
        EXPECT_EQ(field(line, "call"), static_cast<int64_t>(k) + 2);
        const int64_t state = field(line, "gameState");
        ASSERT_LE(state, 5);
        ++linesIn[state];
        const int64_t flips = field(line, "flips");
        EXPECT_TRUE(flips == 1 || flips == 2) << line.substr(0, 80);
        doubleFlips += flips == 2;
        const int64_t nowKills = field(line, "killCount");
        const bool playRan = state == kPhasePlay || (state == kPhaseResult && field(line, "stateTimer") == 1);
        if (playRan) {
            EXPECT_EQ(nowKills - kills, newSplats(line)) << "call " << k + 2;
        } else if (state == kPhaseResult) {
            EXPECT_EQ(nowKills, kills) << "kills changed in the result phase";
        }
        if (state != kPhaseTitle) kills = nowKills;
        if (state == kPhaseResult && field(line, "stateTimer") == 1) {
            // The call in which the gauge passed its end.
            EXPECT_NE(line.find("\"gauge\":191.0,"), std::string::npos);
            EXPECT_EQ(field(line, "flyLevel"), 18);
            EXPECT_EQ(nowKills, 5);
        }
    }
    // The same call runs the next phase's block after a change, so each phase
    // shows one line fewer than its runs: announcement 56, start 13, play 869,
    // failure 71 (its last run already shows the title).
    EXPECT_EQ(linesIn[kPhaseAnnouncement], 55);
    EXPECT_EQ(linesIn[kPhaseStart], 12);
    EXPECT_EQ(linesIn[kPhasePlay], 868);
    EXPECT_EQ(linesIn[kPhaseResult], 70);
    EXPECT_EQ(linesIn[kPhaseStageClear], 0);
    EXPECT_EQ(doubleFlips, 4);  // click, and the ends of announcement, start and play

    const std::string& last = trail.back();
    EXPECT_EQ(field(last, "gameState"), kPhaseTitle);
    EXPECT_EQ(field(last, "killCount"), 0);
    EXPECT_EQ(field(last, "borderLine"), 30);
    EXPECT_EQ(field(last, "bestKills"), 20);
    EXPECT_EQ(field(last, "flyLevel"), 1);
    EXPECT_NE(last.find("\"gaugeRate\":0.22,"), std::string::npos);

    // Replaying the same script from the same start gives the same trace.
    releaseTestDisplay();
    makeGameScreen();
    std::ostringstream again;
    ReplaySession second;
    second.trace = &again;
    for (const CallInput& c : calls) ASSERT_TRUE(replayCall(second, c));
    EXPECT_TRUE(again.str() == trace.str());
}

TEST_F(ReplayGame, ScreenshotsShowThePrimarySurfaceThroughItsPalette) {
    const std::string dir = ::testing::TempDir();
    ReplaySession session;
    session.screenshots = {{0, dir + "replay_shot_0.png"}, {3, dir + "replay_shot_3.png"}};
    ASSERT_TRUE(replayBegin(session)) << session.error;
    AutoplayPlayer player;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(replayCall(session, autoplayNext(player, world))) << session.error;
    ASSERT_TRUE(replayEnd(session)) << session.error;

    std::string pixels;
    int32_t width = 0, height = 0;
    PaletteEntry palette[256];
    ASSERT_TRUE(readIndexedPng(dir + "replay_shot_3.png", &pixels, &width, &height, palette));
    ASSERT_EQ(width, 640);
    ASSERT_EQ(height, 480);
    const Surface* screen = display.primarySurface;
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), screen->pixels.begin(),
                           [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }));
    EXPECT_GT(countIndex(screen, 250), 0);  // the background is there
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(palette[i].red, i);
        EXPECT_EQ(palette[i].green, 255 - i);
        EXPECT_EQ(palette[i].blue, static_cast<uint8_t>(i * 3));
    }
    // Right after setup nothing has been drawn on the screen yet.
    ASSERT_TRUE(readIndexedPng(dir + "replay_shot_0.png", &pixels, &width, &height, palette));
    EXPECT_EQ(pixels, std::string(640 * 480, '\0'));

    // A screenshot after a call the run never made is an error, not silence.
    session.screenshots = {{9, dir + "replay_shot_9.png"}};
    EXPECT_FALSE(replayEnd(session));
    EXPECT_NE(session.error.find("no call 9"), std::string::npos) << session.error;
    // So is a file that cannot be written.
    session.screenshots = {{4, dir + "no/such/folder/x.png"}};
    EXPECT_FALSE(replayCall(session, autoplayNext(player, world)));
    EXPECT_NE(session.error.find("x.png"), std::string::npos);
}
