// Writes the fuzz target's seed pictures into the folder given.
#include <cstdio>
#include <string>

#include "tools/common/bmp_fixture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    struct Seed {
        const char* name;
        BmpSpec spec;
    };
    const Seed seeds[] = {
        {"own.bmp", {8, 6, 8, 0, 40, 256, 0, 0}},      {"topdown.bmp", {8, -6, 8, 0, 40, 256, 0, 0}},
        {"padded.bmp", {5, 3, 8, 0, 40, 256, 0, 0}},   {"v5.bmp", {6, 4, 8, 0, 124, 256, 0, 0}},
        {"v4short.bmp", {7, 5, 8, 0, 108, 16, 16, 4}}, {"wide.bmp", {300, 100, 8, 0, 40, 256, 0, 0}},
        {"rle.bmp", {4, 4, 8, 1, 40, 256, 0, 0}},
    };
    bool ok = true;
    for (const Seed& s : seeds) {
        const int32_t rows = s.spec.height < 0 ? -s.spec.height : s.spec.height;
        ok &= writeBytes(dir + "/" + s.name, makeBmp(s.spec, patternPixels(s.spec.width, rows, 3), patternColours(5)));
    }
    return ok ? 0 : 1;
}
