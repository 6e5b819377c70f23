#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace {

const std::string kTool = std::string(NMNM_BUILD_DIR) + "/bin/nmnm-replay";

// The exit code, and stdout and stderr together.
std::pair<int, std::string> runTool(const std::string& arguments) {
    std::string output;
    FILE* pipe = popen((kTool + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, ""};
    char buf[512];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) output.append(buf, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

}  // namespace

TEST(ReplayTool, MalformedScriptLineOrUnsoundOptionsStopBeforeAnythingRuns) {
    if (!std::ifstream(kTool).good()) GTEST_SKIP() << kTool << " not built";
    const std::string script = ::testing::TempDir() + "replay_bad_script.txt";
    const std::string trace = ::testing::TempDir() + "replay_bad_trace.jsonl";
    std::ofstream(script) << "# starts well\n0 10 10 -\n\n30 10 10 L\n60 10 ten -\n90 10 10 -\n";
    std::remove(trace.c_str());
    const auto [code, output] = runTool("--script " + script + " --trace " + trace);
    EXPECT_EQ(code, 1);
    EXPECT_NE(output.find("line 5"), std::string::npos) << output;
    EXPECT_NE(output.find("'ten'"), std::string::npos) << output;
    EXPECT_FALSE(std::ifstream(trace).good());  // nothing ran, so no trace was begun

    for (const char* args : {"", "--autoplay 5 --script x.txt", "--autoplay five", "--script",
                             "--autoplay 5 --screenshot title.png", "--bench --trace t.jsonl", "--frobnicate"}) {
        const auto [code, said] = runTool(args);
        EXPECT_EQ(std::pair(code, said.find("usage:") != std::string::npos), std::pair(2, true)) << args;
    }
    const auto [missing, said] = runTool("--script /no/such/script.txt");
    EXPECT_EQ(std::pair(missing, said.find("/no/such/script.txt") != std::string::npos), std::pair(1, true));
}

// The player's calls written as a script replay to the very same game: this is
// how one played game is carried to other builds and platforms.
TEST(ReplayTool, ThePlayersWrittenScriptReplaysToTheSameTrace) {
    if (!std::ifstream(kTool).good()) GTEST_SKIP() << kTool << " not built";
    const std::string dir = ::testing::TempDir();
    const std::string script = dir + "replay_written_script.txt";
    const auto [played, playedSaid] =
        runTool("--autoplay 3000 --write-script " + script + " --trace " + dir + "replay_played.jsonl");
    ASSERT_EQ(played, 0) << playedSaid;
    const auto [replayed, replayedSaid] = runTool("--script " + script + " --trace " + dir + "replay_replayed.jsonl");
    ASSERT_EQ(replayed, 0) << replayedSaid;
    auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string scriptText = slurp(script);
    EXPECT_EQ(std::count(scriptText.begin(), scriptText.end(), '\n'), 3000) << "case: one line per call";
    const std::string playedTrace = slurp(dir + "replay_played.jsonl");
    EXPECT_FALSE(playedTrace.empty()) << "case: the played game left a trace";
    EXPECT_TRUE(playedTrace == slurp(dir + "replay_replayed.jsonl")) << "case: replayed trace equals the played one";
}
