#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "base/data_files.h"
#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "tests/support/test_support.h"
#include "tools/common/bmp_fixture.h"

namespace {

class DataFiles : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        forgetPictureReports();
    }
    ScratchFolder scratch;
    const std::vector<uint8_t> picture = makeBmp({640, 480}, patternPixels(640, 480, 5), patternColours(9));
};

TEST_F(DataFiles, WhatStandsUnderTheNameGetsItsOwnReason) {
    ASSERT_EQ(mkdir("folder.bmp", 0755), 0);
    ASSERT_EQ(mkfifo("pipe.bmp", 0644), 0);  // a reader that opened it would wait here for ever
    EXPECT_TRUE(mentions(dataFileRefusal("folder.bmp"), "is a folder"))
        << "case: a folder: " << dataFileRefusal("folder.bmp");
    EXPECT_TRUE(mentions(dataFileRefusal("pipe.bmp"), "is not a regular file"))
        << "case: a named pipe: " << dataFileRefusal("pipe.bmp");
    EXPECT_TRUE(mentions(dataFileRefusal("surely-missing.bmp"), "not found in the current folder"))
        << "case: missing: " << dataFileRefusal("surely-missing.bmp");
}

TEST_F(DataFiles, AnUnreadableFileIsPermissionDenied) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    ASSERT_TRUE(writeBytes("locked.bmp", picture));
    ASSERT_EQ(chmod("locked.bmp", 0), 0);
    EXPECT_EQ(dataFileRefusal("locked.bmp"), "permission denied") << "case: mode 000";
}

TEST_F(DataFiles, APictureThatFailsIsToldOnceForItsThreeLoads) {
    ASSERT_TRUE(writeBytes("bad.bmp", std::vector<uint8_t>(picture.begin(), picture.begin() + 20)));
    const std::string said = stderrOf([] {
        for (Surface* s : {displayObjects.backgroundSurface, displayObjects.backSurface, displayObjects.primarySurface})
            EXPECT_EQ(loadBitmap(s, "bad.bmp", 0, 0), 0) << "case: header cut short";
    });
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(mentions(said, "cannot load bad.bmp")) << said;
}

TEST_F(DataFiles, APictureCutShortLoadsAndSaysHowManyRowsAreMissing) {
    // 1078 bytes of headers and colours, then 100 whole rows and half of one more.
    ASSERT_TRUE(writeBytes("short.bmp",
                           std::vector<uint8_t>(picture.begin(), picture.begin() + 1078 + 640 * 100 + 320)));
    const std::string said = stderrOf([] {
        EXPECT_EQ(loadBitmap(displayObjects.backgroundSurface, "short.bmp", 0, 0), 1) << "case: still loads";
        EXPECT_EQ(loadBitmap(displayObjects.backSurface, "short.bmp", 0, 0), 1) << "case: loads again";
    });
    EXPECT_TRUE(mentions(said, "short.bmp is cut short: 380 rows")) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "told once: " << said;
    // Rows are stored bottom up: the picture's top rows are the ones missing.
    EXPECT_EQ(pixelAt(displayObjects.backgroundSurface, 5, 0), 0) << "case: top row reads as colour 0";
    EXPECT_EQ(pixelAt(displayObjects.backgroundSurface, 5, 479), picture[1078 + 5])
        << "case: bottom row is the first stored";
}

}  // namespace
