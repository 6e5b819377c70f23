// Looks at the X screen the way the end-to-end test needs, in coordinates of
// the 640 x 480 picture wherever the letterbox puts it:
//   screen_probe count LEFT TOP RIGHT BOTTOM RED GREEN BLUE TOLERANCE  (pixels of about that colour)
//   screen_probe watch LEFT TOP RIGHT BOTTOM MILLISECONDS              (most pixels changed at once)
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/picture_fit.h"

namespace {

// One colour channel as 8 bits, whatever its mask.
uint32_t channel(unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask && !((mask >> shift) & 1)) ++shift;
    return mask ? static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / (mask >> shift)) : 0;
}

// The screen pixels (0xRRGGBB) that show picture pixels inside `rect`.
bool grab(Display* display, const Rect& rect, std::vector<uint32_t>& out) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, DefaultRootWindow(display), &a)) return false;
    XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(a.width),
                              static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!image) return false;
    out.clear();
    const Rect box = letterboxRect(a.width, a.height);
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const Point p = mapToPicture({x, y}, a.width, a.height);
            if (p.x < rect.left || p.x >= rect.right || p.y < rect.top || p.y >= rect.bottom) continue;
            const unsigned long v = XGetPixel(image, x, y);
            out.push_back(channel(v, image->red_mask) << 16 | channel(v, image->green_mask) << 8 |
                          channel(v, image->blue_mask));
        }
    XDestroyImage(image);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool count = argc == 10 && std::strcmp(argv[1], "count") == 0;
    if (!count && !(argc == 7 && std::strcmp(argv[1], "watch") == 0)) {
        std::fprintf(stderr, "usage: screen_probe count L T R B RED GREEN BLUE TOL | watch L T R B MS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    const Rect rect{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
    std::vector<uint32_t> first, now;
    if (!display || !grab(display, rect, first)) {
        std::fprintf(stderr, "screen_probe: cannot read the X screen; set DISPLAY\n");
        return 2;
    }
    long result = 0;
    if (count) {
        const int want[3] = {std::atoi(argv[8]), std::atoi(argv[7]), std::atoi(argv[6])};  // blue, green, red
        for (uint32_t p : first) {
            bool near = true;
            for (int c = 0; c < 3; ++c) near &= std::abs(static_cast<int>(p >> (8 * c) & 0xFF) - want[c]) <= std::atoi(argv[9]);
            result += near;
        }
    } else {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[6]));
        while (std::chrono::steady_clock::now() < end && grab(display, rect, now)) {
            long differ = 0;
            for (size_t i = 0; i < now.size() && i < first.size(); ++i) differ += now[i] != first[i];
            result = std::max(result, differ);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    std::printf("%ld\n", result);
    XCloseDisplay(display);
    return 0;
}
