// Paints the game's two pictures, hk.bmp and pt.bmp, from the sources under
// assets/ and writes them into an output folder; with --icons, writes the
// icons made from the same sprite sheet instead.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/artgen/art.h"
#include "tools/artgen/art_bmp.h"
#include "tools/artgen/icon_files.h"
#include "tools/artgen/palette.h"

int main(int argc, char** argv) {
    const bool icons = argc == 4 && std::strcmp(argv[1], "--icons") == 0;
    if (argc != 3 && !icons) {
        std::fprintf(stderr, "usage: nmnm-artgen [--icons] <assets folder> <output folder>\n");
        return 2;
    }
    const std::string assets = argv[argc - 2];
    const std::string out = argv[argc - 1];
    std::string error;
    IndexedImage sheet;
    if (!buildSpriteSheet(assets, &sheet, &error)) {
        std::fprintf(stderr, "nmnm-artgen: %s\n", error.c_str());
        return 1;
    }
    if (icons) {
        if (writeIconFiles(sheet, paletteColours(), out, &error)) return 0;
        std::fprintf(stderr, "nmnm-artgen: %s\n", error.c_str());
        return 1;
    }
    IndexedImage background = buildBackground();
    for (const auto& [name, picture] : {std::pair{"/hk.bmp", &background}, std::pair{"/pt.bmp", &sheet}}) {
        if (!writeArtBmp(out + name, *picture, paletteColours())) {
            std::fprintf(stderr, "nmnm-artgen: cannot write %s%s (does the folder exist and is it writable?)\n",
                         out.c_str(), name);
            return 1;
        }
    }
    return 0;
}
