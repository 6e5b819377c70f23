// Presentation without a mode change: the 8-bit picture goes to the window
// through an 8-bit DIB whose colour table is the picture's palette, stretched
// by GDI to the largest 4:3 area with whole-pixel sampling and black bars.
// Between frames only the parts that changed are drawn again: each is the
// very call that draws the whole picture, clipped to the window pixels over
// the changed part, so it gives exactly the pixels a whole repaint would at
// any scale. (A stretch of the part alone would sample on a ratio of its
// own, rounded to its own edges, and differ from the whole by a pixel here
// and there; a top-down DIB's source rows also count from the bottom then.)
#include <windows.h>

#include <vector>

#include "base/host.h"
#include "platform/common/picture_fit.h"
#include "platform/common/present_step.h"
#include "platform/win32/win32_state.h"
#include "platform/win32/window_pixels.h"

namespace {

struct PictureInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

// The picture last presented is the presenting step's copy of it, kept for
// WM_PAINT too; the display only lends its bytes for a call. Rows top-down,
// 640 bytes each (already a multiple of 4).
PresentStep step;
std::vector<Rect> windowRects;
PictureInfo shownInfo;
bool havePicture = false;

const uint8_t* shownPixels() { return lastPicture(step).pixels; }

void fillBlack(HDC dc, LONG left, LONG top, LONG right, LONG bottom) {
    if (right > left && bottom > top) PatBlt(dc, left, top, right - left, bottom - top, BLACKNESS);
}

RECT clientRect() {
    RECT client{};
    if (win32Host.window) GetClientRect(win32Host.window, &client);
    return client;
}

// The whole picture over the letterbox `box`, whatever the DC is clipped to.
void drawPicture(HDC dc, const RECT& box) {
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(&shownInfo);
    if (width == kScreenWidth && height == kScreenHeight) {
        SetDIBitsToDevice(dc, box.left, box.top, kScreenWidth, kScreenHeight, 0, 0, 0, kScreenHeight, shownPixels(),
                          info, DIB_RGB_COLORS);
        return;
    }
    // Whole source pixels repeated or dropped, never blended: crisp.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, box.left, box.top, width, height, 0, 0, kScreenWidth, kScreenHeight, shownPixels(), info,
                  DIB_RGB_COLORS, SRCCOPY);
}

// The picture drawn again over the window pixels of the step's parts only.
void drawPictureParts(HDC dc) {
    const RECT box = pictureRectInClient();
    windowRects.clear();
    for (const Rect& part : step.parts) {
        const Rect out =
            windowPixelsOver(part, Rect{box.left, box.top, box.right, box.bottom}, kScreenWidth, kScreenHeight);
        if (out.left < out.right && out.top < out.bottom) windowRects.push_back(out);
    }
    for (const Rect& part : windowRects) {
        IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
        drawPicture(dc, box);
        SelectClipRgn(dc, nullptr);
    }
}

void setColourTable(const PaletteEntry colours[256]) {
    shownInfo.header.biSize = sizeof shownInfo.header;
    shownInfo.header.biWidth = kScreenWidth;
    shownInfo.header.biHeight = -kScreenHeight;  // top-down, as the display keeps it
    shownInfo.header.biPlanes = 1;
    shownInfo.header.biBitCount = 8;
    shownInfo.header.biCompression = BI_RGB;
    shownInfo.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) shownInfo.colours[i] = RGBQUAD{colours[i].blue, colours[i].green, colours[i].red, 0};
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
    drawPicture(dc, box);
}

void forgetWindowContents() { forgetScreen(step); }

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]) {
    if (!pixels || !colours || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    havePicture = true;
    // Planned even without a window to draw on, so that the copy is taken.
    const RECT client = clientRect();
    const PresentSend send =
        planPresent(step, IndexedPicture{pixels, pitch, width, height, colours}, client.right, client.bottom);
    // New colours come with Everything: the DIB's table follows them there.
    if (send == PresentSend::Everything) setColourTable(step.colours);
    // Minimised, there is nothing to draw on; the restore draws it all.
    if (!win32Host.window || IsIconic(win32Host.window)) {
        forgetScreen(step);
        return;
    }
    if (send == PresentSend::Nothing) return;
    HDC dc = GetDC(win32Host.window);
    if (!dc) {
        forgetScreen(step);
        return;
    }
    if (send == PresentSend::Everything) {
        repaintPicture(dc);
    } else {
        drawPictureParts(dc);
    }
    ReleaseDC(win32Host.window, dc);
}

// The display objects go away after this: forget the picture, keep what the
// window shows (a later WM_PAINT paints the picture area black).
void hostCloseDisplay() {
    havePicture = false;
    forgetScreen(step);
}
