// The browser build's text against the Linux build's: every line the game's
// messages can show, drawn from the baked glyph table and by FreeType, must
// be the same mask, pixel for pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_raster.h"
#include "platform/common/baked_line.h"
#include "tools/text_bake/message_lines.h"

namespace {

struct Drawn {
    bool ok = false;
    int32_t width = 0, rows = 0, left = 0, top = 0;
    std::vector<uint8_t> ink;  // 0 or 1 a pixel, rows without gaps
};

Drawn keep(bool ok, const TextMask& mask) {
    Drawn d{ok, mask.width, mask.rows, mask.left, mask.top, {}};
    for (int32_t r = 0; ok && r < mask.rows; ++r)
        for (int32_t c = 0; c < mask.width; ++c) d.ink.push_back(mask.bits[r * mask.pitch + c] ? 1 : 0);
    return d;
}

// Where two masks of one size first differ, for the failure message.
std::string firstDifference(const Drawn& a, const Drawn& b) {
    for (size_t i = 0; i < a.ink.size() && i < b.ink.size(); ++i)
        if (a.ink[i] != b.ink[i])
            return "row " + std::to_string(i / static_cast<size_t>(a.width)) + ", column " +
                   std::to_string(i % static_cast<size_t>(a.width));
    return "none";
}

}  // namespace

TEST(BakedText, EveryMessageLineIsTheFreeTypeLine) {
    const std::vector<MessageLine> lines = messageLines();
    int drawn = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const MessageLine& line = lines[i];
        TextMask mask{};
        const Drawn freetype = keep(rasterizeTextLine(line.text.data(), line.text.size(), line.height, &mask), mask);
        const Drawn baked =
            keep(rasterizeBakedLine(kBakedFont, line.text.data(), line.text.size(), line.height, &mask), mask);
        const std::string name = "line " + std::to_string(i) + " at " + std::to_string(line.height);
        ASSERT_EQ(baked.ok, freetype.ok) << "case: " << name << ", drawn at all";
        drawn += freetype.ok;
        EXPECT_EQ(baked.width, freetype.width) << "case: " << name << ", width";
        EXPECT_EQ(baked.rows, freetype.rows) << "case: " << name << ", rows";
        EXPECT_EQ(baked.left, freetype.left) << "case: " << name << ", left";
        EXPECT_EQ(baked.top, freetype.top) << "case: " << name << ", top";
        if (baked.width == freetype.width) {
            EXPECT_EQ(baked.ink, freetype.ink)
                << "case: " << name << ", first differing pixel at " << firstDifference(baked, freetype);
        }
    }
    // Without a Japanese font both draw nothing, and nothing is compared.
    if (kBakedFont.sizeCount > 0) {
        EXPECT_EQ(drawn, static_cast<int>(lines.size())) << "case: every line drawn";
    }
}
