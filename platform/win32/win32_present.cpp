// Presentation without a mode change: the picture is enlarged by the shared
// enlarger (platform/common/picture_enlarge) into a 32-bit DIB section of
// the letterbox's size, with the sampling the cursor maps by, and copied to
// the window 1:1 with black bars around it. Between frames only the parts
// the presenting step names are enlarged and copied. GDI's own stretch
// (StretchDIBits) cost Wine several times as much: a colour lookup and a
// stretch of its own per pixel, on every frame.
#include <windows.h>

#include <cstddef>

#include "base/host.h"
#include "platform/common/picture_enlarge.h"
#include "platform/common/picture_fit.h"
#include "platform/common/present_step.h"
#include "platform/win32/win32_state.h"

namespace {

// The picture last presented is the presenting step's copy of it, kept for
// WM_PAINT too; the display only lends its bytes for a call.
PresentStep step;
bool havePicture = false;

// The picture as the window shows it, rows top-down, 4 bytes a pixel.
struct Enlarged {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    bool current = false;  // holds the step's picture through its colours
};
Enlarged enlarged;
Enlargement enlargement;
uint32_t pixelOf[256];

void releaseEnlarged() {
    if (enlarged.dc) {
        SelectObject(enlarged.dc, enlarged.previous);
        DeleteDC(enlarged.dc);
    }
    if (enlarged.bitmap) DeleteObject(enlarged.bitmap);
    enlarged = Enlarged{};
}

// A DIB section of `width` x `height`; false when there is none.
bool sizeEnlarged(int32_t width, int32_t height) {
    if (enlarged.bits && enlarged.width == width && enlarged.height == height) return true;
    releaseEnlarged();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    enlarged.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    enlarged.dc = CreateCompatibleDC(nullptr);
    if (!enlarged.bitmap || !enlarged.dc || !bits) {
        releaseEnlarged();
        return false;
    }
    enlarged.previous = SelectObject(enlarged.dc, enlarged.bitmap);
    enlarged.bits = static_cast<uint8_t*>(bits);
    enlarged.width = width;
    enlarged.height = height;
    return true;
}

// Enlarges the picture rectangle `part`; returns the pixels it covers.
Rect enlargePart(const Rect& part) {
    const Rect d = enlargedRect(enlargement, part);
    if (d.left >= d.right) return d;
    const int32_t pitch = enlarged.width * 4;
    enlargeArea(enlargement, lastPicture(step), pixelOf, d,
                enlarged.bits + static_cast<size_t>(d.top) * static_cast<size_t>(pitch) +
                    static_cast<size_t>(d.left) * 4,
                pitch, 4);
    return d;
}

// The DIB made to hold the last picture at the letterbox's size `box`.
bool enlargeWhole(const RECT& box) {
    const int32_t width = box.right - box.left;
    const int32_t height = box.bottom - box.top;
    if (!sizeEnlarged(width, height)) return false;
    if (enlarged.current) return true;
    buildPixelTable(step.colours, PixelOrder::Xrgb32, pixelOf);
    prepareEnlargement(enlargement, kScreenWidth, kScreenHeight, width, height, windowSource);
    enlargePart(Rect{0, 0, kScreenWidth, kScreenHeight});
    enlarged.current = true;
    return true;
}

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
    if (!havePicture || !enlargeWhole(box)) {
        fillBlack(dc, box.left, box.top, box.right, box.bottom);
        return;
    }
    BitBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, enlarged.dc, 0, 0, SRCCOPY);
}

void forgetWindowContents() { forgetScreen(step); }

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]) {
    if (!pixels || !colours || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    havePicture = true;
    // Planned even without a window to draw on, so that the copy is taken.
    const RECT client = clientRect();
    const PresentSend send =
        planPresent(step, IndexedPicture{pixels, pitch, width, height, colours}, client.right, client.bottom);
    // New colours or a new size come with Everything: enlarged afresh there.
    if (send == PresentSend::Everything) enlarged.current = false;
    // Minimised, there is nothing to draw on; the restore draws it all.
    if (!win32Host.window || IsIconic(win32Host.window)) {
        forgetScreen(step);
        enlarged.current = false;
        return;
    }
    if (send == PresentSend::Nothing) return;
    HDC dc = GetDC(win32Host.window);
    if (!dc) {
        forgetScreen(step);
        enlarged.current = false;
        return;
    }
    if (send == PresentSend::Everything || !enlarged.current) {
        repaintPicture(dc);
    } else {
        const RECT box = pictureRectInClient();
        for (const Rect& part : step.parts) {
            const Rect d = enlargePart(part);
            if (d.left < d.right)
                BitBlt(dc, box.left + d.left, box.top + d.top, d.right - d.left, d.bottom - d.top, enlarged.dc, d.left,
                       d.top, SRCCOPY);
        }
    }
    ReleaseDC(win32Host.window, dc);
}

// The display objects go away after this: forget the picture, keep what the
// window shows (a later WM_PAINT paints the picture area black).
void hostCloseDisplay() {
    havePicture = false;
    forgetScreen(step);
    enlarged.current = false;
    releaseEnlarged();
}
