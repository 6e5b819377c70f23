#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/host.h"
#include "base/virtual_keys.h"
#include "game/run_file.h"
#include "game/run_record.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tests/support/test_support.h"
#include "tools/replay/autoplay.h"
#include "tools/replay/replay.h"

namespace {

struct Sink {
    std::string bytes;
    std::vector<uint32_t> flushedAt;  // the host's clock at each hand-over
};

bool keep(const char* bytes, size_t size, void* user) {
    Sink* sink = static_cast<Sink*>(user);
    sink->bytes.append(bytes, size);
    sink->flushedAt.push_back(headlessHost.tick);
    return true;
}

// The trace of the calls of `run`, replayed from the start values; recorded
// again into `again` when it is given.
std::string replayed(const std::vector<RunCall>& calls, Sink* again = nullptr) {
    makeGameScreen();
    if (again) startRunRecording(RunHeader{true, kRunFormatVersion, "0.1", "linux"}, keep, again);
    std::ostringstream trace;
    ReplaySession session;
    session.trace = &trace;
    for (const RunCall& call : calls) EXPECT_TRUE(replayCall(session, call)) << session.error;
    if (again) stopRunRecording();
    releaseTestDisplay();
    return trace.str();
}

std::string firstDifference(const std::string& a, const std::string& b) {
    std::istringstream x(a), y(b);
    std::string lx, ly;
    for (int line = 1;; ++line) {
        const bool moreX = static_cast<bool>(std::getline(x, lx));
        const bool moreY = static_cast<bool>(std::getline(y, ly));
        if (!moreX && !moreY) return "";
        if (lx != ly) return "line " + std::to_string(line) + ": " + lx + " | " + ly;
        lx.clear();
        ly.clear();
    }
}

}  // namespace

// A game played with the host's clock moving on unevenly (some calls short
// of the gate) and, as in a real window, a millisecond passing between the
// clock readings of one call, recorded as it is played: the recording
// replays to the same trace, call for call, through a wrap of the clock.
TEST(RunRecord, ARecordedRunReplaysToTheTraceItWasPlayedWith) {
    makeGameScreen();
    headlessHost.tick = 4294900000u;
    headlessHost.tickStep = 1;
    Sink sink;
    startRunRecording(RunHeader{true, kRunFormatVersion, "0.1", "linux"}, keep, &sink);
    std::ostringstream liveTrace;
    ReplaySession live;
    live.trace = &liveTrace;
    AutoplayPlayer player;
    constexpr uint32_t kSteps[] = {31, 12, 20, 33, 2, 29, 45, 30};
    constexpr int kCalls = 5000;
    for (int i = 0; i < kCalls; ++i) {
        const RunCall hand = autoplayNext(player, world);  // its cursor and button, not its clock
        headlessHost.cursor = Point{hand.x, hand.y};
        headlessSetKey(VK_LBUTTON, (hand.keys & kRunKeyLeftButton) != 0);
        headlessHost.tick += kSteps[i % 8];
        ASSERT_TRUE(replayStep(live)) << live.error;
        hostTickCount();  // the pump's own reading after the frame, not the frame's
    }
    const RunEnd summary = runRecordingSummary();
    ASSERT_TRUE(stopRunRecording()) << "case: every write succeeded";
    releaseTestDisplay();
    ASSERT_GE(summary.stage, 2) << "case: the player cleared a stage, so the run covers every phase";

    RunFile run;
    std::string error;
    ASSERT_TRUE(parseRunText(sink.bytes, &run, &error)) << "case: the recording reads back: " << error;
    EXPECT_EQ(run.header.platform, "linux") << "case: header";
    EXPECT_TRUE(run.end.present && run.end.stage == summary.stage && run.end.kills == summary.kills)
        << "case: end line";
    ASSERT_EQ(run.callCount, static_cast<uint64_t>(kCalls)) << "case: every call recorded";
    uint32_t longestGap = 0;
    for (size_t i = 1; i < sink.flushedAt.size(); ++i)
        longestGap = std::max(longestGap, sink.flushedAt[i] - sink.flushedAt[i - 1]);
    EXPECT_LE(longestGap, 1100u) << "case: handed over at least once a second of play";

    const std::string replayTrace = replayed(run.calls);
    EXPECT_EQ(firstDifference(replayTrace, liveTrace.str()), "") << "case: the replay's trace";
    Sink again;
    replayed(run.calls, &again);
    EXPECT_EQ(again.bytes, sink.bytes) << "case: a replay recorded again gives the same file";
    // The later readings matter: one reading a call would play another game.
    std::vector<RunCall> oneReading = run.calls;
    for (RunCall& c : oneReading) c.ticks[1] = c.ticks[2] = c.ticks[0];
    EXPECT_NE(replayed(oneReading), liveTrace.str()) << "case: the recording without its later readings";

#ifdef NMNM_REPLAY_TOOL
    // nmnm-replay itself, on the file.
    const std::string file = ::testing::TempDir() + "recorded.nmnm-run",
                      trace = ::testing::TempDir() + "recorded.jsonl";
    std::ofstream(file, std::ios::binary) << sink.bytes;
    ASSERT_EQ(std::system((std::string(NMNM_REPLAY_TOOL) + " --script " + file + " --trace " + trace).c_str()), 0)
        << "case: nmnm-replay ran the recording";
    std::ifstream traced(trace, std::ios::binary);
    const std::string toolTrace((std::istreambuf_iterator<char>(traced)), std::istreambuf_iterator<char>());
    EXPECT_EQ(firstDifference(toolTrace, liveTrace.str()), "") << "case: nmnm-replay's trace";
#endif
}
