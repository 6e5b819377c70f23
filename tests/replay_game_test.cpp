#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "display/display_objects.h"
#include "game/world.h"
#include "tests/test_support.h"
#include "tools/common/png_write.h"
#include "tools/replay/autoplay.h"
#include "tools/replay/replay.h"
#include "tools/replay/script.h"

namespace {

int64_t field(const std::string& line, const std::string& key) {
    const size_t at = line.find("\"" + key + "\":");
    if (at == std::string::npos) ADD_FAILURE() << key << " missing";
    return std::strtoll(line.c_str() + at + key.size() + 3, nullptr, 10);
}

// The script of a first stage played by the built-in player until it has
// swatted five flies, then left to run out back to the title.
std::string recordShortGame() {
    makeGameScreen();
    AutoplayPlayer player;
    ReplaySession live;  // no trace: only moves the world on
    std::string script = "# a short game: title, click, play five hits, fail\n";
    for (bool leftTitle = false; !(leftTitle && world.gameState == kPhaseTitle) && live.calls < 3000;) {
        leftTitle |= world.gameState != kPhaseTitle;
        CallInput input = autoplayNext(player, world);
        if (world.killCount >= 5) input.keys = 0;
        script += std::to_string(input.tick) + " " + std::to_string(input.x) + " " + std::to_string(input.y) +
                  (input.keys ? " L\n" : " -\n");
        replayCall(live, input);
    }
    releaseTestDisplay();
    return script;
}

std::string traceOf(const std::vector<CallInput>& calls) {
    makeGameScreen();
    std::ostringstream trace;
    ReplaySession session;
    session.trace = &trace;
    bool ran = replayBegin(session);
    for (const CallInput& c : calls) ran &= replayCall(session, c);
    EXPECT_TRUE(ran && replayEnd(session)) << session.error;
    releaseTestDisplay();
    return trace.str();
}

}  // namespace

TEST(ReplayGame, ScriptedShortGameTracesEveryPhase) {
    std::istringstream script(recordShortGame());
    std::vector<CallInput> calls;
    std::string error;
    ASSERT_TRUE(parseScript(script, &calls, &error)) << error;
    const std::string text = traceOf(calls);
    EXPECT_EQ(traceOf(calls), text);  // the same script from the same start gives the same trace

    std::istringstream trace(text);
    int linesIn[6] = {}, doubleFlips = 0;
    int64_t call = 1, kills = 0;
    std::string line, last;
    for (; std::getline(trace, line); last = line) {
        // Every call but the very first passes the gate (the clock moves on by frameInterval).
        EXPECT_EQ(field(line, "call"), ++call);
        const int64_t state = field(line, "gameState"), flips = field(line, "flips"), nowKills = field(line, "killCount");
        ASSERT_TRUE(state <= 5 && (flips == 1 || flips == 2)) << line;
        ++linesIn[state];
        doubleFlips += flips == 2;
        // Kills only rise in play; the call where the gauge runs out is the last to count any.
        const bool gaugeRanOut = state == kPhaseResult && field(line, "stateTimer") == 1;
        EXPECT_TRUE(state == kPhasePlay || gaugeRanOut ? nowKills >= kills : state != kPhaseResult || nowKills == kills) << call;
        if (state != kPhaseTitle) kills = nowKills;
        if (gaugeRanOut) {
            EXPECT_EQ(std::tuple(line.find("\"gauge\":191.0,") != std::string::npos, field(line, "flyLevel"), nowKills),
                      std::tuple(true, 18, 5));
        }
    }
    EXPECT_EQ(call, static_cast<int64_t>(calls.size()));
    // The same call runs the next phase's block after a change, so each phase
    // shows one line fewer than its runs: announcement 56, start 13, play 869,
    // failure 71 (its last run already shows the title).
    EXPECT_EQ(std::vector(linesIn + 1, linesIn + 6), (std::vector{55, 12, 868, 70, 0}));
    EXPECT_EQ(doubleFlips, 4);  // click, and the ends of announcement, start and play
    EXPECT_NE(last.find(",\"gameState\":0,\"stateTimer\":0,\"flyLevel\":1,\"killCount\":0,\"borderLine\":30,\"bestKills\":20,"),
              std::string::npos) << last;
    EXPECT_NE(last.find("\"gaugeRate\":0.22,"), std::string::npos);
}

TEST(ReplayGame, ScreenshotsShowThePrimarySurfaceThroughItsPalette) {
    makeGameScreen();
    const std::string dir = ::testing::TempDir();
    ReplaySession session;
    session.screenshots = {{0, dir + "replay_shot_0.png"}, {3, dir + "replay_shot_3.png"}};
    AutoplayPlayer player;
    bool ran = replayBegin(session);
    for (int i = 0; i < 3; ++i) ran &= replayCall(session, autoplayNext(player, world));
    ASSERT_TRUE(ran && replayEnd(session)) << session.error;

    std::string pixels;
    int32_t width = 0, height = 0;
    PaletteEntry palette[256];
    ASSERT_TRUE(readIndexedPng(dir + "replay_shot_3.png", &pixels, &width, &height, palette) && width == 640 && height == 480);
    const Surface* screen = displayObjects.primarySurface;
    EXPECT_TRUE(std::equal(screen->pixels.begin(), screen->pixels.end(), reinterpret_cast<const uint8_t*>(pixels.data())));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(std::tuple(palette[i].red, palette[i].green, palette[i].blue),
                  std::tuple(i, 255 - i, static_cast<uint8_t>(i * 3)));
    // Right after setup nothing has been drawn on the screen yet.
    EXPECT_TRUE(readIndexedPng(dir + "replay_shot_0.png", &pixels, &width, &height, palette) &&
                pixels == std::string(640 * 480, '\0'));

    // A screenshot after a call the run never made, or one that cannot be written, is an error.
    session.screenshots = {{9, dir + "replay_shot_9.png"}};
    EXPECT_TRUE(!replayEnd(session) && session.error.find("no call 9") != std::string::npos) << session.error;
    session.screenshots = {{4, dir + "no/such/folder/x.png"}};
    EXPECT_TRUE(!replayCall(session, autoplayNext(player, world)) && session.error.find("x.png") != std::string::npos);
    releaseTestDisplay();
}
