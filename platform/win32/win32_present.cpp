// Presentation without a mode change: the 8-bit picture goes to the window
// through an 8-bit DIB whose colour table is the picture's palette, stretched
// by GDI to the largest 4:3 area with whole-pixel sampling and black bars.
#include <windows.h>

#include <cstring>

#include "base/host.h"
#include "platform/common/picture_fit.h"
#include "platform/win32/win32_state.h"

namespace {

struct PictureInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

// The picture last presented, kept for WM_PAINT; the display only lends its
// bytes for a call. Rows top-down, 640 bytes each (already a multiple of 4).
uint8_t shownPixels[kScreenWidth * kScreenHeight];
PictureInfo shownInfo;
bool havePicture = false;

void fillBlack(HDC dc, LONG left, LONG top, LONG right, LONG bottom) {
    if (right > left && bottom > top) PatBlt(dc, left, top, right - left, bottom - top, BLACKNESS);
}

RECT clientRect() {
    RECT client{};
    if (win32Host.window) GetClientRect(win32Host.window, &client);
    return client;
}

}  // namespace

RECT pictureRectInClient() {
    const RECT client = clientRect();
    const Rect box = letterboxRect(client.right, client.bottom);
    return RECT{box.left, box.top, box.right, box.bottom};
}

void repaintPicture(HDC dc) {
    const RECT client = clientRect();
    const RECT box = pictureRectInClient();
    fillBlack(dc, 0, 0, client.right, box.top);
    fillBlack(dc, 0, box.bottom, client.right, client.bottom);
    fillBlack(dc, 0, box.top, box.left, box.bottom);
    fillBlack(dc, box.right, box.top, client.right, box.bottom);
    if (!havePicture) {
        fillBlack(dc, box.left, box.top, box.right, box.bottom);
        return;
    }
    // Whole source pixels repeated or dropped, never blended: crisp.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0, kScreenWidth,
                  kScreenHeight, shownPixels, reinterpret_cast<const BITMAPINFO*>(&shownInfo), DIB_RGB_COLORS,
                  SRCCOPY);
}

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                 const PaletteEntry colours[256]) {
    if (!pixels || !colours || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(shownPixels + static_cast<size_t>(y) * kScreenWidth,
                    pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), static_cast<size_t>(width));
    shownInfo.header.biSize = sizeof shownInfo.header;
    shownInfo.header.biWidth = kScreenWidth;
    shownInfo.header.biHeight = -kScreenHeight;  // top-down, as the display keeps it
    shownInfo.header.biPlanes = 1;
    shownInfo.header.biBitCount = 8;
    shownInfo.header.biCompression = BI_RGB;
    shownInfo.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i)
        shownInfo.colours[i] = RGBQUAD{colours[i].blue, colours[i].green, colours[i].red, 0};
    havePicture = true;
    if (!win32Host.window) return;
    HDC dc = GetDC(win32Host.window);
    if (!dc) return;
    repaintPicture(dc);
    ReleaseDC(win32Host.window, dc);
}

// The display objects go away after this: forget the picture, keep what the
// window shows.
void hostCloseDisplay() { havePicture = false; }
