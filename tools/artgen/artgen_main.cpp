// Paints the game's two pictures, hk.bmp and pt.bmp, from the sources under
// assets/ and writes them into an output folder.
#include <cstdio>
#include <string>

#include "tools/artgen/art.h"
#include "tools/artgen/bmp_file.h"
#include "tools/artgen/palette.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: nmnm-artgen <assets folder> <output folder>\n");
        return 2;
    }
    const std::string assets = argv[1];
    const std::string out = argv[2];
    std::string error;
    IndexedImage sheet;
    if (!buildSpriteSheet(assets, &sheet, &error)) {
        std::fprintf(stderr, "nmnm-artgen: %s\n", error.c_str());
        return 1;
    }
    IndexedImage background = buildBackground();
    for (const auto& [name, picture] : {std::pair{"/hk.bmp", &background}, std::pair{"/pt.bmp", &sheet}}) {
        if (!writeBmp8(out + name, *picture, paletteColours())) {
            std::fprintf(stderr, "nmnm-artgen: cannot write %s%s (does the folder exist and is it writable?)\n",
                         out.c_str(), name);
            return 1;
        }
    }
    return 0;
}
