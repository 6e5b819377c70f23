// Looks at the X screen the way the end-to-end test needs: counts pixels of a
// colour within a rectangle of the 640 x 480 picture (wherever the letterbox
// puts it), watches a rectangle for change, or saves the screen as a PPM file.
//   screen_probe count LEFT TOP RIGHT BOTTOM RED GREEN BLUE TOLERANCE
//   screen_probe watch LEFT TOP RIGHT BOTTOM MILLISECONDS
//   screen_probe save FILE.ppm
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/picture_fit.h"

namespace {

struct ScreenShot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB
};

// One colour channel as 8 bits, whatever its mask.
uint32_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const unsigned long value = (pixel & mask) >> shift;
    const unsigned long top = mask >> shift;
    return static_cast<uint32_t>(value * 255 / top);
}

bool grab(Display* display, ScreenShot& screen) {
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, root, &attributes)) return false;
    XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) return false;
    screen.width = attributes.width;
    screen.height = attributes.height;
    screen.rgb.resize(static_cast<size_t>(screen.width) * screen.height);
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            screen.rgb[static_cast<size_t>(y) * screen.width + x] =
                channel(p, image->red_mask) << 16 | channel(p, image->green_mask) << 8 |
                channel(p, image->blue_mask);
        }
    }
    XDestroyImage(image);
    return true;
}

// Calls `visit` for every screen pixel that shows a picture pixel inside rect.
template <typename Visit>
void forPicturePixels(const ScreenShot& screen, const Rect& rect, Visit visit) {
    const Rect box = letterboxRect(screen.width, screen.height);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const Point p = mapToPicture({x, y}, screen.width, screen.height);
            if (p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom) {
                visit(static_cast<size_t>(y) * screen.width + x);
            }
        }
    }
}

int channelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        if (d > worst) worst = d;
    }
    return worst;
}

Rect rectArgs(char** argv) {
    return Rect{std::atoi(argv[0]), std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3])};
}

int usage() {
    std::fprintf(stderr,
                 "usage: screen_probe count L T R B RED GREEN BLUE TOL | watch L T R B MS | save FILE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "screen_probe: cannot open the X display; set DISPLAY\n");
        return 2;
    }
    ScreenShot screen;
    if (!grab(display, screen)) {
        std::fprintf(stderr, "screen_probe: cannot read the screen\n");
        return 2;
    }
    const char* command = argv[1];
    if (std::strcmp(command, "count") == 0 && argc == 10) {
        const Rect rect = rectArgs(argv + 2);
        const uint32_t colour = static_cast<uint32_t>(std::atoi(argv[6]) << 16 | std::atoi(argv[7]) << 8 |
                                                      std::atoi(argv[8]));
        const int tolerance = std::atoi(argv[9]);
        long count = 0;
        forPicturePixels(screen, rect, [&](size_t i) {
            if (channelDistance(screen.rgb[i], colour) <= tolerance) ++count;
        });
        std::printf("%ld\n", count);
    } else if (std::strcmp(command, "watch") == 0 && argc == 7) {
        const Rect rect = rectArgs(argv + 2);
        const ScreenShot reference = screen;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[6]));
        long most = 0;
        while (std::chrono::steady_clock::now() < end) {
            if (!grab(display, screen)) break;
            long differ = 0;
            forPicturePixels(screen, rect, [&](size_t i) {
                if (screen.rgb[i] != reference.rgb[i]) ++differ;
            });
            if (differ > most) most = differ;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::printf("%ld\n", most);
    } else if (std::strcmp(command, "save") == 0 && argc == 3) {
        FILE* out = std::fopen(argv[2], "wb");
        if (!out) {
            std::fprintf(stderr, "screen_probe: cannot write %s\n", argv[2]);
            return 2;
        }
        std::fprintf(out, "P6\n%d %d\n255\n", screen.width, screen.height);
        for (uint32_t p : screen.rgb) {
            const unsigned char bytes[3] = {static_cast<unsigned char>(p >> 16),
                                            static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p)};
            std::fwrite(bytes, 1, 3, out);
        }
        std::fclose(out);
    } else {
        return usage();
    }
    XCloseDisplay(display);
    return 0;
}
