// Makes the pictures for the documentation from the generated art: the
// sprite sheet enlarged four times over a checkerboard where it is clear,
// the background with sprites and status bars placed as in a game, the
// swatter's three pictures enlarged over the parts of the table it must
// stand out on, and the icon at every installed size on a dark and a light
// desktop.
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "tools/artgen/art_bmp.h"
#include "tools/artgen/icon.h"
#include "tools/artgen/palette.h"
#include "tools/common/png_write.h"

namespace {

void toPalette(const std::array<Rgb, 256>& colours, PaletteEntry out[256]) {
    for (size_t i = 0; i < 256; ++i) out[i] = {colours[i].r, colours[i].g, colours[i].b, 0};
    // The game shows entry 0 as black and 255 as white whatever the file says.
    out[0] = {0, 0, 0, 0};
    out[255] = {255, 255, 255, 0};
}

void blit(IndexedImage* to, const IndexedImage& sheet, int32_t x, int32_t y, int32_t l, int32_t t, int32_t r, int32_t b,
          bool keyed, int32_t clipBottom) {
    for (int32_t sy = t; sy < b; ++sy) {
        for (int32_t sx = l; sx < r; ++sx) {
            const uint8_t v = sheet.at(sx, sy);
            const int32_t dx = x + sx - l, dy = y + sy - t;
            if ((keyed && v == kClear) || dy >= clipBottom) continue;
            to->set(dx, dy, v);
        }
    }
}

// Every installed size side by side, at its own size, bottoms aligned, once
// on a dark band and once on a light one.
IndexedImage iconSheet(const IndexedImage& sheet) {
    const int32_t gap = 16;
    int32_t width = gap;
    for (int32_t size : kIconSizes) width += size + gap;
    const int32_t band = kIconSizes.back() + 2 * gap;
    IndexedImage out(width, 2 * band);
    const uint8_t backs[2] = {rampIndex(Ramp::Steel, 4), rampIndex(Ramp::Steel, 23)};
    for (int b = 0; b < 2; ++b) {
        for (int32_t y = 0; y < band; ++y)
            for (int32_t x = 0; x < width; ++x) out.set(x, b * band + y, backs[b]);
        int32_t left = gap;
        for (int32_t size : kIconSizes) {
            const IndexedImage icon = paintIcon(sheet, size);
            const int32_t top = b * band + band - gap - size;
            for (int32_t y = 0; y < size; ++y)
                for (int32_t x = 0; x < size; ++x)
                    if (icon.at(x, y) != kClear) out.set(left + x, top + y, icon.at(x, y));
            left += size + gap;
        }
    }
    return out;
}

// The swatter's three pictures (rows) over several places of the table
// (columns), each a 48 x 48 piece of the field around the pointer, enlarged.
IndexedImage swatterCloseUps(const IndexedImage& background, const IndexedImage& sheet, int32_t scale) {
    constexpr int32_t kPiece = 48, kGap = 2;
    // Pointer positions: the green runner, a dark wooden plank, cloud and
    // sky, the purple plate, the white plate's rim.
    const int32_t places[][2] = {{330, 250}, {600, 250}, {470, 60}, {60, 226}, {30, 372}};
    const int32_t columns = static_cast<int32_t>(std::size(places));
    const int32_t step = kPiece * scale + kGap;
    IndexedImage out(columns * step - kGap, 3 * step - kGap, rampIndex(Ramp::Steel, 2));
    for (int32_t frame = 0; frame < 3; ++frame) {
        for (int32_t i = 0; i < columns; ++i) {
            const int32_t px = places[i][0], py = places[i][1];
            IndexedImage scene = background;
            blit(&scene, sheet, px - 16, py - 16, 32 + 32 * frame, 32, 64 + 32 * frame, 64, true, 448);
            for (int32_t y = 0; y < kPiece * scale; ++y)
                for (int32_t x = 0; x < kPiece * scale; ++x)
                    out.set(i * step + x, frame * step + y,
                            scene.at(px - kPiece / 2 + x / scale, py - kPiece / 2 + y / scale));
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: nmnm-artpreview <folder with hk.bmp and pt.bmp> <output folder>\n");
        return 2;
    }
    const std::string in = argv[1], out = argv[2];
    IndexedImage background, sheet;
    std::array<Rgb, 256> colours{}, unused{};
    std::string reason;
    if (!readArtBmp(in + "/pt.bmp", &sheet, &colours, &reason) ||
        !readArtBmp(in + "/hk.bmp", &background, &unused, &reason)) {
        std::fprintf(stderr, "nmnm-artpreview: %s (build the project first)\n", reason.c_str());
        return 1;
    }
    PaletteEntry palette[256];
    toPalette(colours, palette);

    // Contact sheet: clear pixels as a grey checkerboard so dark sprites show.
    const int32_t scale = 4;
    IndexedImage contact(sheet.width * scale, sheet.height * scale);
    const uint8_t checkA = rampIndex(Ramp::Steel, 22), checkB = rampIndex(Ramp::Steel, 19);
    for (int32_t y = 0; y < contact.height; ++y) {
        for (int32_t x = 0; x < contact.width; ++x) {
            uint8_t v = sheet.at(x / scale, y / scale);
            if (v == kClear) v = ((x / 8 + y / 8) % 2) ? checkA : checkB;
            contact.set(x, y, v);
        }
    }

    // A moment of play: flies, splats at every stage, the swatter mid-swing,
    // and the status bars at a few values.
    IndexedImage scene = background;
    const int32_t field = 448;
    blit(&scene, sheet, 193, 455, 0, 0, 31, 8, false, 480);     // border line 30
    blit(&scene, sheet, 416, 455, 0, 15, 121, 23, false, 480);  // gauge 120.0
    blit(&scene, sheet, 193, 463, 0, 23, 41, 30, false, 480);   // best 40
    blit(&scene, sheet, 193, 463, 0, 8, 23, 15, false, 480);    // kills 22
    const int32_t flies[][3] = {{90, 60, 0},   {250, 150, 1}, {420, 250, 0}, {180, 300, 1}, {560, 120, 1},
                                {600, 300, 0}, {40, 250, 1},  {330, 420, 0}, {470, 180, 1}, {120, 380, 0}};
    for (const auto& f : flies) blit(&scene, sheet, f[0], f[1], 16 * f[2], 32, 16 * f[2] + 16, 48, true, field);
    for (int i = 1; i < 8; ++i) blit(&scene, sheet, 150 + 46 * i, 352, 32 * i, 64, 32 * i + 32, 96, true, field);
    // The swing's three pictures on the green runner, and the swatter at rest
    // over the sky, the wood and the purple plate.
    for (int i = 0; i < 3; ++i) blit(&scene, sheet, 266 + 48 * i, 244, 32 + 32 * i, 32, 64 + 32 * i, 64, true, field);
    for (const auto& at : {std::pair{284, 62}, {548, 300}, {70, 196}})
        blit(&scene, sheet, at.first - 16, at.second - 16, 32, 32, 64, 64, true, field);
    const IndexedImage closeUps = swatterCloseUps(background, sheet, scale);

    const IndexedImage icons = iconSheet(sheet);
    const std::string sheetPng = out + "/sprites.png", scenePng = out + "/background.png";
    const std::string swatterPng = out + "/swatter.png", iconPng = out + "/icon.png";
    if (!writeIndexedPng(sheetPng, contact.pixels.data(), contact.width, contact.height, contact.width, palette) ||
        !writeIndexedPng(scenePng, scene.pixels.data(), scene.width, scene.height, scene.width, palette) ||
        !writeIndexedPng(swatterPng, closeUps.pixels.data(), closeUps.width, closeUps.height, closeUps.width,
                         palette) ||
        !writeIndexedPng(iconPng, icons.pixels.data(), icons.width, icons.height, icons.width, palette)) {
        std::fprintf(stderr, "nmnm-artpreview: cannot write PNGs into %s (does the folder exist?)\n", out.c_str());
        return 1;
    }
    return 0;
}
