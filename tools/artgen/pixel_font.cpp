#include "tools/artgen/pixel_font.h"

namespace {

struct Glyph {
    char ch;
    const char* rows[kGlyphHeight];
};

// Only the letters the panel needs; '#' is ink.
constexpr Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'/', {"....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."}},
};

const Glyph* find(char ch) {
    for (const Glyph& g : kGlyphs)
        if (g.ch == ch) return &g;
    return nullptr;
}

}  // namespace

int32_t pixelTextWidth(std::string_view text, int32_t scale) {
    if (text.empty()) return 0;
    return (static_cast<int32_t>(text.size()) * kGlyphAdvance - 1) * scale;
}

int32_t drawPixelText(IndexedImage* picture, int32_t x, int32_t y, std::string_view text, uint8_t index,
                      int32_t scale) {
    for (char ch : text) {
        if (const Glyph* g = find(ch)) {
            for (int32_t row = 0; row < kGlyphHeight; ++row)
                for (int32_t col = 0; col < kGlyphWidth; ++col)
                    if (g->rows[row][col] == '#')
                        for (int32_t sy = 0; sy < scale; ++sy)
                            for (int32_t sx = 0; sx < scale; ++sx)
                                picture->set(x + col * scale + sx, y + row * scale + sy, index);
        }
        x += kGlyphAdvance * scale;
    }
    return x;
}
