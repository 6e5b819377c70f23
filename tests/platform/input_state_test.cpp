#include "platform/input_state.h"

#include <gtest/gtest.h>

#include "platform/host.h"

namespace {

uint8_t read(InputState& input, int key = VK_LBUTTON) {
    uint8_t keys[256];
    inputReadKeyState(input, keys);
    return keys[key];
}

}  // namespace

TEST(InputState, AClickReadsDownOnceAndAHeldButtonUntilReleased) {
    InputState input;
    EXPECT_EQ(read(input), 0x00);
    inputButtonChanged(input, true);
    inputButtonChanged(input, false);  // released before the frame read it
    EXPECT_EQ(read(input), 0x80);
    EXPECT_EQ(read(input), 0x00);
    inputButtonChanged(input, true);
    EXPECT_EQ(read(input), 0x80);
    EXPECT_EQ(read(input), 0x80);
    inputButtonChanged(input, false);
    EXPECT_EQ(read(input), 0x00);
}

TEST(InputState, KeysFollowEventsAndFocusLossDropsEverything) {
    InputState input;
    for (int key : {VK_UP, 0, 0x100, -5}) inputKeyChanged(input, key, true);  // some unknown
    EXPECT_EQ(read(input, VK_UP), 0x80);
    EXPECT_EQ(read(input, VK_DOWN), 0x00);
    EXPECT_EQ(read(input, 0), 0x00);
    inputButtonChanged(input, true);
    inputButtonChanged(input, false);
    inputReleaseAll(input);
    EXPECT_EQ(read(input, VK_UP), 0x00);
    EXPECT_EQ(read(input), 0x00);
}
