// nmnm-text-bake OUT.cpp: renders every character the game's messages can
// show, at each height they are drawn at, through the Linux text service
// (FreeType with the face fontconfig chooses), and writes the glyphs and
// their metrics as a C++ table for the browser build, which has no fonts of
// its own.
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/common/baked_line.h"
#include "platform/linux/cp932.h"
#include "platform/linux/font_face.h"
#include "platform/linux/glyph_cache.h"
#include "tools/text_bake/message_lines.h"

namespace {

struct Glyph {
    uint16_t code;
    CachedGlyph rendered;
};

struct Size {
    int32_t height;
    TextCell cell;
    std::vector<Glyph> glyphs;
};

// The characters of every line, grouped by height; each set sorted by code.
std::map<int32_t, std::set<uint16_t>> charactersByHeight() {
    std::map<int32_t, std::set<uint16_t>> found;
    for (const MessageLine& line : messageLines()) {
        size_t offset = 0;
        uint16_t codes[64];
        while (size_t n = splitCp932(line.text.data(), line.text.size(), &offset, codes, 64))
            found[line.height].insert(codes, codes + n);
    }
    return found;
}

// The code point of one code page 932 character, as the Linux service
// decodes it; false when it does not decode.
bool codePointOf(uint16_t code, uint32_t* codePoint) {
    char bytes[2];
    size_t length = 0;
    if (code > 0xFF) bytes[length++] = static_cast<char>(code >> 8);
    bytes[length++] = static_cast<char>(code & 0xFF);
    size_t offset = 0;
    return decodeCp932(bytes, length, &offset, codePoint, 1) == 1;
}

std::vector<Size> renderAll(FT_Face face) {
    std::vector<Size> sizes;
    if (!face) return sizes;
    for (const auto& [height, codes] : charactersByHeight()) {
        Size size{height, {}, {}};
        if (!textCellFor(face, height, &size.cell)) continue;
        for (const uint16_t code : codes) {
            uint32_t codePoint = 0;
            if (!codePointOf(code, &codePoint)) continue;
            if (const CachedGlyph* g = cachedGlyph(face, size.cell.ppem, codePoint)) size.glyphs.push_back({code, *g});
        }
        sizes.push_back(size);
    }
    return sizes;
}

std::string tableSource(const std::vector<Size>& sizes, const std::string& fontFile) {
    std::ostringstream out;
    out << "// Written by nmnm-text-bake from " << (fontFile.empty() ? "no font (none installed)" : fontFile)
        << ": the glyphs of every character the game's messages show. Do not edit.\n"
        << "#include \"platform/common/baked_line.h\"\n\nnamespace {\n\n";
    std::vector<uint8_t> bits;
    std::ostringstream glyphTables;
    for (const Size& size : sizes) {
        glyphTables << "const BakedGlyph kGlyphs" << size.height << "[] = {\n";
        for (const Glyph& g : size.glyphs) {
            const CachedGlyph& r = g.rendered;
            glyphTables << "    {0x" << std::hex << g.code << std::dec << ", " << r.left << ", " << r.top << ", "
                        << r.width << ", " << r.rows << ", " << r.advance << ", " << bits.size() << "},\n";
            // Rows of (width + 7) / 8 bytes, which is the cache's own pitch.
            bits.insert(bits.end(), r.bits.begin(), r.bits.end());
        }
        if (size.glyphs.empty()) glyphTables << "    {0, 0, 0, 0, 0, 0, 0},\n";
        glyphTables << "};\n\n";
    }
    out << "const uint8_t kBits[] = {";
    for (size_t i = 0; i < bits.size(); ++i) out << (i % 16 ? " " : "\n    ") << static_cast<int>(bits[i]) << ",";
    out << "\n    0};\n\n" << glyphTables.str();
    if (sizes.empty()) {
        out << "}  // namespace\n\nextern const BakedFont kBakedFont = {nullptr, 0, kBits};\n";
        return out.str();
    }
    out << "const BakedSize kSizes[] = {\n";
    for (const Size& size : sizes)
        out << "    {" << size.height << ", " << size.cell.ascent << ", kGlyphs" << size.height << ", "
            << size.glyphs.size() << "},\n";
    out << "};\n\n}  // namespace\n\nextern const BakedFont kBakedFont = {kSizes, " << sizes.size() << ", kBits};\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: nmnm-text-bake OUT.cpp\n", stderr);
        return 2;
    }
    FT_Face face = textFace();
    TextFontMatch match;
    if (face && !matchTextFont(nullptr, &match)) match.file.clear();
    // Without a Japanese font (said on stderr by the text service) the table
    // is empty and the browser build draws no text, as Linux draws none.
    const std::string source = tableSource(renderAll(face), face ? match.file : std::string());
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << source;
    file.close();
    if (!file) {
        std::fprintf(stderr, "nmnm-text-bake: cannot write %s (check the folder exists)\n", argv[1]);
        return 1;
    }
    return 0;
}
