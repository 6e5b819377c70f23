// The Windows text and file services on their own, under Wine: GDI draws the
// game's lines into a crisp mask, and the LZ reader hands over plain and SZDD
// files alike with the same refusals as on Linux.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/data_files.h"
#include "base/text_raster.h"
#include "tests/support/scratch_folder.h"
#include "tools/common/bmp_fixture.h"

namespace {

// "クリックすると始まるよ！！" and "ＳＴＡＲＴ！！" in code page 932.
const char kClickLine[] =
    "\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xb7\x82\xe9\x82\xc6\x8e\x6e\x82\xdc\x82\xe9\x82\xe6\x81\x49\x81\x49";
const char kStartLine[] = "\x82\x72\x82\x73\x82\x60\x82\x71\x82\x73\x81\x49\x81\x49";

struct MaskSummary {
    int64_t ink = 0;
    int64_t other = 0;  // values neither 0 nor 1
    int32_t firstInkRow = -1;
};

MaskSummary summarize(const TextMask& mask) {
    MaskSummary s;
    for (int32_t r = 0; r < mask.rows; ++r)
        for (int32_t c = 0; c < mask.width; ++c) {
            const uint8_t v =
                mask.bits[static_cast<size_t>(r) * static_cast<size_t>(mask.pitch) + static_cast<size_t>(c)];
            s.ink += v != 0;
            s.other += v > 1;
            if (v && s.firstInkRow < 0) s.firstInkRow = r;
        }
    return s;
}

// Each file test in a scratch folder of its own.
class ScratchFolderTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
};

// An SZDD file holding `plain` as literals only: a flag byte of eight set
// bits before every eight bytes.
std::vector<uint8_t> szddOf(const std::vector<uint8_t>& plain) {
    std::vector<uint8_t> out = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0};
    const uint32_t size = static_cast<uint32_t>(plain.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(size >> (8 * i)));
    for (size_t i = 0; i < plain.size(); i += 8) {
        out.push_back(0xFF);
        for (size_t k = i; k < i + 8 && k < plain.size(); ++k) out.push_back(plain[k]);
    }
    return out;
}

std::vector<uint8_t> sampleBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

}  // namespace

TEST(GdiText, LinesAreCrispInkInTheirCell) {
    const struct {
        const char* text;
        int32_t height;
        const char* name;
    } cases[] = {{kClickLine, 16, "click line at 16"}, {kStartLine, 64, "START at 64"}};
    for (const auto& c : cases) {
        TextMask mask{};
        ASSERT_TRUE(rasterizeTextLine(c.text, std::strlen(c.text), c.height, &mask)) << "case: " << c.name;
        const MaskSummary s = summarize(mask);
        EXPECT_GT(s.ink, 30) << "case: " << c.name << " has ink";
        EXPECT_EQ(s.other, 0) << "case: " << c.name << " is two-valued (no antialiasing)";
        // GDI rounds the face's cell to whole pixels: a pixel less may come out.
        EXPECT_GE(mask.rows, c.height - 1) << "case: " << c.name << " spans its cell height";
        EXPECT_LE(mask.rows, c.height) << "case: " << c.name << " spans its cell height";
        EXPECT_GE(s.firstInkRow, 0) << "case: " << c.name << " ink inside the cell";
        EXPECT_LE(mask.left, 0) << "case: " << c.name << " starts at or left of the pen";
        EXPECT_GE(mask.pitch, mask.width) << "case: " << c.name;
    }
}

TEST(GdiText, WiderLinesForMoreText) {
    TextMask shortMask{};
    TextMask longMask{};
    ASSERT_TRUE(rasterizeTextLine(kClickLine, 4, 16, &shortMask));
    const int32_t shortWidth = shortMask.width;
    ASSERT_TRUE(rasterizeTextLine(kClickLine, std::strlen(kClickLine), 16, &longMask));
    EXPECT_GT(longMask.width, shortWidth + 60) << "case: eleven more characters at 16";
}

TEST(GdiText, NothingToDrawGivesAnEmptyMask) {
    const struct {
        const char* text;
        size_t length;
        int32_t height;
        const char* name;
    } cases[] = {{kStartLine, 0, 16, "empty line"},
                 {nullptr, 4, 16, "no text"},
                 {kStartLine, 4, 0, "height 0"},
                 {kStartLine, 4, 100000, "absurd height"}};
    for (const auto& c : cases) {
        TextMask mask{reinterpret_cast<const uint8_t*>(1), 1, 1, 1, 1, 1};
        EXPECT_FALSE(rasterizeTextLine(c.text, c.length, c.height, &mask)) << "case: " << c.name;
        EXPECT_EQ(mask.bits, nullptr) << "case: " << c.name << " leaves no mask";
    }
}

// Frames draw the same lines over and over: once warm, no GDI object is made
// and the mask stays where it is.
TEST(GdiText, WarmLinesCreateNothing) {
    TextMask mask{};
    ASSERT_TRUE(rasterizeTextLine(kStartLine, std::strlen(kStartLine), 64, &mask));
    ASSERT_TRUE(rasterizeTextLine(kClickLine, std::strlen(kClickLine), 16, &mask));
    const uint8_t* warmBits = mask.bits;
    const DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(rasterizeTextLine(kStartLine, std::strlen(kStartLine), 64, &mask));
        ASSERT_TRUE(rasterizeTextLine(kClickLine, std::strlen(kClickLine), 16, &mask));
    }
    EXPECT_EQ(mask.bits, warmBits) << "case: the mask is not made anew";
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsBefore)
        << "case: GDI objects after 100 lines";
}

TEST_F(ScratchFolderTest, PlainAndSzddReadAlike) {
    const std::vector<uint8_t> plain = sampleBytes(5000);
    ASSERT_TRUE(writeBytes("plain.bmp", plain) && writeBytes("packed.bmp", szddOf(plain)));
    for (const char* name : {"plain.bmp", "packed.bmp"}) {
        DataFile file;
        std::string reason;
        ASSERT_TRUE(readDataFile(name, &file, &reason)) << "case: " << name << ": " << reason;
        EXPECT_EQ(file.bytes, plain) << "case: " << name;
        EXPECT_EQ(file.path, name) << "case: " << name << " found in the current folder";
    }
}

TEST_F(ScratchFolderTest, RefusalsSayWhy) {
    ASSERT_TRUE(CreateDirectoryA("folder.bmp", nullptr));
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {{"missing.bmp", "not found in the current folder"},
                 {"folder.bmp", "is a folder"},
                 {"NUL", "is not a regular file"}};
    for (const auto& c : cases) {
        DataFile file;
        file.bytes = {1, 2, 3};
        std::string reason;
        EXPECT_FALSE(readDataFile(c.name, &file, &reason)) << "case: " << c.name;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << "case: " << c.name << " gave '" << reason << "'";
        EXPECT_TRUE(file.bytes.empty()) << "case: " << c.name << " leaves no bytes";
    }
}

TEST_F(ScratchFolderTest, TooLargeIsRefusedUnread) {
    HANDLE big = CreateFileA("big.bmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(big, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = static_cast<LONGLONG>(kMaxDataFileBytes) + 1;
    ASSERT_TRUE(SetFilePointerEx(big, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(big));
    CloseHandle(big);
    DataFile file;
    std::string reason;
    EXPECT_FALSE(readDataFile("big.bmp", &file, &reason)) << "case: one byte over the limit";
    EXPECT_NE(reason.find("too large"), std::string::npos) << "case: one byte over the limit gave '" << reason << "'";
}

// A file expanding past the limit is stopped while it is read, whatever its
// header claims.
TEST_F(ScratchFolderTest, ExpandingPastTheLimitIsRefused) {
    std::vector<uint8_t> packed = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0, 0xFF, 0xFF, 0xFF, 0xFF};
    // Every pair of bytes after an all-clear flag byte copies 18 bytes from
    // the window: 144 bytes out for every 17 in.
    const size_t groups = kMaxDataFileBytes / 144 + 1024;
    packed.reserve(packed.size() + groups * 17);
    for (size_t g = 0; g < groups; ++g) {
        packed.push_back(0x00);
        for (int k = 0; k < 8; ++k) packed.insert(packed.end(), {0x00, 0x0F});
    }
    ASSERT_TRUE(writeBytes("bomb.bmp", packed));
    DataFile file;
    std::string reason;
    EXPECT_FALSE(readDataFile("bomb.bmp", &file, &reason)) << "case: expands past the limit";
    EXPECT_NE(reason.find("too large once expanded"), std::string::npos) << "case: bomb gave '" << reason << "'";
    EXPECT_TRUE(file.bytes.empty()) << "case: bomb leaves no bytes";
}

// Started from elsewhere, the game still finds the pictures beside it.
TEST_F(ScratchFolderTest, FoundBesideTheProgram) {
    char program[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, program, MAX_PATH);
    ASSERT_GT(n, 0u);
    std::string folder(program, n);
    folder.resize(folder.find_last_of("\\/") + 1);
    const std::string name = "nmnm-beside-" + std::to_string(GetCurrentProcessId()) + ".bmp";
    const std::vector<uint8_t> bytes = sampleBytes(300);
    ASSERT_TRUE(writeBytes(folder + name, bytes));
    DataFile file;
    std::string reason;
    const bool found = readDataFile(name.c_str(), &file, &reason);
    DeleteFileA((folder + name).c_str());
    ASSERT_TRUE(found) << "case: beside the program: " << reason;
    EXPECT_EQ(file.path, folder + name) << "case: beside the program";
    EXPECT_EQ(file.bytes, bytes) << "case: beside the program";
}
