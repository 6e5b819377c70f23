// Looks at the X screen the way the end-to-end test needs, in coordinates of
// the 640 x 480 picture wherever the letterbox puts it:
//   screen_probe count LEFT TOP RIGHT BOTTOM RED GREEN BLUE TOLERANCE  (pixels of about that colour)
//   screen_probe watch LEFT TOP RIGHT BOTTOM MILLISECONDS              (most pixels changed at once)
//   screen_probe at X Y        (the screen point that shows picture pixel X, Y, at its centre)
//   screen_probe cursor        (1 when the pointer shows, 0 when it is hidden)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

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
            out.push_back(channel(v, image->red_mask) << 16 | channel(v, image->green_mask) << 8 |
                          channel(v, image->blue_mask));
        }
    if (image) XDestroyImage(image);
    return out;
}

// The middle of the screen pixels that show picture pixel (x, y).
int screenPointOf(Display* display, int x, int y) {
    XWindowAttributes a;
    if (!display || !XGetWindowAttributes(display, DefaultRootWindow(display), &a)) return 2;
    const Rect box = letterboxRect(a.width, a.height);
    const auto axis = [](int p, int start, int span, int size) {
        const long first = (static_cast<long>(p) * span + size - 1) / size;
        const long next = (static_cast<long>(p + 1) * span + size - 1) / size;
        return static_cast<int>(start + (first + next - 1) / 2);
    };
    std::printf("%d %d\n", axis(x, box.left, box.right - box.left, kScreenWidth),
                axis(y, box.top, box.bottom - box.top, kScreenHeight));
    return 0;
}

// The pointer shows when its image has any pixel that is not transparent.
int pointerShows(Display* display) {
    int event = 0;
    int error = 0;
    if (!display || !XFixesQueryExtension(display, &event, &error)) {
        std::fprintf(stderr, "screen_probe: the X server has no XFIXES; cannot see the pointer\n");
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) return 2;
    bool shows = false;
    for (long i = 0; i < static_cast<long>(image->width) * image->height; ++i) shows |= (image->pixels[i] >> 24) != 0;
    std::printf("%d\n", shows ? 1 : 0);
    XFree(image);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "at") == 0)
        return screenPointOf(XOpenDisplay(nullptr), std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc == 2 && std::strcmp(argv[1], "cursor") == 0) return pointerShows(XOpenDisplay(nullptr));
    const bool count = argc == 10 && std::strcmp(argv[1], "count") == 0;
    if (!count && !(argc == 7 && std::strcmp(argv[1], "watch") == 0)) {
        std::fprintf(stderr,
                     "usage: screen_probe count L T R B RED GREEN BLUE TOL | watch L T R B MS | at X Y | cursor\n");
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
            near &= std::abs(static_cast<int>(first[i] >> (16 - 8 * c) & 0xFF) - std::atoi(argv[6 + c])) <=
                    std::atoi(argv[9]);
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
