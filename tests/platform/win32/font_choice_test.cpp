#include "platform/win32/font_choice.h"

#include <gtest/gtest.h>

namespace {
// 明朝 and ゴシック in code page 932, and a name whose bytes hold 明朝's
// bytes only across a character boundary: "\x82\x96" is the full-width
// letter ｖ, and what follows is not 明朝 when read character by character.
const std::string kMincho = "\x96\xbe\x92\xa9";
const std::string kGothic = "\x83\x53\x83\x56\x83\x62\x83\x4e";
const std::string kStraddle = "\x82\x96\xbe\x92\xa9";
}  // namespace

TEST(FontChoice, MinchoNames) {
    const std::pair<std::string, bool> cases[] = {
        {"IPAPMincho", true},     {"MS PMINCHO", true},      {"Noto Serif CJK JP", false}, {"IPAPGothic", false},
        {"MS P" + kMincho, true}, {"MS P" + kGothic, false}, {"x" + kStraddle, false},     {"", false},
    };
    for (const auto& [name, mincho] : cases) EXPECT_EQ(isMinchoFace(name), mincho) << "case: '" << name << "'";
}

TEST(FontChoice, WantedFaceThenProportionalMinchoThenAnyMincho) {
    const FontFaceInfo wanted{kWantedTextFace, true};
    const FontFaceInfo fixedMincho{"IPAMincho", false};
    const FontFaceInfo propMincho{"IPAPMincho", true};
    const FontFaceInfo verticalMincho{"@IPAPMincho", true};
    const FontFaceInfo gothic{"IPAPGothic", true};
    const struct {
        std::vector<FontFaceInfo> installed;
        std::string chosen;
        const char* name;
    } cases[] = {
        {{gothic, propMincho, wanted}, kWantedTextFace, "the wanted face wins wherever it is listed"},
        {{verticalMincho, fixedMincho, gothic, propMincho}, "IPAPMincho", "proportional Mincho before fixed"},
        {{verticalMincho, gothic, fixedMincho}, "IPAMincho", "fixed Mincho when no proportional one"},
        {{verticalMincho, gothic}, "", "vertical faces never; no Mincho leaves it to the font system"},
        {{}, "", "nothing installed"},
    };
    for (const auto& c : cases) EXPECT_EQ(chooseTextFace(c.installed), c.chosen) << "case: " << c.name;
}
