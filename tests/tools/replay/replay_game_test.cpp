#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "game/run_file.h"
#include "game/world.h"
#include "tests/support/test_support.h"
#include "tools/replay/autoplay.h"
#include "tools/replay/replay.h"

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
        RunCall input = autoplayNext(player, world);
        if (world.killCount >= 5) input.keys = 0;
        script += std::to_string(input.ticks[0]) + " " + std::to_string(input.x) + " " + std::to_string(input.y) +
                  (input.keys ? " L\n" : " -\n");
        replayCall(live, input);
    }
    releaseTestDisplay();
    return script;
}

std::string traceOf(const std::vector<RunCall>& calls) {
    makeGameScreen();
    std::ostringstream trace;
    ReplaySession session;
    session.trace = &trace;
    bool ran = replayBegin(session);
    for (const RunCall& c : calls) ran &= replayCall(session, c);
    EXPECT_TRUE(ran && replayEnd(session)) << session.error;
    releaseTestDisplay();
    return trace.str();
}

}  // namespace

TEST(ReplayGame, ScriptedShortGameTracesEveryPhase) {
    std::istringstream script(recordShortGame());
    RunFile run;
    std::string error;
    ASSERT_TRUE(parseRunStream(script, &run, &error)) << error;
    const std::vector<RunCall>& calls = run.calls;
    const std::string text = traceOf(calls);
    EXPECT_TRUE(traceOf(calls) == text) << "the same script from the same start gives the same trace";

    std::istringstream trace(text);
    int linesIn[6] = {}, doubleFlips = 0;
    int64_t call = 1, kills = 0;
    std::string line, last;
    for (; std::getline(trace, line); last = line) {
        // Every call but the very first passes the gate (the clock moves on by frameInterval).
        EXPECT_EQ(field(line, "call"), ++call) << "case: trace line of call " << call;
        const int64_t state = field(line, "gameState"), flips = field(line, "flips"),
                      nowKills = field(line, "killCount");
        ASSERT_LE(state, 5) << "case: call " << call;
        ASSERT_TRUE(flips == 1 || flips == 2) << "case: call " << call << ", flips " << flips;
        ++linesIn[state];
        doubleFlips += flips == 2;
        // Kills only rise in play; the call where the gauge runs out is the last to count any.
        const bool gaugeRanOut = state == kPhaseResult && field(line, "stateTimer") == 1;
        if (state == kPhasePlay || gaugeRanOut) {
            EXPECT_GE(nowKills, kills) << "case: call " << call << ", kills in play";
        } else if (state == kPhaseResult) {
            EXPECT_EQ(nowKills, kills) << "case: call " << call << ", kills in the result";
        }
        if (state != kPhaseTitle) kills = nowKills;
        if (gaugeRanOut) {
            EXPECT_NE(line.find("\"gauge\":191.0,"), std::string::npos) << "case: end of play, gauge";
            EXPECT_EQ(field(line, "flyLevel"), 18) << "case: end of play";
            EXPECT_EQ(nowKills, 5) << "case: end of play";
        }
    }
    EXPECT_EQ(call, static_cast<int64_t>(calls.size())) << "case: calls traced";
    // The same call runs the next phase's block after a change, so each phase
    // shows one line fewer than its runs: announcement 56, start 13, play 869,
    // failure 71 (its last run already shows the title).
    const char* names[6] = {"title", "announcement", "start", "play", "result", "stage clear"};
    const int lines[6] = {0, 55, 12, 868, 70, 0};
    for (int p = 1; p < 6; ++p) EXPECT_EQ(linesIn[p], lines[p]) << "case: trace lines in " << names[p];
    EXPECT_EQ(doubleFlips, 4) << "case: calls with two flips: the click, and the ends of announcement, start and play";
    EXPECT_NE(
        last.find(
            ",\"gameState\":0,\"stateTimer\":0,\"flyLevel\":1,\"killCount\":0,\"borderLine\":30,\"bestKills\":20,"),
        std::string::npos)
        << "case: the last line, back at the title: " << last;
    EXPECT_NE(last.find("\"gaugeRate\":0.22,"), std::string::npos) << "case: the last line, gauge rate";
}

// What the screenshots show is the kept phase pictures' check; here only
// the requests the run cannot meet.
TEST(ReplayGame, AScreenshotOfACallNeverMadeOrThatCannotBeWrittenIsAnError) {
    makeGameScreen();
    const std::string shots = ::testing::TempDir();
    ReplaySession session;
    AutoplayPlayer player;
    ASSERT_TRUE(replayBegin(session)) << session.error;
    session.screenshots = {{1, shots + "no/such/folder/x.png"}};
    EXPECT_FALSE(replayCall(session, autoplayNext(player, world))) << "case: folder missing";
    EXPECT_NE(session.error.find("x.png"), std::string::npos) << "case: folder missing: " << session.error;
    session.screenshots = {{9, shots + "replay_shot_9.png"}};
    EXPECT_FALSE(replayEnd(session)) << "case: call 9 never made";
    EXPECT_NE(session.error.find("no call 9"), std::string::npos) << "case: call 9 never made: " << session.error;
    releaseTestDisplay();
}
