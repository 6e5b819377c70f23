// The game's real window under Wine, read back through GDI: after runs of
// frames that draw only what changed, the window shows exactly what a whole
// repaint (WM_PAINT) shows, at whole, fractional and shrinking scales; and a
// frame really leaves alone what did not change. Needs a screen (Xvfb).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "base/host.h"
#include "base/window.h"

namespace {

uint32_t nextRandom(uint32_t& seed, uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
}

void pumpMessages() { hostHandleEvents(); }

// What the client area shows, one 0x00RRGGBB value a pixel, rows top-down.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

Shot readClient(HWND window) {
    Shot shot;
    RECT client{};
    GetClientRect(window, &client);
    shot.width = client.right;
    shot.height = client.bottom;
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memoryDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memoryDc, dib);
        BitBlt(memoryDc, 0, 0, shot.width, shot.height, windowDc, 0, 0, SRCCOPY);
        GdiFlush();
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        shot.pixels.assign(p, p + static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height));
        for (uint32_t& v : shot.pixels) v &= 0xFFFFFF;
        SelectObject(memoryDc, old);
        DeleteObject(dib);
    }
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    return shot;
}

// "" when equal, else where and how many pixels differ.
std::string compareShots(const Shot& got, const Shot& want) {
    if (got.width != want.width || got.height != want.height || got.pixels.size() != want.pixels.size())
        return "sizes differ";
    if (got.pixels.empty()) return "nothing read";
    size_t differing = 0;
    size_t first = 0;
    for (size_t i = 0; i < got.pixels.size(); ++i)
        if (got.pixels[i] != want.pixels[i] && differing++ == 0) first = i;
    if (differing == 0) return "";
    return std::to_string(differing) + " pixels differ, the first at (" + std::to_string(first % got.width) + ", " +
           std::to_string(first / got.width) + ")";
}

// The game's picture: a background of random pixels and blocks that move.
struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    PaletteEntry colours[256] = {};

    explicit Picture(uint32_t& seed) {
        for (uint8_t& p : pixels) p = static_cast<uint8_t>(nextRandom(seed, 256));
        for (PaletteEntry& c : colours)
            c = PaletteEntry{static_cast<uint8_t>(nextRandom(seed, 256)), static_cast<uint8_t>(nextRandom(seed, 256)),
                             static_cast<uint8_t>(nextRandom(seed, 256)), 0};
    }
    void moveSprites(uint32_t& seed) {
        const int count = 1 + static_cast<int>(nextRandom(seed, 6));
        for (int k = 0; k < count; ++k) {
            const int32_t left = static_cast<int32_t>(nextRandom(seed, kScreenWidth + 20)) - 20;
            const int32_t top = static_cast<int32_t>(nextRandom(seed, kScreenHeight + 20)) - 20;
            const int32_t size = 1 + static_cast<int32_t>(nextRandom(seed, 33));
            const uint8_t colour = static_cast<uint8_t>(nextRandom(seed, 256));
            for (int32_t y = top; y < top + size; ++y)
                for (int32_t x = left; x < left + size; ++x)
                    if (x >= 0 && x < kScreenWidth && y >= 0 && y < kScreenHeight)
                        pixels[static_cast<size_t>(y) * kScreenWidth + static_cast<size_t>(x)] = colour;
        }
    }
    void present() const { hostPresent(pixels.data(), kScreenWidth, kScreenWidth, kScreenHeight, colours); }
};

class PresentUnderWine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(hostOpenWindow(nullptr)) << "the game's window";
        window = FindWindowA("nmnm", "nmnm");
        ASSERT_NE(window, nullptr) << "the window of class nmnm";
        pumpMessages();
    }
    static void TearDownTestSuite() {
        hostCloseWindow();
        window = nullptr;
    }
    // The client area made `width` x `height`, shown and painted.
    static void resizeClient(int width, int height) {
        SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(window);
        pumpMessages();
    }
    static Shot wholeRepaint() {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        return readClient(window);
    }
    static HWND window;
};

HWND PresentUnderWine::window = nullptr;

}  // namespace

// 1280 x 1024 (2x, bars above and below), 1024 x 768 (1.6x), 1000 x 700
// (1.458x, bars at the sides), 800 x 600 (1.25x), 640 x 480 (1x, drawn
// without stretching) and 500 x 400 (shrunk): runs of frames with moving
// blocks and now and then a new colour, compared with a whole repaint after
// 1, 5 and 30 frames.
TEST_F(PresentUnderWine, FramesDrawnInPartsShowWhatAWholeRepaintShows) {
    const int sizes[][2] = {{1280, 1024}, {1024, 768}, {1000, 700}, {800, 600}, {640, 480}, {500, 400}};
    uint32_t seed = 2024;
    for (const auto& size : sizes) {
        resizeClient(size[0], size[1]);
        Picture picture(seed);
        picture.present();
        const std::string where = std::to_string(size[0]) + "x" + std::to_string(size[1]);
        int frame = 0;
        for (int run : {1, 5, 30}) {
            for (int i = 0; i < run; ++i, ++frame) {
                picture.moveSprites(seed);
                if (nextRandom(seed, 12) == 0) picture.colours[nextRandom(seed, 256)].green ^= 0x40;
                picture.present();
            }
            const Shot drawn = readClient(window);
            const Shot repainted = wholeRepaint();
            EXPECT_EQ(compareShots(drawn, repainted), "") << "case: window " << where << ", after frame " << frame;
        }
    }
}

// A frame that changes one corner of the picture draws nothing elsewhere:
// a mark made on the window far from it stays until the whole repaint. (A
// new colour drawing everything is the test above's, whose runs change some.)
TEST_F(PresentUnderWine, AFrameDrawsOnlyWhereThePictureChanged) {
    for (const auto& size : {std::pair{1024, 768}, std::pair{640, 480}}) {
        resizeClient(size.first, size.second);
        uint32_t seed = 7;
        Picture picture(seed);
        picture.present();
        const std::string where = std::to_string(size.first) + "x" + std::to_string(size.second);
        HDC dc = GetDC(window);
        const int markX = size.first * 3 / 4;
        const int markY = size.second * 3 / 4;
        RECT mark{markX, markY, markX + 4, markY + 4};
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &mark, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
        picture.pixels[0] ^= 1;  // the top-left corner only
        picture.present();
        const Shot drawn = readClient(window);
        ASSERT_FALSE(drawn.pixels.empty()) << "case: window " << where;
        EXPECT_EQ(drawn.pixels[static_cast<size_t>(markY) * drawn.width + markX], 0xFF00FFu)
            << "case: window " << where << ", the mark after a frame changing the corner";
        const Shot repainted = wholeRepaint();
        EXPECT_NE(repainted.pixels[static_cast<size_t>(markY) * repainted.width + markX], 0xFF00FFu)
            << "case: window " << where << ", the mark after a whole repaint";
    }
}
