#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "display/display_objects.h"
#include "display/font_face.h"
#include "display/glyph_cache.h"
#include "display/outlined_text.h"
#include "game/message_texts.h"
#include "game/messages.h"
#include "tests/test_support.h"

namespace {

constexpr uint8_t kBlack = 0;
constexpr uint8_t kWhite = 255;
constexpr uint8_t kBlue = 200;
constexpr uint8_t kRed = 201;
constexpr uint8_t kGround = 100;  // the picture the text goes over

const char* textOf(uint8_t phase) {
    for (size_t i = 0; i < kMessageRowCount; ++i)
        if (kMessageRows[i].phase == phase) return kMessageRows[i].text;
    return nullptr;
}

// The extent of every pixel that is no longer the ground.
struct Ink {
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;  // inclusive
    int count = 0;
    int32_t rows() const { return count ? bottom - top + 1 : 0; }
};

Ink inkIn(int32_t top, int32_t bottom) {
    Ink ink;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = 0; x < 640; ++x)
            if (pixelAt(display.backSurface, x, y) != kGround) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

}  // namespace

// The grey ramp of the test display with exact blue and red entries added.
class OutlinedText : public ::testing::Test {
protected:
    void SetUp() override {
        makeTestDisplay();
        display.paletteEntries[kBlue] = PaletteEntry{0, 0, 255, 0};
        display.paletteEntries[kRed] = PaletteEntry{255, 0, 0, 0};
        clear();
    }
    void TearDown() override { releaseTestDisplay(); }
    void clear() { fillRect(display.backSurface, 0, 0, 640, 480, kGround); }
};

TEST_F(OutlinedText, TitleLinesAreColourWithABlackRightEdgeInsideTheirCells) {
    ASSERT_NE(textFace(), nullptr) << "no font installed";
    drawPhaseMessages(kPhaseTitle);
    int black = 0;
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x) {
            const uint8_t p = pixelAt(display.backSurface, x, y);
            if (p == kGround) continue;
            SCOPED_TRACE(::testing::Message() << "pixel " << x << "," << y);
            const bool titleCell = y >= 170 && y < 186 && x >= 176;
            const bool clickCell = y >= 300 && y < 316 && x >= 224;
            ASSERT_TRUE(titleCell || clickCell);
            if (p == kBlack) {
                // The black copy shows only just right of a coloured stroke.
                ++black;
                ASSERT_GT(x, 0);
                EXPECT_EQ(pixelAt(display.backSurface, x - 1, y), titleCell ? kWhite : kBlue);
            } else {
                EXPECT_EQ(p, titleCell ? kWhite : kBlue);
            }
        }
    EXPECT_GT(black, 100);
    // Each line is a line of text, not a stray mark: wide, and most of a cell tall.
    const Ink title = inkIn(170, 186);
    const Ink click = inkIn(300, 316);
    EXPECT_GT(title.right - title.left, 200);
    EXPECT_GT(click.right - click.left, 120);
    EXPECT_GE(title.rows(), 12);
    EXPECT_GE(click.rows(), 12);
}

TEST_F(OutlinedText, StartAtSixtyFourIsAboutFourTimesTheSixteenLine) {
    ASSERT_NE(textFace(), nullptr) << "no font installed";
    drawPhaseMessages(kPhaseStart);
    const Ink big = inkIn(0, 480);
    EXPECT_GE(big.top, 200);
    EXPECT_LT(big.bottom, 264);
    EXPECT_GE(big.left, 190);
    clear();
    drawOutlinedText(textOf(kPhaseStart), 190, 200, 255, 255, 255, 16);
    const Ink small = inkIn(0, 480);
    ASSERT_GT(small.count, 0);
    const double tall = static_cast<double>(big.rows()) / static_cast<double>(small.rows());
    const double wide = static_cast<double>(big.right - big.left) / static_cast<double>(small.right - small.left);
    EXPECT_GT(tall, 3.4);
    EXPECT_LT(tall, 4.6);
    EXPECT_GT(wide, 3.4);
    EXPECT_LT(wide, 4.6);
}

TEST_F(OutlinedText, ColourIsTheNearestPaletteEntry) {
    ASSERT_NE(textFace(), nullptr) << "no font installed";
    drawOutlinedText(textOf(kPhaseResult), 200, 170, 255, 0, 0, 16);
    EXPECT_GT(countIndex(display.backSurface, kRed), 50);
    EXPECT_EQ(countIndex(display.backSurface, kWhite), 0);
    // Black text is all three copies in black.
    clear();
    drawOutlinedText(textOf(kPhaseTitle), 176, 170, 0, 0, 0, 16);
    EXPECT_GT(countIndex(display.backSurface, kBlack), 100);
    EXPECT_EQ(countIndex(display.backSurface, kBlack) + countIndex(display.backSurface, kGround), 640 * 480);
    // Without an exact red, the closest grey (85, 85, 85) stands in.
    clear();
    display.paletteEntries[kRed] = PaletteEntry{201, 201, 201, 0};
    drawOutlinedText(textOf(kPhaseResult), 200, 170, 255, 0, 0, 16);
    EXPECT_GT(countIndex(display.backSurface, 85), 50);
    EXPECT_EQ(countIndex(display.backSurface, 85) + countIndex(display.backSurface, kBlack) +
                  countIndex(display.backSurface, kGround),
              640 * 480);
}

TEST_F(OutlinedText, WritesOnlyInsideTheBackBufferWhereverTheTextIs) {
    ASSERT_NE(textFace(), nullptr) << "no font installed";
    const char* start = textOf(kPhaseStart);
    // Cut by each edge: what is inside shows, the rest is dropped.
    for (auto [x, y] : {std::pair{-100, 200}, {600, 200}, {190, -40}, {190, 450}, {-30, -30}, {630, 470}}) {
        clear();
        drawOutlinedText(start, x, y, 255, 255, 255, 64);
        EXPECT_GT(inkIn(0, 480).count, 0) << x << "," << y;
    }
    // Far away, or with a pen that would run past any 32-bit position: nothing.
    clear();
    for (auto [x, y] : {std::pair{INT32_MAX, 0}, {INT32_MAX - 1, 200}, {INT32_MIN, 200}, {0, INT32_MAX}, {0, INT32_MIN},
                        {-2000, 200}, {640, 200}, {0, 480}})
        drawOutlinedText(start, x, y, 255, 255, 255, 64);
    EXPECT_EQ(inkIn(0, 480).count, 0);
    // Heights that cannot be drawn are left out rather than attempted.
    for (int32_t h : {0, INT32_MAX, INT32_MIN, 100000, -100000}) drawOutlinedText(start, 0, 0, 255, 255, 255, h);
    EXPECT_EQ(inkIn(0, 480).count, 0);
}

TEST_F(OutlinedText, SkipsTheLineWhenTheBackBufferIsBusyAndNeverLeavesItLocked) {
    ASSERT_NE(textFace(), nullptr) << "no font installed";
    SurfaceLock lock;
    ASSERT_EQ(surfaceLock(display.backSurface, &lock), DD_OK);
    drawOutlinedText(textOf(kPhaseTitle), 176, 170, 255, 255, 255, 16);
    EXPECT_TRUE(display.backSurface->locked);
    ASSERT_EQ(surfaceUnlock(display.backSurface), DD_OK);
    EXPECT_EQ(inkIn(0, 480).count, 0);
    drawOutlinedText(textOf(kPhaseTitle), 176, 170, 255, 255, 255, 16);
    drawOutlinedText("", 176, 300, 255, 255, 255, 16);
    drawOutlinedText(nullptr, 176, 300, 255, 255, 255, 16);
    EXPECT_FALSE(display.backSurface->locked);
    EXPECT_GT(inkIn(170, 186).count, 0);
    EXPECT_EQ(inkIn(186, 480).count, 0);
}

TEST_F(OutlinedText, UndecodableBytesDrawWhatDecodes) {
    ASSERT_NE(textFace(), nullptr) << "no font installed";
    drawOutlinedText("AB", 10, 10, 255, 255, 255, 16);
    const Ink clean = inkIn(0, 480);
    clear();
    drawOutlinedText("\xFF" "A\x80" "B\x82", 10, 10, 255, 255, 255, 16);
    const Ink dirty = inkIn(0, 480);
    EXPECT_EQ(dirty.count, clean.count);
    EXPECT_EQ(dirty.left, clean.left);
    EXPECT_EQ(dirty.right, clean.right);
}

TEST_F(OutlinedText, RepeatedFramesRenderNoGlyphAgain) {
    ASSERT_NE(textFace(), nullptr) << "no font installed";
    for (uint8_t phase : {kPhaseTitle, kPhaseAnnouncement, kPhaseStart, kPhaseResult, kPhaseStageClear})
        drawPhaseMessages(phase);
    const uint64_t rendered = glyphRenderCount();
    for (int frame = 0; frame < 50; ++frame)
        for (uint8_t phase : {kPhaseTitle, kPhaseAnnouncement, kPhaseStart, kPhaseResult, kPhaseStageClear})
            drawPhaseMessages(phase);
    EXPECT_EQ(glyphRenderCount(), rendered);
}

TEST(TextFont, ProportionalMinchoWithAGdiSizedCell) {
    TextFontMatch match;
    ASSERT_TRUE(matchTextFont(nullptr, &match));
    EXPECT_TRUE(match.coversJapanese);
    EXPECT_EQ(match.family, "IPAPMincho") << match.file;
    FT_Face face = textFace();
    ASSERT_NE(face, nullptr);
    TextCell cell;
    ASSERT_TRUE(textCellFor(face, 16, &cell));
    EXPECT_EQ(cell.ppem, 15);
    EXPECT_GT(cell.ascent, 10);
    EXPECT_LT(cell.ascent, 16);
    ASSERT_TRUE(textCellFor(face, 64, &cell));
    EXPECT_GE(cell.ppem, 58);
    EXPECT_LE(cell.ppem, 62);
    ASSERT_TRUE(textCellFor(face, -20, &cell));
    EXPECT_EQ(cell.ppem, 20);
}

TEST(TextFont, AConfigurationWithoutJapaneseSaysSo) {
    const char* latin = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    FcConfig* config = FcConfigCreate();
    ASSERT_NE(config, nullptr);
    if (!FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(latin))) {
        FcConfigDestroy(config);
        GTEST_SKIP() << "no " << latin;
    }
    TextFontMatch match;
    EXPECT_TRUE(matchTextFont(config, &match));
    EXPECT_FALSE(match.coversJapanese);
    FcConfigDestroy(config);
    FcConfig* empty = FcConfigCreate();
    EXPECT_FALSE(matchTextFont(empty, &match));
    FcConfigDestroy(empty);
}
