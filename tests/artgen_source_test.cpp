// The art generator's readers: sprite grids must fail loudly with the place
// of the mistake, and the bitmap reader must refuse anything malformed.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/artgen/bmp_file.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/sprite_text.h"

namespace {

std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = std::string(NMNM_BUILD_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

const char* kLegend = "colours\n  .  clear\n  k  steel 3\n  W  white\n  r  red\nend\n";

TEST(SpriteText, ReadsFramesThroughTheLegend) {
    const std::string path = writeTemp("sprite_ok.txt", std::string("# two frames\n") + kLegend +
                                                            "frame 0\n.k.\nkWk\n.r.\nframe 1\n...\n.k.\n...\n");
    SpriteText sprite;
    std::string error;
    ASSERT_TRUE(loadSpriteText(path, 3, 3, &sprite, &error)) << error;
    ASSERT_EQ(sprite.frames.size(), 2u);
    EXPECT_EQ(sprite.frames[0].at(0, 0), kClear);
    EXPECT_EQ(sprite.frames[0].at(1, 0), rampIndex(Ramp::Steel, 3));
    EXPECT_EQ(sprite.frames[0].at(1, 1), kWhite);
    EXPECT_EQ(sprite.frames[0].at(1, 2), pureRed());
    EXPECT_EQ(sprite.frames[1].at(1, 1), rampIndex(Ramp::Steel, 3));
}

TEST(SpriteText, NamesTheLineOfEveryMistake) {
    struct Case {
        std::string body;
        std::string expect;
    };
    const Case cases[] = {
        {std::string(kLegend) + "frame 0\n.k.\nkk\n...\n", ":9:"},            // short row
        {std::string(kLegend) + "frame 0\n.k.\nkxk\n...\n", "'x'"},           // unknown key
        {"colours\n  k  steel 99\nend\n", ":2:"},                             // step beyond the ramp
        {"colours\n  k  paint 3\nend\n", ":2:"},                              // no such ramp
        {std::string(kLegend) + "frame 0\n.k.\n", "only 1 rows"},            // frame cut short
        {std::string(kLegend) + "frame 0\n...\n...\n...\nframe 0\n", "new frame"},
    };
    for (const Case& c : cases) {
        const std::string path = writeTemp("sprite_bad.txt", c.body);
        SpriteText sprite;
        std::string error;
        EXPECT_FALSE(loadSpriteText(path, 3, 3, &sprite, &error)) << c.body;
        EXPECT_NE(error.find(c.expect), std::string::npos) << error;
        EXPECT_NE(error.find("sprite_bad.txt"), std::string::npos) << error;
    }
    SpriteText sprite;
    std::string error;
    EXPECT_FALSE(loadSpriteText(std::string(NMNM_BUILD_DIR) + "/no_such_sprite.txt", 3, 3, &sprite, &error));
    EXPECT_NE(error.find("no_such_sprite.txt"), std::string::npos);
}

TEST(BmpFile, RoundTripsAndRefusesMalformedFiles) {
    IndexedImage picture(8, 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 8; ++x) picture.set(x, y, static_cast<uint8_t>(y * 8 + x));
    const std::string path = std::string(NMNM_BUILD_DIR) + "/roundtrip.bmp";
    ASSERT_TRUE(writeBmp8(path, picture, paletteColours()));
    IndexedImage back;
    std::array<Rgb, 256> colours{};
    ASSERT_TRUE(readBmp8(path, &back, &colours));
    EXPECT_EQ(back.pixels, picture.pixels);
    EXPECT_EQ(colours[pureBlue()].b, 255);

    // Rows need padding when the width is not a multiple of 4: not written.
    EXPECT_FALSE(writeBmp8(path + ".odd", IndexedImage(6, 2), paletteColours()));

    // A file cut short, or with another bit depth, is refused and leaves the output alone.
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string shortPath = writeTemp("short.bmp", bytes.substr(0, bytes.size() - 1));
    IndexedImage untouched(1, 1, 7);
    EXPECT_FALSE(readBmp8(shortPath, &untouched, &colours));
    std::string deep = bytes;
    deep[28] = 24;
    EXPECT_FALSE(readBmp8(writeTemp("deep.bmp", deep), &untouched, &colours));
    std::string huge = bytes;
    huge[22] = '\xff';
    huge[23] = '\xff';
    huge[24] = '\xff';
    huge[25] = '\x7f';
    EXPECT_FALSE(readBmp8(writeTemp("huge.bmp", huge), &untouched, &colours));
    EXPECT_EQ(untouched.width, 1);
    EXPECT_EQ(untouched.at(0, 0), 7);
}

}  // namespace
