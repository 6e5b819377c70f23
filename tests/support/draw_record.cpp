#include "tests/support/draw_record.h"

#include <cstring>

#include "display/display_objects.h"

namespace {

const char* nameOf(const void* object) {
    const DisplayObjects& d = displayObjects;
    if (object == nullptr) return "null";
    if (object == d.directDraw) return "device";
    if (object == d.primarySurface) return "primary";
    if (object == d.backSurface) return "back";
    if (object == d.backgroundSurface) return "background";
    if (object == d.spriteSurface) return "sprite";
    if (object == d.palette) return "palette";
    return "unknown";
}

std::string rect(const Rect& r) {
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "]";
}

std::string at(int32_t x, int32_t y) { return " at " + std::to_string(x) + "," + std::to_string(y); }

bool same(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A keyed copy from the sprite sheet: flies 16 x 16 from (0, 32), swatters
// 32 x 32 from (32, 32), splats 32 x 32 along the bottom band.
std::string describeSprite(const DisplayEvent& e) {
    const Rect& r = e.rect;
    if (r.top >= 32 && r.bottom <= 48 && r.right <= 32) return "fly";
    for (int k = 0; k < 3; ++k)
        if (same(r, Rect{32 + 32 * k, 32, 64 + 32 * k, 64})) return "swatter " + std::to_string(k) + at(e.x, e.y);
    for (int k = 0; k < 8; ++k)
        if (same(r, Rect{32 * k, 64, 32 * k + 32, 96})) return "splat " + std::to_string(k) + at(e.x, e.y);
    return "sprite " + rect(r) + at(e.x, e.y);
}

// An opaque copy from the sheet: the bars, each a strip from column 0.
std::string describeBar(const DisplayEvent& e) {
    struct Strip {
        const char* name;
        int32_t top, bottom, x, y;
    };
    const Strip strips[] = {{"border-line", 0, 8, 193, 455},
                            {"kill", 8, 15, 193, 463},
                            {"gauge", 15, 23, 416, 455},
                            {"best", 23, 30, 193, 463}};
    for (const Strip& s : strips)
        if (e.rect.left == 0 && e.rect.top == s.top && e.rect.bottom == s.bottom && e.x == s.x && e.y == s.y)
            return std::string("bar ") + s.name + " " + std::to_string(e.rect.right);
    return "opaque sprite " + rect(e.rect) + at(e.x, e.y);
}

std::string describeBlt(const DisplayEvent& e) {
    const DisplayObjects& d = displayObjects;
    const bool toBack = e.target == d.backSurface;
    if (toBack && e.source == d.backgroundSurface && e.flags == DDBLTFAST_WAIT && e.x == 0 && e.y == 0 &&
        same(e.rect, Rect{0, 0, 640, 480}))
        return "background";
    if (toBack && e.source == d.spriteSurface && e.flags == (DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT))
        return describeSprite(e);
    if (toBack && e.source == d.spriteSurface && e.flags == DDBLTFAST_WAIT) return describeBar(e);
    return std::string("blt ") + nameOf(e.target) + at(e.x, e.y) + " <- " + nameOf(e.source) + " " + rect(e.rect) +
           " flags " + std::to_string(e.flags);
}

void watch(const DisplayEvent& event, void* user) {
    static_cast<DrawRecord*>(user)->lines.push_back(describeDisplayEvent(event));
}

}  // namespace

std::string describeDisplayEvent(const DisplayEvent& e) {
    const std::string size = " " + std::to_string(e.x) + "x" + std::to_string(e.y);
    switch (e.op) {
        case DisplayOp::kCreate: return std::string("create ") + e.name + (e.x || e.y ? size : "");
        case DisplayOp::kAttachPalette: return std::string("attach ") + nameOf(e.source) + " to " + nameOf(e.target);
        case DisplayOp::kColorKey:
            return std::string("colour key ") + nameOf(e.target) + " " + std::to_string(e.x) + "-" +
                   std::to_string(e.y);
        case DisplayOp::kLoad: return std::string("load ") + e.name + " into " + nameOf(e.target);
        case DisplayOp::kBltFast: return describeBlt(e);
        case DisplayOp::kText:
            return "text " + cp932ToUtf8(e.name) + at(e.x, e.y) + " colour " + std::to_string(e.red) + "," +
                   std::to_string(e.green) + "," + std::to_string(e.blue) + " height " + std::to_string(e.height);
        case DisplayOp::kFlip: return e.flags == DDFLIP_WAIT ? "flip" : "flip flags " + std::to_string(e.flags);
        case DisplayOp::kPaletteEntries: return "palette entries " + std::to_string(e.x) + "+" + std::to_string(e.y);
        case DisplayOp::kRelease: return std::string("release ") + nameOf(e.target);
    }
    return "unknown operation";
}

DrawRecord::DrawRecord() { displayWatch = DisplayWatch{watch, this}; }

DrawRecord::~DrawRecord() { displayWatch = DisplayWatch{}; }

std::vector<std::string> DrawRecord::take() {
    std::vector<std::string> folded;
    for (size_t i = 0; i < lines.size();) {
        size_t n = 1;
        while (i + n < lines.size() && lines[i + n] == lines[i]) ++n;
        if (lines[i] == "fly") folded.push_back("flies");
        else folded.push_back(n > 1 ? lines[i] + " x" + std::to_string(n) : lines[i]);
        i += n;
    }
    lines.clear();
    return folded;
}
