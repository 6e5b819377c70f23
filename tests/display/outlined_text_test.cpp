#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "display/display_objects.h"
#include "display/outlined_text.h"
#include "game/message_texts.h"
#include "game/messages.h"
#include "platform/linux/font_face.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint8_t kBlack = 0, kWhite = 255, kBlue = 200, kRed = 201;
constexpr uint8_t kGround = 100;  // the picture the text goes over

const char* textOf(uint8_t phase) {
    for (size_t i = 0; i < kMessageRowCount; ++i)
        if (kMessageRows[i].phase == phase) return kMessageRows[i].text;
    return nullptr;
}

// The extent (inclusive) of every pixel in rows top to bottom that is no longer the ground.
struct Ink {
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    int count = 0;
    double rows() const { return count ? static_cast<double>(bottom - top + 1) : 0.0; }
    double width() const { return count ? static_cast<double>(right - left) : 0.0; }
};

Ink inkIn(int32_t top, int32_t bottom) {
    Ink ink;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = 0; x < 640; ++x)
            if (pixelAt(displayObjects.backSurface, x, y) != kGround) {
                ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x), std::max(ink.bottom, y),
                       ink.count + 1};
            }
    return ink;
}

// The grey ramp of the test display with exact blue and red entries added.
class OutlinedText : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        displayObjects.paletteEntries[kBlue] = PaletteEntry{0, 0, 255, 0};
        displayObjects.paletteEntries[kRed] = PaletteEntry{255, 0, 0, 0};
        clear();
        ASSERT_NE(textFace(), nullptr) << "no font installed";
    }
    void clear() { fillAll(displayObjects.backSurface, kGround); }
    // Whether the back buffer holds only the ground, black and more than 50 of `colour`.
    bool onlyInk(uint8_t colour) {
        const int n = countIndex(displayObjects.backSurface, colour);
        return n > 50 &&
               n + countIndex(displayObjects.backSurface, kBlack) + countIndex(displayObjects.backSurface, kGround) ==
                   640 * 480;
    }
};

}  // namespace

TEST_F(OutlinedText, TitleLinesAreColourWithABlackRightEdgeInsideTheirCells) {
    drawPhaseMessages(kPhaseTitle);
    int black = 0;
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x) {
            const uint8_t p = pixelAt(displayObjects.backSurface, x, y);
            if (p == kGround) continue;
            const bool titleCell = y >= 170 && y < 186 && x >= 176;
            const bool clickCell = y >= 300 && y < 316 && x >= 224;
            ASSERT_TRUE(titleCell || clickCell) << x << "," << y;
            // The black copy shows only just right of a coloured stroke.
            const uint8_t colour = titleCell ? kWhite : kBlue;
            black += p == kBlack;
            ASSERT_EQ(p == kBlack ? pixelAt(displayObjects.backSurface, x - 1, y) : p, colour) << x << "," << y;
        }
    EXPECT_GT(black, 100);
    // Each line is a line of text, not a stray mark: wide, and most of a cell tall.
    const Ink title = inkIn(170, 186), click = inkIn(300, 316);
    EXPECT_GT(title.width(), 200) << "case: title line";
    EXPECT_GE(title.rows(), 12) << "case: title line";
    EXPECT_GT(click.width(), 120) << "case: click-to-start line";
    EXPECT_GE(click.rows(), 12) << "case: click-to-start line";
}

TEST_F(OutlinedText, StartAtSixtyFourIsAboutFourTimesTheSixteenLine) {
    drawPhaseMessages(kPhaseStart);
    const Ink big = inkIn(0, 480);
    EXPECT_GE(big.top, 200) << "case: START at 64";
    EXPECT_LT(big.bottom, 264) << "case: START at 64";
    EXPECT_GE(big.left, 190) << "case: START at 64";
    clear();
    drawOutlinedText(textOf(kPhaseStart), 190, 200, 255, 255, 255, 16);
    const Ink small = inkIn(0, 480);
    ASSERT_GT(small.count, 0);
    EXPECT_NEAR(big.rows() / small.rows(), 4.0, 0.6);
    EXPECT_NEAR(big.width() / small.width(), 4.0, 0.6);
}

TEST_F(OutlinedText, ColourIsTheNearestPaletteEntry) {
    drawOutlinedText(textOf(kPhaseResult), 200, 170, 255, 0, 0, 16);
    EXPECT_TRUE(onlyInk(kRed));
    // Without an exact red, the closest grey (85, 85, 85) stands in.
    clear();
    displayObjects.paletteEntries[kRed] = PaletteEntry{201, 201, 201, 0};
    drawOutlinedText(textOf(kPhaseResult), 200, 170, 255, 0, 0, 16);
    EXPECT_TRUE(onlyInk(85));
}

TEST_F(OutlinedText, WritesOnlyInsideTheBackBufferWhereverTheTextIs) {
    const char* start = textOf(kPhaseStart);
    // Cut by each edge: what is inside shows, the rest is dropped.
    for (auto [x, y] : {std::pair{-100, 200}, {600, 200}, {190, -40}, {190, 450}, {-30, -30}, {630, 470}}) {
        clear();
        drawOutlinedText(start, x, y, 255, 255, 255, 64);
        EXPECT_GT(inkIn(0, 480).count, 0) << x << "," << y;
    }
    // Far away, with a pen that would run past any 32-bit position, or a
    // height that cannot be drawn: nothing.
    clear();
    for (auto [x, y] :
         {std::pair{INT32_MAX - 1, 200}, {INT32_MIN, 200}, {0, INT32_MAX}, {0, INT32_MIN}, {640, 200}, {0, 480}})
        drawOutlinedText(start, x, y, 255, 255, 255, 64);
    for (int32_t h : {0, INT32_MAX, INT32_MIN, -100000}) drawOutlinedText(start, 0, 0, 255, 255, 255, h);
    EXPECT_EQ(inkIn(0, 480).count, 0);
}

TEST_F(OutlinedText, SkipsTheLineWhenTheBackBufferIsBusyAndNeverLeavesItLocked) {
    SurfaceLock lock;
    ASSERT_EQ(surfaceLock(displayObjects.backSurface, &lock), DD_OK);
    drawOutlinedText(textOf(kPhaseTitle), 176, 170, 255, 255, 255, 16);
    EXPECT_TRUE(displayObjects.backSurface->locked);
    ASSERT_EQ(surfaceUnlock(displayObjects.backSurface), DD_OK);
    EXPECT_EQ(inkIn(0, 480).count, 0);
    for (const char* text : {textOf(kPhaseTitle), "", static_cast<const char*>(nullptr)})
        drawOutlinedText(text, 176, 170, 255, 255, 255, 16);
    EXPECT_FALSE(displayObjects.backSurface->locked) << "case: after empty and null lines";
    EXPECT_GT(inkIn(170, 186).count, 0) << "case: after empty and null lines";
}

TEST(TextFont, ProportionalMinchoWithAGdiSizedCellAndNoJapaneseSaidSo) {
    TextFontMatch match;
    ASSERT_TRUE(matchTextFont(nullptr, &match));
    EXPECT_EQ(match.family, "IPAPMincho") << match.file;
    EXPECT_TRUE(match.coversJapanese) << match.file;
    TextCell cell;
    for (auto [height, low, high] : {std::tuple{16, 15, 15}, {64, 58, 62}, {-20, 20, 20}}) {
        const bool drawable = textCellFor(textFace(), height, &cell);
        EXPECT_TRUE(drawable) << "case: height " << height;
        if (!drawable) continue;
        EXPECT_GE(cell.ppem, low) << "case: height " << height << ", em size";
        EXPECT_LE(cell.ppem, high) << "case: height " << height << ", em size";
    }
    FcConfig* empty = FcConfigCreate();
    EXPECT_FALSE(matchTextFont(empty, &match));
    const char* latin = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    if (FcConfigAppFontAddFile(empty, reinterpret_cast<const FcChar8*>(latin))) {
        EXPECT_TRUE(matchTextFont(empty, &match));
        EXPECT_FALSE(match.coversJapanese);
    }
    FcConfigDestroy(empty);
}
