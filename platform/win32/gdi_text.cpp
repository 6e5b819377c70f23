// Text on Windows: each line drawn by GDI itself, TextOutA with the code page
// 932 bytes in a font made without antialiasing, white on black into an 8-bit
// DIB section whose bytes then serve as the mask. The DC, the DIB and the
// fonts are kept, so warm frames create nothing.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/text_raster.h"
#include "platform/win32/gdi_font.h"

namespace {

// Beyond these a line is not drawn: far past the 640-pixel screen, and it
// keeps the DIB's size and GDI's int arguments well in range.
constexpr int32_t kMaxCellHeight = 1024;
constexpr size_t kMaxLineBytes = 1024;
constexpr LONG kMaxLineWidth = 16384;

struct TextCanvas {
    HDC dc = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ firstBitmap = nullptr;
    HGDIOBJ firstFont = nullptr;
    uint8_t* bits = nullptr;
    int32_t width = 0;  // pixels, a multiple of 4: also the pitch
    int32_t height = 0;
};
TextCanvas canvas;

// Two colours: black ground (0) and white ink (1). Every other entry is black
// too, so white text can only land on index 1.
struct TwoColourInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

bool ensureCanvas(int32_t width, int32_t height) {
    if (!canvas.dc) {
        canvas.dc = CreateCompatibleDC(nullptr);
        if (!canvas.dc) return false;
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextColor(canvas.dc, RGB(255, 255, 255));
        SetTextAlign(canvas.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }
    if (canvas.dib && width <= canvas.width && height <= canvas.height) return true;
    // Grown in steps, so that a few larger lines do not remake it each time.
    const int32_t newWidth = (std::max(width, canvas.width) + 255) & ~255;
    const int32_t newHeight = (std::max(height, canvas.height) + 63) & ~63;
    TwoColourInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = newWidth;
    info.header.biHeight = -newHeight;  // top-down: row 0 is the top
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 256;
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(canvas.dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) return false;
    HGDIOBJ previous = SelectObject(canvas.dc, dib);
    if (canvas.dib) {
        DeleteObject(canvas.dib);
    } else {
        canvas.firstBitmap = previous;
    }
    canvas.dib = dib;
    canvas.bits = static_cast<uint8_t*>(bits);
    canvas.width = newWidth;
    canvas.height = newHeight;
    return true;
}

}  // namespace

bool rasterizeTextLine(const char* text, size_t length, int32_t height, TextMask* out) {
    *out = TextMask{};
    if (!text || length == 0 || height == 0 || height > kMaxCellHeight || height < -kMaxCellHeight) return false;
    if (length > kMaxLineBytes) length = kMaxLineBytes;
    const HFONT font = textFontFor(height);
    if (!font || !ensureCanvas(1, 1)) return false;
    const HGDIOBJ previousFont = SelectObject(canvas.dc, font);
    if (!canvas.firstFont) canvas.firstFont = previousFont;

    const int count = static_cast<int>(length);
    SIZE extent{};
    TEXTMETRICA metrics{};
    bool ok = GetTextExtentPoint32A(canvas.dc, text, count, &extent) && GetTextMetricsA(canvas.dc, &metrics);
    // Room on both sides for strokes that reach past the advance widths.
    const LONG pad = std::max<LONG>(2, std::max<LONG>(metrics.tmOverhang, metrics.tmHeight / 4));
    const LONG width = extent.cx + 2 * pad;
    const LONG rows = std::max<LONG>(extent.cy, metrics.tmHeight);
    ok = ok && extent.cx > 0 && rows > 0 && width <= kMaxLineWidth && rows <= 2 * kMaxCellHeight &&
         ensureCanvas(static_cast<int32_t>(width), static_cast<int32_t>(rows));
    if (ok) {
        GdiFlush();
        std::memset(canvas.bits, 0, static_cast<size_t>(canvas.width) * static_cast<size_t>(rows));
        TextOutA(canvas.dc, static_cast<int>(pad), 0, text, count);
        GdiFlush();  // the bits are read straight from memory next
        *out = TextMask{canvas.bits,  static_cast<int32_t>(width), static_cast<int32_t>(rows),
                        canvas.width, static_cast<int32_t>(-pad),  0};
    }
    // The kept fonts may be let go later; none stays selected meanwhile.
    SelectObject(canvas.dc, canvas.firstFont);
    return ok;
}
