#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const std::string kTool = std::string(NMNM_BUILD_DIR) + "/bin/nmnm-replay";

struct Outcome {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

Outcome runTool(const std::string& arguments) {
    Outcome o;
    FILE* pipe = popen((kTool + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return o;
    char buf[512];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) o.output.append(buf, n);
    const int status = pclose(pipe);
    o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

bool toolBuilt() { return std::ifstream(kTool).good(); }

}  // namespace

TEST(ReplayTool, MalformedScriptLineStopsBeforeAnythingRuns) {
    if (!toolBuilt()) GTEST_SKIP() << kTool << " not built";
    const std::string dir = ::testing::TempDir();
    const std::string script = dir + "replay_bad_script.txt";
    const std::string trace = dir + "replay_bad_trace.jsonl";
    std::ofstream(script) << "# starts well\n0 10 10 -\n\n30 10 10 L\n60 10 ten -\n90 10 10 -\n";
    std::remove(trace.c_str());

    const Outcome o = runTool("--script " + script + " --trace " + trace);
    EXPECT_NE(o.exitCode, 0);
    EXPECT_NE(o.output.find("line 5"), std::string::npos) << o.output;
    EXPECT_NE(o.output.find("'ten'"), std::string::npos) << o.output;
    // Nothing ran, so no trace was begun.
    EXPECT_FALSE(std::ifstream(trace).good());
}

TEST(ReplayTool, RefusesUnsoundOptions) {
    if (!toolBuilt()) GTEST_SKIP() << kTool << " not built";
    for (const char* args : {"", "--autoplay 5 --script x.txt", "--autoplay five", "--script",
                             "--autoplay 5 --screenshot title.png", "--bench --trace t.jsonl", "--frobnicate"}) {
        const Outcome o = runTool(args);
        EXPECT_EQ(o.exitCode, 2) << args;
        EXPECT_NE(o.output.find("usage:"), std::string::npos) << args;
    }
    const Outcome missing = runTool("--script /no/such/script.txt");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("/no/such/script.txt"), std::string::npos);
}
