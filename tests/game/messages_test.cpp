#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>

#include "game/message_texts.h"
#include "game/messages.h"
#include "game/world.h"
#include "platform/linux/cp932.h"
#include "tests/support/draw_record.h"
#include "tests/support/test_support.h"

namespace {

std::u32string decodeAll(const char* bytes, size_t length, size_t piece) {
    std::u32string all;
    size_t offset = 0;
    uint32_t buf[64];
    while (size_t n = decodeCp932(bytes, length, &offset, buf, piece)) all.append(buf, buf + n);
    EXPECT_EQ(offset, length);
    return all;
}

}  // namespace

TEST(MessageTexts, EveryRowDecodesToItsJapanese) {
    // Where each line is drawn, in which colour and size, is checked on what
    // reaches the display (draw_order_test.cpp); here, the bytes.
    struct Expected {
        uint8_t phase;
        const char* utf8;
    };
    const Expected expected[] = {
        {0, "気分爽快はえたたきゲーム＜ぬむぬむ＞"},
        {0, "クリックすると始まるよ！！"},
        {1, "ボーダーライン %d 匹"},
        {1, "水色のゲージを超すまではえを殺害せよ！！"},
        {2, "ＳＴＡＲＴ！！"},
        {4, "はえの増加に耐えられなかった！"},
        {5, "ボーダーラインクリア！！"},
        {5, "滅数 %d 匹"},
    };
    ASSERT_EQ(kMessageRowCount, std::size(expected));
    for (size_t i = 0; i < kMessageRowCount; ++i) {
        EXPECT_TRUE(cp932ToUtf8(kMessageRows[i].text) == expected[i].utf8)
            << "case: row " << i << "\n  got:  " << cp932ToUtf8(kMessageRows[i].text)
            << "\n  want: " << expected[i].utf8;
        EXPECT_EQ(kMessageRows[i].phase, expected[i].phase) << "case: row " << i;
    }
    EXPECT_EQ(kMessageRows[2].value, &GameWorld::borderLine) << "case: row 2, the number shown";
    EXPECT_EQ(kMessageRows[7].value, &GameWorld::killCount) << "case: row 7, the number shown";
}

using NumberedMessages = DisplayTest;

TEST_F(NumberedMessages, FormatTheirValueIntoTheTextBuffer) {
    world.borderLine = 55;
    drawPhaseMessages(kPhaseAnnouncement);
    EXPECT_TRUE(cp932ToUtf8(world.textBuffer) == "ボーダーライン 55 匹")
        << "case: border line 55: " << cp932ToUtf8(world.textBuffer);
    // The widest number still fits, terminated, inside the 80 bytes.
    std::memset(world.textBuffer, 'x', sizeof world.textBuffer);
    world.killCount = INT32_MIN;
    drawPhaseMessages(kPhaseStageClear);
    EXPECT_TRUE(cp932ToUtf8(world.textBuffer) == "滅数 -2147483648 匹")
        << "case: kills INT32_MIN: " << cp932ToUtf8(world.textBuffer);
}

TEST(Cp932, DecodesTheWindowsMappingInPiecesOfAnySizeAndSkipsWhatDoesNotDecode) {
    // 〜 and − are where code page 932 parts from plain Shift JIS; bytes that
    // start no character are left out; a lead byte cut off by the end is
    // dropped, and nothing past the end is read.
    const std::pair<std::string, std::u32string> cases[] = {
        {"A\x81\x60\x81\x7C\x82\xA0\xB1", {U'A', 0xFF5E, 0xFF0D, U'あ', 0xFF71}},
        {"\xFF"
         "A\x80"
         "B\x85\x40"
         "C",
         U"AB@C"},
        {"A\x82", U"A"},
        {"", U""}};
    for (const auto& [bytes, text] : cases)
        for (size_t piece : {64, 1, 2})
            EXPECT_TRUE(decodeAll(bytes.data(), bytes.size(), piece) == text)
                << "case: " << bytes.size() << " bytes, pieces of " << piece << ", starting with byte "
                << (bytes.empty() ? 0 : int{static_cast<uint8_t>(bytes[0])});
}
