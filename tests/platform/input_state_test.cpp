#include "platform/input_state.h"

#include <gtest/gtest.h>

#include "platform/host.h"

namespace {

uint8_t readButton(InputState& input) {
    uint8_t keys[256];
    inputReadKeyState(input, keys);
    return keys[VK_LBUTTON];
}

}  // namespace

TEST(InputState, ClickReleasedBeforeTheFrameReadsDownOnce) {
    InputState input;
    inputButtonChanged(input, true);
    inputButtonChanged(input, false);
    EXPECT_EQ(readButton(input), 0x80);
    EXPECT_EQ(readButton(input), 0x00);
}

TEST(InputState, HeldButtonReadsDownUntilReleased) {
    InputState input;
    EXPECT_EQ(readButton(input), 0x00);
    inputButtonChanged(input, true);
    EXPECT_EQ(readButton(input), 0x80);
    EXPECT_EQ(readButton(input), 0x80);
    inputButtonChanged(input, false);
    EXPECT_EQ(readButton(input), 0x00);
    // A new press after a reading counts again.
    inputButtonChanged(input, true);
    inputButtonChanged(input, false);
    EXPECT_EQ(readButton(input), 0x80);
}

TEST(InputState, KeysFollowEventsAndFocusLossDropsEverything) {
    InputState input;
    inputKeyChanged(input, VK_UP, true);
    inputKeyChanged(input, 0, true);     // keys the game does not know
    inputKeyChanged(input, 0x100, true);
    inputKeyChanged(input, -5, true);
    uint8_t keys[256];
    inputReadKeyState(input, keys);
    EXPECT_EQ(keys[VK_UP], 0x80);
    EXPECT_EQ(keys[VK_DOWN], 0x00);
    EXPECT_EQ(keys[0], 0x00);
    inputButtonChanged(input, true);
    inputButtonChanged(input, false);
    inputReleaseAll(input);
    inputReadKeyState(input, keys);
    EXPECT_EQ(keys[VK_UP], 0x00);
    EXPECT_EQ(keys[VK_LBUTTON], 0x00);
}
