// nmnm-pngcmp A.png B.png: whether two indexed screenshots are the same
// picture (size, palette and every pixel), however their pixels were
// compressed: the browser build writes stored blocks, zlib compresses.
// Exit 0 when they are, 1 (with one line saying where they first differ)
// when not, 2 when a file cannot be read.
#include <cstdio>
#include <string>

#include "tools/common/png_write.h"

namespace {

struct Picture {
    std::string pixels;
    int32_t width = 0;
    int32_t height = 0;
    PaletteEntry palette[256] = {};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: nmnm-pngcmp A.png B.png\n", stderr);
        return 2;
    }
    Picture a, b;
    for (int i = 1; i <= 2; ++i) {
        Picture& p = i == 1 ? a : b;
        if (!readIndexedPng(argv[i], &p.pixels, &p.width, &p.height, p.palette)) {
            std::fprintf(stderr, "nmnm-pngcmp: %s is not an indexed PNG this project writes\n", argv[i]);
            return 2;
        }
    }
    const char* names = argv[1];
    if (a.width != b.width || a.height != b.height) {
        std::printf("%s and %s differ: %dx%d against %dx%d\n", names, argv[2], a.width, a.height, b.width, b.height);
        return 1;
    }
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry &x = a.palette[i], &y = b.palette[i];
        if (x.red != y.red || x.green != y.green || x.blue != y.blue) {
            std::printf("%s and %s differ: palette entry %d\n", names, argv[2], i);
            return 1;
        }
    }
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if (a.pixels[i] != b.pixels[i] && differing++ == 0) first = i;
    if (differing) {
        const size_t w = static_cast<size_t>(a.width);
        std::printf("%s and %s differ: %zu pixels, the first at row %zu, column %zu\n", names, argv[2], differing,
                    first / w, first % w);
        return 1;
    }
    return 0;
}
