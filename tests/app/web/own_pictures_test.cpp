// The player's own pictures: a good one is put where the next run's loader
// finds it and the built-in one comes back on request; a refused one says
// why in one line and leaves every file as it was.
#include "app/web/own_pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "tests/support/test_support.h"
#include "tools/common/bmp_fixture.h"
#include "tools/common/file_bytes.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The file's bytes; none when it is not there.
Bytes bytesOf(const char* path) {
    Bytes bytes;
    if (!readBytes(path, &bytes)) bytes.clear();
    return bytes;
}

// Every file of the scratch folder by name, for "nothing changed" checks.
struct Folder {
    Bytes hk, pt, hkKept, ptKept, hkStaged;
    bool operator==(const Folder&) const = default;
};

Folder folderNow() {
    return Folder{bytesOf("hk.bmp"), bytesOf("pt.bmp"), bytesOf("hk.bmp.built-in"), bytesOf("pt.bmp.built-in"),
                  bytesOf("hk.bmp.yours")};
}

class OwnPictures : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_TRUE(writeBytes("hk.bmp", builtInHk));
        ASSERT_TRUE(writeBytes("pt.bmp", builtInPt));
    }
    void TearDown() override {
        useBuiltInPictures();
        DisplayTest::TearDown();
    }

    // What the loader puts on the background surface from hk.bmp now.
    static uint8_t loadedCorner() {
        forgetPictureReports();
        stderrOf([] { loadBitmap(displayObjects.backgroundSurface, "hk.bmp", 0, 0); });
        return pixelAt(displayObjects.backgroundSurface, 0, 0);
    }

    const Bytes builtInHk = makeBmp({640, 480}, Bytes(640 * 480, 11), patternColours(1));
    const Bytes builtInPt = makeBmp({256, 96}, patternPixels(256, 96, 2), patternColours(2));
    const Bytes ownHk = makeBmp({640, 480}, Bytes(640 * 480, 77), patternColours(3));
    ScratchFolder scratch;
};

}  // namespace

TEST_F(OwnPictures, AGoodPictureIsLoadedByTheNextRunAndTheBuiltInOneComesBack) {
    std::string line = "unchanged";
    ASSERT_TRUE(offerOwnPicture("hk.bmp", ownHk.data(), ownHk.size(), &line)) << "case: good 8-bit picture: " << line;
    EXPECT_EQ(line, "") << "case: nothing to say of a good picture";
    EXPECT_EQ(loadedCorner(), 77) << "case: the loader reads the player's picture";
    EXPECT_TRUE(ownPicturesInUse()) << "case: own picture in use";
    EXPECT_TRUE(bytesOf("hk.bmp.yours").empty()) << "case: no staged copy is left";
    EXPECT_EQ(bytesOf("pt.bmp"), builtInPt) << "case: the other picture is untouched";

    // A second own picture replaces the first; the built-in one stays kept.
    const Bytes second = makeBmp({640, 480}, Bytes(640 * 480, 99), patternColours(4));
    ASSERT_TRUE(offerOwnPicture("hk.bmp", second.data(), second.size(), &line)) << "case: second picture: " << line;
    EXPECT_EQ(loadedCorner(), 99) << "case: the loader reads the second picture";

    EXPECT_TRUE(useBuiltInPictures()) << "case: putting the built-in pictures back";
    EXPECT_EQ(loadedCorner(), 11) << "case: the loader reads the built-in picture again";
    EXPECT_EQ(folderNow(), (Folder{builtInHk, builtInPt, {}, {}, {}})) << "case: the folder as it was at first";
    EXPECT_FALSE(ownPicturesInUse()) << "case: no own picture after going back";
    EXPECT_FALSE(useBuiltInPictures()) << "case: going back twice";
}

TEST_F(OwnPictures, RefusedFilesSayWhyAndChangeNothing) {
    Bytes truncated = ownHk;
    truncated.resize(truncated.size() - 640 * 100);
    // A true-colour picture: no colour table, three bytes a pixel.
    BmpSpec deepSpec{640, 480, 24};
    deepSpec.tableEntries = 0;
    const Bytes deep = makeBmp(deepSpec, Bytes(640 * 480 * 3, 5), {});
    const std::string text = "these are not the pictures you are looking for\n";
    const struct {
        const char* what;
        std::string name;
        Bytes bytes;
        const char* reason;
    } cases[] = {
        {"cut short", "hk.bmp", truncated, "cut short: 100 rows of pixels are missing"},
        {"24-bit", "hk.bmp", deep, "24 bits per pixel"},
        {"not a picture", "pt.bmp", Bytes(text.begin(), text.end()), "not a BMP picture"},
        {"empty", "pt.bmp", {}, "empty"},
        {"another name", "holiday.bmp", ownHk, "only hk.bmp"},
    };
    // With the player's pt.bmp in use, which must stay through the refusals.
    const Bytes ownPt = makeBmp({256, 96}, patternPixels(256, 96, 5), patternColours(5));
    std::string line;
    ASSERT_TRUE(offerOwnPicture("pt.bmp", ownPt.data(), ownPt.size(), &line)) << line;
    const Folder before = folderNow();
    for (const auto& c : cases) {
        line.clear();
        EXPECT_FALSE(offerOwnPicture(c.name, c.bytes.data(), c.bytes.size(), &line)) << "case: " << c.what;
        EXPECT_NE(line.find(c.reason), std::string::npos) << "case: " << c.what << ", reason in: " << line;
        EXPECT_NE(line.find("built-in picture stays"), std::string::npos) << "case: " << c.what << ": " << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << "case: " << c.what << ", one line";
        EXPECT_TRUE(folderNow() == before) << "case: " << c.what << ", files changed";
    }
    EXPECT_EQ(loadedCorner(), 11) << "case: the built-in background still loads";
    // Too large is told from the size alone, before any byte is copied.
    EXPECT_FALSE(offerOwnPicture("hk.bmp", nullptr, size_t{65} << 20, &line)) << "case: 65 MB";
    EXPECT_NE(line.find("too large (68157440 bytes)"), std::string::npos) << "case: 65 MB, reason in: " << line;
}

TEST_F(OwnPictures, NamesAreMatchedWithoutCaseAndPathsCountByTheirLastPart) {
    EXPECT_STREQ(ownPictureName("HK.BMP"), "hk.bmp") << "case: upper case";
    EXPECT_STREQ(ownPictureName("C:\\GAMES\\Pt.Bmp"), "pt.bmp") << "case: a Windows path";
    EXPECT_STREQ(ownPictureName("pictures/hk.bmp"), "hk.bmp") << "case: a folder";
    EXPECT_EQ(ownPictureName("hk.bmp.bak"), nullptr) << "case: a longer name";
    EXPECT_EQ(ownPictureName("xhk.bmp"), nullptr) << "case: a name ending in hk.bmp";
    EXPECT_EQ(ownPictureName(""), nullptr) << "case: no name";
    std::string line;
    ASSERT_TRUE(offerOwnPicture("HK.BMP", ownHk.data(), ownHk.size(), &line)) << "case: HK.BMP: " << line;
    EXPECT_EQ(loadedCorner(), 77) << "case: HK.BMP replaces hk.bmp";
}

TEST_F(OwnPictures, APictureWithNoBuiltInOneIsTakenAwayAgain) {
    ASSERT_EQ(std::remove("hk.bmp"), 0);
    std::string line;
    ASSERT_TRUE(offerOwnPicture("hk.bmp", ownHk.data(), ownHk.size(), &line)) << line;
    EXPECT_TRUE(useBuiltInPictures()) << "case: going back";
    EXPECT_TRUE(bytesOf("hk.bmp").empty()) << "case: no hk.bmp left where there was none";
    EXPECT_TRUE(bytesOf("hk.bmp.built-in").empty()) << "case: nothing kept";
}
