// The art generator's sprite grids must fail loudly with the place of the mistake.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>

#include "tools/artgen/palette.h"
#include "tools/artgen/sprite_text.h"

TEST(SpriteText, ReadsFramesThroughTheLegendAndNamesTheLineOfEveryMistake) {
    const std::string path = std::string(NMNM_BUILD_DIR) + "/sprite_test.txt";
    const std::string legend = "colours\n  .  clear\n  k  steel 3\n  W  white\n  r  red\nend\n";
    SpriteText sprite;
    std::string error;
    std::ofstream(path) << "# two frames\n" << legend << "frame 0\n.k.\nkWk\n.r.\nframe 1\n...\n.k.\n...\n";
    ASSERT_TRUE(loadSpriteText(path, 3, 3, &sprite, &error)) << error;
    ASSERT_EQ(sprite.frames.size(), 2u);
    EXPECT_EQ(sprite.frames[0].at(0, 0), kClear) << "case: frame 0, '.'";
    EXPECT_EQ(sprite.frames[0].at(1, 0), rampIndex(Ramp::Steel, 3)) << "case: frame 0, 'k'";
    EXPECT_EQ(sprite.frames[0].at(1, 1), kWhite) << "case: frame 0, 'W'";
    EXPECT_EQ(sprite.frames[0].at(1, 2), pureRed()) << "case: frame 0, 'r'";
    EXPECT_EQ(sprite.frames[1].at(1, 1), rampIndex(Ramp::Steel, 3)) << "case: frame 1, 'k'";
    const std::pair<std::string, const char*> cases[] = {
        {legend + "frame 0\n.k.\nkk\n...\n", ":9:"}, {legend + "frame 0\n.k.\nkxk\n...\n", "'x'"},
        {"colours\n  k  steel 99\nend\n", ":2:"},    {"colours\n  k  paint 3\nend\n", ":2:"},
        {legend + "frame 0\n.k.\n", "only 1 rows"},  {legend + "frame 0\n...\n...\n...\nframe 0\n", "new frame"},
    };
    for (const auto& [body, expect] : cases) {
        std::ofstream(path) << body;
        EXPECT_FALSE(loadSpriteText(path, 3, 3, &sprite, &error)) << body;
        EXPECT_NE(error.find(expect), std::string::npos) << error;
        EXPECT_NE(error.find("sprite_test.txt"), std::string::npos) << error;
    }
    EXPECT_FALSE(loadSpriteText(path + ".missing", 3, 3, &sprite, &error));
    EXPECT_NE(error.find("sprite_test.txt.missing"), std::string::npos);
}
