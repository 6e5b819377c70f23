#include "platform/win32/font_choice.h"

#include <cctype>

// "ＦＡ　Ｐ　明朝": full-width F, A, P with ideographic spaces, then 明朝.
const char kWantedTextFace[] = "\x82\x65\x82\x60\x81\x40\x82\x6f\x81\x40\x96\xbe\x92\xa9";

namespace {

// A code page 932 lead byte: the first of a two-byte character.
bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool containsLatinMincho(const std::string& name) {
    static const char kWord[] = "mincho";
    const size_t n = sizeof kWord - 1;
    for (size_t i = 0; i + n <= name.size(); ++i) {
        size_t k = 0;
        while (k < n && std::tolower(static_cast<unsigned char>(name[i + k])) == kWord[k]) ++k;
        if (k == n) return true;
    }
    return false;
}

bool isVertical(const std::string& name) { return !name.empty() && name[0] == '@'; }

}  // namespace

bool isMinchoFace(const std::string& name) {
    if (containsLatinMincho(name)) return true;
    // 明 is 96 BE and 朝 is 92 A9; walked a character at a time.
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (!isLeadByte(c) || i + 1 >= name.size()) {
            ++i;
            continue;
        }
        if (name.compare(i, 4, "\x96\xbe\x92\xa9") == 0) return true;
        i += 2;
    }
    return false;
}

std::string chooseTextFace(const std::vector<FontFaceInfo>& installed) {
    for (const FontFaceInfo& face : installed)
        if (face.name == kWantedTextFace) return face.name;
    for (const FontFaceInfo& face : installed)
        if (face.proportional && !isVertical(face.name) && isMinchoFace(face.name)) return face.name;
    for (const FontFaceInfo& face : installed)
        if (!isVertical(face.name) && isMinchoFace(face.name)) return face.name;
    return {};
}
