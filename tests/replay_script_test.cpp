#include <gtest/gtest.h>

#include <sstream>

#include "tools/replay/screenshot.h"
#include "tools/replay/script.h"

namespace {

CallInput parsed(const char* line) {
    CallInput in;
    std::string error;
    EXPECT_TRUE(parseScriptLine(line, &in, &error)) << line << ": " << error;
    return in;
}

std::string faultOf(const char* line) {
    CallInput in;
    std::string error;
    EXPECT_FALSE(parseScriptLine(line, &in, &error)) << line;
    return error;
}

}  // namespace

TEST(ReplayScript, ReadsFieldsAsGiven) {
    const CallInput a = parsed("4294967295 -5 700 -");
    EXPECT_EQ(a.tick, 4294967295u);
    EXPECT_EQ(a.x, -5);  // not clamped to the screen
    EXPECT_EQ(a.y, 700);
    EXPECT_EQ(a.keys, 0);

    const CallInput b = parsed("  \t30 -2147483648 2147483647 DUL\r");
    EXPECT_EQ(b.tick, 30u);
    EXPECT_EQ(b.x, INT32_MIN);
    EXPECT_EQ(b.y, INT32_MAX);
    EXPECT_EQ(b.keys, kInputLeftButton | kInputUp | kInputDown);
    EXPECT_EQ(parsed("0 0 0 U").keys, kInputUp);
}

TEST(ReplayScript, SkipsBlankAndCommentLinesWithoutFault) {
    for (const char* line : {"", "   ", "\r", "# 1 2 3 L", "   # indented comment"}) {
        CallInput in;
        std::string error = "x";
        EXPECT_FALSE(parseScriptLine(line, &in, &error));
        EXPECT_EQ(error, "") << "'" << line << "'";
    }
}

TEST(ReplayScript, RefusesMalformedFields) {
    EXPECT_NE(faultOf("30 1 2").find("found 3"), std::string::npos);
    EXPECT_NE(faultOf("30 1 2 L extra").find("found 5"), std::string::npos);
    EXPECT_NE(faultOf("4294967296 0 0 -").find("TICK"), std::string::npos);  // past 32 bits
    EXPECT_NE(faultOf("-1 0 0 -").find("TICK"), std::string::npos);
    EXPECT_NE(faultOf("12abc 0 0 -").find("TICK"), std::string::npos);
    EXPECT_NE(faultOf("0 2147483648 0 -").find("X"), std::string::npos);
    EXPECT_NE(faultOf("0 0 1.5 -").find("Y"), std::string::npos);
    EXPECT_NE(faultOf("0 0 0 l").find("KEYS"), std::string::npos);   // lower case
    EXPECT_NE(faultOf("0 0 0 LL").find("KEYS"), std::string::npos);  // repeated
    EXPECT_NE(faultOf("0 0 0 L-").find("KEYS"), std::string::npos);
    EXPECT_NE(faultOf("0 0 0 L # note").find("found 6"), std::string::npos);
}

TEST(ReplayScript, NamesTheFileLineOfAFault) {
    std::istringstream text("# header\n\n10 1 1 -\n20 1 1 L\n30 1 X -\n40 1 1 -\n");
    std::vector<CallInput> calls;
    std::string error;
    EXPECT_FALSE(parseScript(text, &calls, &error));
    EXPECT_EQ(error.rfind("line 5: ", 0), 0u) << error;

    std::istringstream good("# header\n10 1 1 -\n\n20 3 4 L\n30 5 6 U");  // no final newline
    calls.clear();
    ASSERT_TRUE(parseScript(good, &calls, &error)) << error;
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2].tick, 30u);
    EXPECT_EQ(calls[2].keys, kInputUp);
}

TEST(ReplayScript, ScreenshotRequests) {
    ScreenshotRequest shot;
    ASSERT_TRUE(parseScreenshotRequest("0:out/title.png", &shot));
    EXPECT_EQ(shot.call, 0u);
    EXPECT_EQ(shot.path, "out/title.png");
    ASSERT_TRUE(parseScreenshotRequest("12:C:/x.png", &shot));  // only the first colon splits
    EXPECT_EQ(shot.call, 12u);
    EXPECT_EQ(shot.path, "C:/x.png");
    for (const char* bad : {"title.png", ":a.png", "3:", "-1:a.png", "x:a.png"})
        EXPECT_FALSE(parseScreenshotRequest(bad, &shot)) << bad;
}
