#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

#include "tools/replay/screenshot.h"
#include "tools/replay/script.h"

TEST(ReplayScript, ReadsFieldsAsGivenSkipsBlankAndCommentLinesAndRefusesMalformedOnes) {
    const std::tuple<const char*, uint32_t, int32_t, int32_t, uint8_t> good[] = {
        {"4294967295 -5 700 -", 4294967295u, -5, 700, 0},  // not clamped to the screen
        {"  \t30 -2147483648 2147483647 DUL\r", 30, INT32_MIN, INT32_MAX, kInputLeftButton | kInputUp | kInputDown},
    };
    CallInput in;
    std::string error;
    for (const auto& [line, tick, x, y, keys] : good) {
        EXPECT_TRUE(parseScriptLine(line, &in, &error)) << line << ": " << error;
        EXPECT_EQ(in.tick, tick) << "case: '" << line << "'";
        EXPECT_EQ(in.x, x) << "case: '" << line << "'";
        EXPECT_EQ(in.y, y) << "case: '" << line << "'";
        EXPECT_EQ(in.keys, keys) << "case: '" << line << "'";
    }
    for (const char* line : {"", "   ", "\r", "# 1 2 3 L", "   # indented comment"}) {
        error = "x";
        EXPECT_FALSE(parseScriptLine(line, &in, &error));
        EXPECT_EQ(error, "") << "'" << line << "'";
    }
    const std::pair<const char*, const char*> bad[] = {
        {"30 1 2", "found 3"}, {"30 1 2 L extra", "found 5"}, {"4294967296 0 0 -", "TICK"},
        {"-1 0 0 -", "TICK"},  {"12abc 0 0 -", "TICK"},       {"0 2147483648 0 -", "X"},
        {"0 0 1.5 -", "Y"},    {"0 0 0 l", "KEYS"},           {"0 0 0 LL", "KEYS"},
        {"0 0 0 L-", "KEYS"},  {"0 0 0 L # note", "found 6"},
    };
    for (const auto& [line, what] : bad) {
        EXPECT_FALSE(parseScriptLine(line, &in, &error)) << line;
        EXPECT_NE(error.find(what), std::string::npos) << line << ": " << error;
    }
    std::istringstream text("# header\n10 1 1 -\n\n20 3 4 L\n30 5 6 U");  // no final newline
    std::vector<CallInput> calls;
    ASSERT_TRUE(parseScript(text, &calls, &error) && calls.size() == 3) << error;
    EXPECT_EQ(calls[2].tick, 30u) << "case: third call";
    EXPECT_EQ(calls[2].keys, kInputUp) << "case: third call";
}

TEST(ReplayScript, ScreenshotRequests) {
    ScreenshotRequest shot;
    ASSERT_TRUE(parseScreenshotRequest("12:C:/x.png", &shot));  // only the first colon splits
    EXPECT_EQ(shot.call, 12u) << "case: 12:C:/x.png";
    EXPECT_EQ(shot.path, "C:/x.png") << "case: 12:C:/x.png";
    for (const char* bad : {"title.png", ":a.png", "3:", "-1:a.png", "x:a.png"})
        EXPECT_FALSE(parseScreenshotRequest(bad, &shot)) << bad;
}

TEST(ReplayScript, WrittenLinesReadBackAsTheSameInput) {
    std::vector<CallInput> inputs = {{4294967295u, INT32_MIN, INT32_MAX, 0}, {0, -16, 700, 0}};
    for (uint8_t keys = 1; keys <= (kInputLeftButton | kInputUp | kInputDown); ++keys)
        inputs.push_back({30, 320, 240, keys});
    std::string text;
    for (const CallInput& in : inputs) text += formatScriptLine(in);
    std::istringstream lines(text);
    std::vector<CallInput> back;
    std::string error;
    ASSERT_TRUE(parseScript(lines, &back, &error)) << "case: the written script reads back: " << error;
    ASSERT_EQ(back.size(), inputs.size()) << "case: one line per input";
    for (size_t i = 0; i < inputs.size(); ++i)
        EXPECT_EQ(std::tuple(back[i].tick, back[i].x, back[i].y, back[i].keys),
                  std::tuple(inputs[i].tick, inputs[i].x, inputs[i].y, inputs[i].keys))
            << "case: '" << formatScriptLine(inputs[i]) << "'";
}
