#include "platform/linux/font_face.h"

#include FT_TRUETYPE_TABLES_H

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// The face the texts were designed with (ＦＡ　Ｐ　明朝, with ideographic spaces),
// then the proportional Mincho of Debian's fonts-ipafont-mincho, then any serif.
// Fontconfig's own fallback for an unknown name lands on a fixed-pitch or Gothic
// face, so the preference is spelt out.
const char* const kFamilies[] = {"\xEF\xBC\xA6\xEF\xBC\xA1\xE3\x80\x80\xEF\xBC\xB0\xE3\x80\x80\xE6\x98\x8E\xE6\x9C\x9D",
                                 "IPAPMincho", "serif"};

// A face holds Japanese when it has kana, kanji and the full-width signs the
// messages use.
bool holdsJapanese(FcPattern* font) {
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch) return false;
    for (FcChar32 c : {0x3042u, 0x30B2u, 0x6C17u, 0x6EC5u, 0xFF01u})
        if (!FcCharSetHasChar(chars, c)) return false;
    return true;
}

bool describe(FcPattern* font, TextFontMatch* out) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return false;
    int index = 0;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    FcChar8* family = nullptr;
    FcPatternGetString(font, FC_FAMILY, 0, &family);
    out->file = reinterpret_cast<const char*>(file);
    out->index = index;
    out->family = family ? reinterpret_cast<const char*>(family) : "";
    out->coversJapanese = holdsJapanese(font);
    return true;
}

}  // namespace

bool matchTextFont(FcConfig* config, TextFontMatch* out) {
    FcPattern* wanted = FcPatternCreate();
    if (!wanted) return false;
    for (const char* family : kFamilies)
        FcPatternAddString(wanted, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddString(wanted, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(config, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);

    bool found = false;
    FcResult result = FcResultNoMatch;
    if (FcPattern* best = FcFontMatch(config, wanted, &result)) {
        found = describe(best, out);
        FcPatternDestroy(best);
    }
    if (!found || !out->coversJapanese) {
        // The best match lacks Japanese: take the first candidate that has it.
        if (FcFontSet* all = FcFontSort(config, wanted, FcFalse, nullptr, &result)) {
            for (int i = 0; i < all->nfont; ++i) {
                TextFontMatch candidate;
                if (describe(all->fonts[i], &candidate) && candidate.coversJapanese) {
                    *out = candidate;
                    found = true;
                    break;
                }
            }
            FcFontSetDestroy(all);
        }
    }
    FcPatternDestroy(wanted);
    return found;
}

namespace {

FT_Library library = nullptr;
FT_Face face = nullptr;
std::once_flag faceLookedUp;

void lookUpFace() {
    TextFontMatch match;
    const bool found = FcInit() && matchTextFont(nullptr, &match);
    if (!found || !match.coversJapanese) {
        // Every message is Japanese: a face without it would draw only boxes.
        std::fputs(
            "nmnm: no Japanese font is installed, so no on-screen text can be drawn; "
            "install fonts-ipafont-mincho (sudo apt-get install fonts-ipafont-mincho)\n",
            stderr);
        return;
    }
    if (FT_Init_FreeType(&library) != 0) return;
    if (FT_New_Face(library, match.file.c_str(), match.index, &face) != 0) {
        std::fprintf(stderr, "nmnm: cannot load the font file %s; reinstall fonts-ipafont-mincho\n",
                     match.file.c_str());
        face = nullptr;
    }
}

}  // namespace

// Once, whichever thread asks first; a second asker waits for the first.
FT_Face textFace() {
    std::call_once(faceLookedUp, lookUpFace);
    return face;
}

bool textCellFor(FT_Face face, int32_t height, TextCell* out) {
    // Larger than any screen; keeps glyph bitmaps and FreeType's work bounded.
    constexpr int64_t kMaxPpem = 512;
    if (!face || height == 0 || face->units_per_EM == 0) return false;
    const int64_t unitsPerEm = face->units_per_EM;
    int64_t ascent = face->ascender;
    int64_t cell = int64_t{face->ascender} - face->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        cell = int64_t{os2->usWinAscent} + os2->usWinDescent;
    }
    if (cell <= 0) return false;
    // Rounded to nearest, as the platform's own scaling rounds.
    const int64_t ppem = height > 0 ? (unitsPerEm * height + cell / 2) / cell : -int64_t{height};
    if (ppem < 1 || ppem > kMaxPpem) return false;
    out->ppem = static_cast<int32_t>(ppem);
    out->ascent = static_cast<int32_t>((ascent * ppem + unitsPerEm / 2) / unitsPerEm);
    return true;
}
