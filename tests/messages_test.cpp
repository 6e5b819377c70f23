#include <gtest/gtest.h>
#include <iconv.h>

#include <climits>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>

#include "platform/linux/cp932.h"
#include "game/message_texts.h"
#include "game/messages.h"
#include "game/world.h"
#include "tests/test_support.h"

namespace {

// Decodes with the C library directly, byte for byte: the oracle for the tables.
std::string cp932ToUtf8(const char* bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    char out[256] = {};
    char* in = const_cast<char*>(bytes);
    size_t inLeft = std::strlen(bytes);
    char* outPtr = out;
    size_t outLeft = sizeof out - 1;
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(result, static_cast<size_t>(-1)) << "undecodable bytes";
    return out;
}

std::u32string decodeAll(const char* bytes, size_t length, size_t piece) {
    std::u32string all;
    size_t offset = 0;
    uint32_t buf[64];
    while (size_t n = decodeCp932(bytes, length, &offset, buf, piece)) all.append(buf, buf + n);
    EXPECT_EQ(offset, length);
    return all;
}

}  // namespace

TEST(MessageTexts, EveryRowDecodesToItsJapaneseAndSitsWhereItShould) {
    struct Expected {
        uint8_t phase;
        const char* utf8;
        int32_t x, y;
        uint8_t red, green, blue;
        int32_t height;
        bool numbered;
    };
    const Expected expected[] = {
        {0, "気分爽快はえたたきゲーム＜ぬむぬむ＞", 176, 170, 255, 255, 255, 16, false},
        {0, "クリックすると始まるよ！！", 224, 300, 0, 0, 255, 16, false},
        {1, "ボーダーライン %d 匹", 264, 170, 255, 255, 255, 16, true},
        {1, "水色のゲージを超すまではえを殺害せよ！！", 168, 190, 255, 255, 255, 16, false},
        {2, "ＳＴＡＲＴ！！", 190, 200, 255, 255, 255, 64, false},
        {4, "はえの増加に耐えられなかった！", 200, 170, 255, 0, 0, 16, false},
        {5, "ボーダーラインクリア！！", 232, 170, 255, 255, 255, 16, false},
        {5, "滅数 %d 匹", 320, 200, 255, 255, 255, 16, true},
    };
    ASSERT_EQ(kMessageRowCount, std::size(expected));
    for (size_t i = 0; i < kMessageRowCount; ++i) {
        const MessageRow& r = kMessageRows[i];
        const Expected& e = expected[i];
        EXPECT_EQ(cp932ToUtf8(r.text), e.utf8);
        EXPECT_EQ(std::tuple(r.phase, r.x, r.y, r.red, r.green, r.blue, r.height, r.value != nullptr),
                  std::tuple(e.phase, e.x, e.y, e.red, e.green, e.blue, e.height, e.numbered)) << e.utf8;
    }
    EXPECT_EQ(kMessageRows[2].value, &GameWorld::borderLine);
    EXPECT_EQ(kMessageRows[7].value, &GameWorld::killCount);
}

using NumberedMessages = DisplayTest;

TEST_F(NumberedMessages, FormatTheirValueIntoTheTextBuffer) {
    world.borderLine = 55;
    drawPhaseMessages(kPhaseAnnouncement);
    EXPECT_EQ(cp932ToUtf8(world.textBuffer), "ボーダーライン 55 匹");
    // The widest number still fits, terminated, inside the 80 bytes.
    std::memset(world.textBuffer, 'x', sizeof world.textBuffer);
    world.killCount = INT32_MIN;
    drawPhaseMessages(kPhaseStageClear);
    EXPECT_EQ(cp932ToUtf8(world.textBuffer), "滅数 -2147483648 匹");
}

TEST(Cp932, DecodesTheWindowsMappingInPiecesOfAnySizeAndSkipsWhatDoesNotDecode) {
    // 〜 and − are where code page 932 parts from plain Shift JIS; bytes that
    // start no character are left out; a lead byte cut off by the end is
    // dropped, and nothing past the end is read.
    const std::pair<std::string, std::u32string> cases[] = {
        {"A\x81\x60\x81\x7C\x82\xA0\xB1", {U'A', 0xFF5E, 0xFF0D, U'あ', 0xFF71}},
        {"\xFF" "A\x80" "B\x85\x40" "C", U"AB@C"}, {"A\x82", U"A"}, {"", U""}};
    for (const auto& [bytes, text] : cases)
        for (size_t piece : {64, 1, 2}) EXPECT_EQ(decodeAll(bytes.data(), bytes.size(), piece), text) << bytes;
}
