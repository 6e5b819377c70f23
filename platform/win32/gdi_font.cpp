#include "platform/win32/gdi_font.h"

#include <string>
#include <vector>

#include "platform/win32/font_choice.h"

namespace {

int CALLBACK collectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
    auto* faces = reinterpret_cast<std::vector<FontFaceInfo>*>(data);
    faces->push_back(FontFaceInfo{font->lfFaceName, (font->lfPitchAndFamily & 3) == VARIABLE_PITCH});
    return 1;
}

// The face name handed to CreateFontA. GDI, asked for a face it lacks, goes
// to a face of the character set without regard to the pitch asked for, so
// a proportional Mincho is looked for here first.
const std::string& textFaceName() {
    static std::string face;
    static bool chosen = false;
    if (chosen) return face;
    chosen = true;
    std::vector<FontFaceInfo> installed;
    HDC screen = GetDC(nullptr);
    if (screen) {
        LOGFONTA query{};
        query.lfCharSet = SHIFTJIS_CHARSET;
        EnumFontFamiliesExA(screen, &query, collectFace, reinterpret_cast<LPARAM>(&installed), 0);
        ReleaseDC(nullptr, screen);
    }
    face = chooseTextFace(installed);
    if (face.empty()) face = kWantedTextFace;
    return face;
}

struct KeptFont {
    int32_t height;
    HFONT font;
};
// The game uses two heights; a few more are kept before the oldest goes.
constexpr int kKeptFonts = 8;
KeptFont keptFonts[kKeptFonts];
int nextSlot = 0;

}  // namespace

HFONT textFontFor(int32_t height) {
    for (const KeptFont& kept : keptFonts)
        if (kept.font && kept.height == height) return kept.font;
    const HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                   VARIABLE_PITCH | FF_DONTCARE, textFaceName().c_str());
    if (!font) return nullptr;
    KeptFont& slot = keptFonts[nextSlot];
    nextSlot = (nextSlot + 1) % kKeptFonts;
    if (slot.font) DeleteObject(slot.font);
    slot = KeptFont{height, font};
    return font;
}
