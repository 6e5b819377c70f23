// The browser build's file service under node: where bare names are looked
// for, what each refusal says, and SZDD files expanded as on Linux.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <tuple>
#include <vector>

#include "base/data_files.h"
#include "tests/support/test_support.h"
#include "tools/common/bmp_fixture.h"
#include "tools/common/file_bytes.h"

namespace {

class WebFiles : public ::testing::Test {
protected:
    ScratchFolder scratch;
    const std::vector<uint8_t> picture = makeBmp({64, 48}, patternPixels(64, 48, 5), patternColours(9));
};

}  // namespace

TEST_F(WebFiles, TheCurrentFolderComesFirstThenBesideTheProgram) {
    // bin/ holds the Linux build's pictures beside this test program.
    ASSERT_TRUE(writeBytes("hk.bmp", picture));
    std::vector<uint8_t> besideBytes;
    ASSERT_TRUE(readBytes(NMNM_BUILD_DIR "/bin/pt.bmp", &besideBytes)) << "the Linux build's pt.bmp";
    for (auto [name, path, bytes] :
         {std::tuple{"hk.bmp", "hk.bmp", &picture}, {"pt.bmp", NMNM_BUILD_DIR "/bin/pt.bmp", &besideBytes}}) {
        DataFile file;
        std::string reason;
        ASSERT_TRUE(readDataFile(name, &file, &reason)) << "case: " << name << ": " << reason;
        EXPECT_EQ(file.path, path) << "case: " << name << ", where it was found";
        EXPECT_EQ(file.bytes, *bytes) << "case: " << name << ", its bytes";
    }
}

// The pictures as a player's copies might be packed: the page's SZDD reader
// gives back their every byte.
TEST_F(WebFiles, MscompressCopiesOfThePicturesReadAsThePlainOnes) {
    for (const std::string name : {"hk.bmp", "pt.bmp"}) {
        std::vector<uint8_t> plain;
        ASSERT_TRUE(readBytes(NMNM_BUILD_DIR "/bin/" + name, &plain)) << "case: the Linux build's " << name;
        DataFile file;
        std::string reason;
        ASSERT_TRUE(readDataFile((NMNM_BUILD_DIR "/szdd/" + name + "_").c_str(), &file, &reason))
            << "case: " << name << "_: " << reason;
        EXPECT_TRUE(file.bytes == plain) << "case: " << name << "_, expanded";
    }
}

TEST_F(WebFiles, EachRefusalSaysWhy) {
    ASSERT_EQ(mkdir("folder.bmp", 0755), 0);
    EXPECT_TRUE(mentions(dataFileRefusal("folder.bmp"), "is a folder"))
        << "case: a folder: " << dataFileRefusal("folder.bmp");
    const std::string missing = dataFileRefusal("surely-missing.bmp");
    EXPECT_TRUE(mentions(missing, "not found in the current folder, " NMNM_BUILD_DIR "/bin"))
        << "case: missing, both places named: " << missing;
    EXPECT_TRUE(mentions(dataFileRefusal("no/such/folder/hk.bmp"), "cannot open")) << "case: a path stands as it is";
}

TEST_F(WebFiles, AnSzddFileReadsAsItsPlainBytesAsOnLinux) {
    // The picture stored as literals only: a flag byte of eight set bits before every eight bytes.
    std::vector<uint8_t> packed = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', '_'};
    for (int shift = 0; shift < 32; shift += 8) packed.push_back(static_cast<uint8_t>(picture.size() >> shift));
    for (size_t i = 0; i < picture.size(); ++i) {
        if (i % 8 == 0) packed.push_back(0xFF);
        packed.push_back(picture[i]);
    }
    ASSERT_TRUE(writeBytes("packed.bmp", packed));
    DataFile file;
    std::string reason;
    ASSERT_TRUE(readDataFile("packed.bmp", &file, &reason)) << reason;
    EXPECT_EQ(file.bytes, picture) << "case: SZDD, expanded";

    ASSERT_TRUE(writeBytes("header.bmp", std::vector<uint8_t>(packed.begin(), packed.begin() + 12)));
    EXPECT_EQ(dataFileRefusal("header.bmp"), "file ends inside its SZDD header") << "case: SZDD cut in its header";
}
