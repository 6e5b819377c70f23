#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/text_raster.h"
#include "game/message_texts.h"
#include "platform/linux/font_face.h"
#include "tools/common/png_write.h"

namespace {

const std::string kTool = std::string(NMNM_BUILD_DIR) + "/bin/nmnm-replay";
const std::string kScreens = std::string(NMNM_TEST_DIR) + "/screens/";

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

// One kept picture: taken after `call` of tests/screens/phases.txt, showing
// the messages of `phase` (none for play).
struct Screen {
    const char* name;
    int call;
    int phase;
};
const Screen kScreenList[] = {{"title", 4, 0},           {"play", 406, 3},   {"stage_clear", 944, 5},
                              {"announcement", 1000, 1}, {"start", 1050, 2}, {"failure", 1660, 4}};

// The rows a phase's messages may cover, as the installed font draws them
// (a numbered line is measured with its "%d"; a row of margin either side).
std::vector<bool> textRows(int phase) {
    std::vector<bool> rows(480, false);
    for (size_t i = 0; i < kMessageRowCount; ++i) {
        const MessageRow& m = kMessageRows[i];
        TextMask mask{};
        if (m.phase != phase || !rasterizeTextLine(m.text, std::string(m.text).size(), m.height, &mask)) continue;
        for (int y = m.y + mask.top - 2; y < m.y + mask.top + mask.rows + 2; ++y)
            if (y >= 0 && y < 480) rows[y] = true;
    }
    return rows;
}

// What the installed font makes of every message: its name and a hash of the
// masks. Pictures kept with another font are compared without their text rows.
std::string fontFingerprint() {
    uint64_t hash = 1469598103934665603ull;
    const auto mix = [&hash](int64_t v) { hash = (hash ^ static_cast<uint64_t>(v)) * 1099511628211ull; };
    for (size_t i = 0; i < kMessageRowCount; ++i) {
        TextMask mask{};
        if (!rasterizeTextLine(kMessageRows[i].text, std::string(kMessageRows[i].text).size(), kMessageRows[i].height,
                               &mask))
            continue;
        for (int64_t v : {mask.width, mask.rows, mask.left, mask.top}) mix(v);
        for (int32_t r = 0; r < mask.rows; ++r)
            for (int32_t c = 0; c < mask.width; ++c) mix(mask.bits[r * mask.pitch + c] != 0);
    }
    FT_Face face = textFace();
    char text[128];
    std::snprintf(text, sizeof text, "%s %s %016llx", face ? face->family_name : "no-font",
                  face ? face->style_name : "", static_cast<unsigned long long>(hash));
    return text;
}

struct Picture {
    std::string pixels;
    int32_t width = 0, height = 0;
    PaletteEntry palette[256] = {};
};

bool readPicture(const std::string& path, Picture* p) {
    return readIndexedPng(path, &p->pixels, &p->width, &p->height, p->palette);
}

}  // namespace

TEST(ReplayTool, MalformedScriptLineOrUnsoundOptionsStopBeforeAnythingRuns) {
    ASSERT_TRUE(std::ifstream(kTool).good()) << kTool << " is not built (the tests depend on it)";
    const std::string script = ::testing::TempDir() + "replay_bad_script.txt";
    const std::string trace = ::testing::TempDir() + "replay_bad_trace.jsonl";
    std::ofstream(script) << "# starts well\n0 10 10 -\n\n30 10 10 L\n60 10 ten -\n90 10 10 -\n";
    std::remove(trace.c_str());
    const auto [code, output] = runTool("--script " + script + " --trace " + trace);
    EXPECT_EQ(code, 1) << "case: bad script line, exit code";
    EXPECT_NE(output.find("line 5"), std::string::npos) << "case: bad script line, names the line: " << output;
    EXPECT_NE(output.find("'ten'"), std::string::npos) << "case: bad script line, names the field: " << output;
    EXPECT_FALSE(std::ifstream(trace).good()) << "case: bad script line, no trace begun";

    for (const char* args : {"", "--autoplay 5 --script x.txt", "--autoplay five", "--script",
                             "--autoplay 5 --screenshot title.png", "--bench --trace t.jsonl", "--frobnicate"}) {
        const auto [code, said] = runTool(args);
        EXPECT_EQ(code, 2) << "case: options '" << args << "', exit code";
        EXPECT_NE(said.find("usage:"), std::string::npos) << "case: options '" << args << "', usage shown";
    }
    const auto [missing, said] = runTool("--script /no/such/script.txt");
    EXPECT_EQ(missing, 1) << "case: missing script, exit code";
    EXPECT_NE(said.find("/no/such/script.txt"), std::string::npos) << "case: missing script, named";
}

// Pictures of every phase made by the tool from a fixed script and looked at
// once by a person. Any pixel that changes fails; text rows are compared only
// when the installed font draws the messages as it did when they were kept.
// NMNM_UPDATE_SCREENS=1 makes this test keep the new pictures instead.
TEST(ReplayTool, PhaseScreensMatchTheKeptPictures) {
    ASSERT_TRUE(std::ifstream(kTool).good()) << kTool << " is not built (the tests depend on it)";
    const bool update = std::getenv("NMNM_UPDATE_SCREENS") != nullptr;
    std::string args = "--script " + kScreens + "phases.txt";
    const std::string dir = update ? kScreens : ::testing::TempDir();
    for (const Screen& s : kScreenList) args += " --screenshot " + std::to_string(s.call) + ":" + dir + s.name + ".png";
    const auto [code, output] = runTool(args);
    ASSERT_EQ(code, 0) << output;

    const std::string font = fontFingerprint();
    if (update) {
        std::ofstream(kScreens + "font.txt") << font << "\n";
        GTEST_SKIP() << "kept new pictures in " << kScreens;
    }
    std::string keptFont;
    std::getline(std::ifstream(kScreens + "font.txt"), keptFont);
    const bool sameFont = keptFont == font;
    if (!sameFont)
        std::printf("text rows not compared: pictures kept with '%s', now '%s'\n", keptFont.c_str(), font.c_str());

    for (const Screen& s : kScreenList) {
        Picture kept, now;
        ASSERT_TRUE(readPicture(kScreens + s.name + ".png", &kept))
            << "case: " << s.name << ", kept picture unreadable";
        ASSERT_TRUE(readPicture(dir + s.name + ".png", &now)) << "case: " << s.name << ", new picture unreadable";
        ASSERT_EQ(now.width, kept.width) << "case: " << s.name << ", width";
        ASSERT_EQ(now.height, kept.height) << "case: " << s.name << ", height";
        int colours = 0;
        for (int i = 0; i < 256; ++i)
            colours += now.palette[i].red != kept.palette[i].red || now.palette[i].green != kept.palette[i].green ||
                       now.palette[i].blue != kept.palette[i].blue;
        EXPECT_EQ(colours, 0) << "case: " << s.name << ", palette entries that differ";

        const std::vector<bool> text = textRows(s.phase);
        int differing = 0, firstRow = -1, firstColumn = -1, textDiffering = 0;
        for (int32_t y = 0; y < kept.height; ++y)
            for (int32_t x = 0; x < kept.width; ++x) {
                const size_t i = static_cast<size_t>(y) * kept.width + x;
                if (now.pixels[i] == kept.pixels[i]) continue;
                if (y < 480 && text[y]) {
                    ++textDiffering;
                    if (!sameFont) continue;
                }
                if (differing++ == 0) firstRow = y, firstColumn = x;
            }
        EXPECT_EQ(differing, 0) << "case: " << s.name << ", pixels that differ; the first at row " << firstRow
                                << ", column " << firstColumn << " (" << textDiffering << " of them in text rows)";
    }
}
