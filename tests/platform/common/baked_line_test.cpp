// Lines from the baked glyph table: how characters are split, skipped and
// refused. (That the pixels are the Linux service's is baked_text_test's.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/common/baked_line.h"

namespace {

// 気分: the first two characters of the title, drawn at 16.
const std::string kTwo = "\x8B\x43\x95\xAA";

struct Drawn {
    bool ok = false;
    TextMask mask{};
    std::vector<uint8_t> ink;
};

Drawn draw(const std::string& text, int32_t height) {
    Drawn d;
    d.ok = rasterizeBakedLine(kBakedFont, text.data(), text.size(), height, &d.mask);
    for (int32_t r = 0; d.ok && r < d.mask.rows; ++r)
        d.ink.insert(d.ink.end(), d.mask.bits + r * d.mask.pitch, d.mask.bits + r * d.mask.pitch + d.mask.width);
    return d;
}

void expectSame(const Drawn& got, const Drawn& want, const char* name) {
    ASSERT_TRUE(got.ok && want.ok) << "case: " << name;
    EXPECT_EQ(got.mask.width, want.mask.width) << "case: " << name << ", width";
    EXPECT_EQ(got.mask.left, want.mask.left) << "case: " << name << ", left";
    EXPECT_EQ(got.mask.top, want.mask.top) << "case: " << name << ", top";
    EXPECT_EQ(got.ink, want.ink) << "case: " << name << ", ink";
}

class BakedLine : public ::testing::Test {
protected:
    void SetUp() override {
        if (kBakedFont.sizeCount == 0) GTEST_SKIP() << "no Japanese font where the glyphs were baked";
    }
};

}  // namespace

TEST(BakedLineSplit, LeadBytesTakeTheNextByteAndASplitResumesWhereItEnded) {
    const std::string text =
        "A\x8B\x43"
        "B\xB1\xE0\x40\x95";
    uint16_t codes[8] = {};
    size_t offset = 0;
    ASSERT_EQ(splitCp932(text.data(), text.size(), &offset, codes, 8), 5u);
    const uint16_t want[] = {0x41, 0x8B43, 0x42, 0xB1, 0xE040};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(codes[i], want[i]) << "case: character " << i;
    EXPECT_EQ(offset, text.size()) << "case: the lead byte at the end is used up, and dropped";
    offset = 0;
    for (uint16_t code : {0x8B43, 0x95AA}) {
        ASSERT_EQ(splitCp932(kTwo.data(), kTwo.size(), &offset, codes, 1), 1u) << "case: piece " << code;
        EXPECT_EQ(codes[0], code) << "case: piece " << code;
    }
    EXPECT_EQ(splitCp932(kTwo.data(), kTwo.size(), &offset, codes, 1), 0u) << "case: used up";
}

TEST_F(BakedLine, DrawsWhatItHoldsAndNothingElse) {
    TextMask mask{};
    EXPECT_TRUE(draw(kTwo, 16).ok) << "case: two title characters at 16";
    EXPECT_FALSE(draw(kTwo, 17).ok) << "case: a height no message uses";
    EXPECT_FALSE(rasterizeBakedLine(kBakedFont, nullptr, 4, 16, &mask)) << "case: no text";
    EXPECT_FALSE(rasterizeBakedLine(kBakedFont, kTwo.data(), 0, 16, &mask)) << "case: empty line";
    EXPECT_EQ(mask.bits, nullptr) << "case: a refused line leaves an empty mask";
}

TEST_F(BakedLine, CharactersItLacksTakeNoRoom) {
    const Drawn two = draw(kTwo, 16);
    expectSame(draw(kTwo.substr(0, 2) + "\x01" + kTwo.substr(2), 16), two, "a control byte between");
    expectSame(draw(kTwo.substr(0, 2) + "\x88\x9F" + kTwo.substr(2), 16), two, "a kanji no message holds");
    expectSame(draw(kTwo + "\x8B", 16), two, "a lead byte cut off at the end");
}
