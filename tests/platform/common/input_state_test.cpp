#include "platform/common/input_state.h"

#include <gtest/gtest.h>

#include <string>

#include "base/virtual_keys.h"

// Events: d/u button down/up, K up key down, R focus lost; r reads the
// button, k the up key, 0 key 0 (unknown keys never show). A click reads
// down once, a held button until released.
TEST(InputState, ClickLatchHeldButtonKeysAndFocusLoss) {
    for (auto [events, reads] :
         {std::pair<std::string, std::string>{"r d u r r d r r u r", "0 1 0 1 1 0"}, {"K k 0 d u R k r", "1 0 0 0"}}) {
        InputState input;
        for (int key : {0, 0x100, -5}) inputKeyChanged(input, key, true);
        std::string got;
        for (char e : events) {
            uint8_t keys[256];
            if (e == 'd' || e == 'u') inputButtonChanged(input, e == 'd');
            if (e == 'K') inputKeyChanged(input, VK_UP, true);
            if (e == 'R') inputReleaseAll(input);
            if (e != 'r' && e != 'k' && e != '0') continue;
            inputReadKeyState(input, keys);
            got += std::string(got.empty() ? "" : " ") + (keys[e == 'r'   ? VK_LBUTTON
                                                               : e == 'k' ? VK_UP
                                                                          : 0] == 0x80
                                                              ? "1"
                                                              : "0");
        }
        EXPECT_EQ(got, reads) << events;
    }
}

TEST(InputState, KeyDownNoticesComeOutInOrderAndSurviveFocusLoss) {
    InputState input;
    inputKeyPressed(input, VK_UP);
    inputKeyPressed(input, 0x100);  // no such key: ignored
    inputKeyPressed(input, VK_ESCAPE);
    inputReleaseAll(input);
    EXPECT_EQ(inputNextKeyDown(input), VK_UP) << "first notice";
    EXPECT_EQ(inputNextKeyDown(input), VK_ESCAPE) << "second notice, after focus loss";
    EXPECT_EQ(inputNextKeyDown(input), 0) << "queue empty";
}

TEST(InputState, AFullKeyDownQueueDropsItsOldestNotice) {
    InputState input;
    for (int i = 0; i < kKeyDownQueue; ++i) inputKeyPressed(input, VK_UP);
    inputKeyPressed(input, VK_ESCAPE);
    int ups = 0;
    int32_t last = 0;
    for (int32_t key = inputNextKeyDown(input); key != 0; key = inputNextKeyDown(input)) {
        if (key == VK_UP) ++ups;
        last = key;
    }
    EXPECT_EQ(ups, kKeyDownQueue - 1) << "one Up notice made room";
    EXPECT_EQ(last, VK_ESCAPE) << "the newest notice kept";
}
