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

#include "platform/common/picture_fit.h"

namespace {

// One colour channel as 8 bits, whatever its mask.
uint32_t channel(unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask && !((mask >> shift) & 1)) ++shift;
    return mask ? static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / (mask >> shift)) : 0;
}

// The screen pixels (0xRRGGBB) that show picture pixels inside `rect`; empty when the screen cannot be read.
std::vector<uint32_t> grab(Display* display, const Rect& rect) {
    std::vector<uint32_t> out;
    XWindowAttributes a;
    XImage* image = display && XGetWindowAttributes(display, DefaultRootWindow(display), &a)
                        ? XGetImage(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(a.width),
                                    static_cast<unsigned>(a.height), AllPlanes, ZPixmap)
                        : nullptr;
    const Rect box = image ? letterboxRect(a.width, a.height) : Rect{};
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const Point p = mapToPicture({x, y}, a.width, a.height);
            if (p.x < rect.left || p.x >= rect.right || p.y < rect.top || p.y >= rect.bottom) continue;
            const unsigned long v = XGetPixel(image, x, y);
            out.push_back(channel(v, image->red_mask) << 16 | channel(v, image->green_mask) << 8 | channel(v, image->blue_mask));
        }
    if (image) XDestroyImage(image);
    return out;
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
    const std::vector<uint32_t> first = grab(display, rect);
    if (first.empty()) {
        std::fprintf(stderr, "screen_probe: cannot read the X screen; set DISPLAY\n");
        return 2;
    }
    long result = 0;
    for (size_t i = 0; count && i < first.size(); ++i) {
        bool near = true;  // red, green, blue within the tolerance
        for (int c = 0; c < 3; ++c)
            near &= std::abs(static_cast<int>(first[i] >> (16 - 8 * c) & 0xFF) - std::atoi(argv[6 + c])) <= std::atoi(argv[9]);
        result += near;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(count ? 0 : std::atoi(argv[6]));
    for (std::vector<uint32_t> now; std::chrono::steady_clock::now() < end && !(now = grab(display, rect)).empty();) {
        long differ = 0;
        for (size_t i = 0; i < now.size() && i < first.size(); ++i) differ += now[i] != first[i];
        result = std::max(result, differ);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::printf("%ld\n", result);
    XCloseDisplay(display);
    return 0;
}
