#include "platform/common/input_state.h"

#include <cstring>

#include "base/virtual_keys.h"

namespace {
constexpr uint8_t kDown = 0x80;
}

void inputButtonChanged(InputState& input, bool down) {
    input.keys[VK_LBUTTON] = down ? kDown : 0;
    if (down) input.pressUnread = true;
}

void inputKeyChanged(InputState& input, int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey > 0xFF) return;
    input.keys[virtualKey] = down ? kDown : 0;
}

void inputKeyPressed(InputState& input, int virtualKey) {
    if (virtualKey <= 0 || virtualKey > 0xFF) return;
    if (input.keyDownCount == kKeyDownQueue) {
        std::memmove(input.keyDowns, input.keyDowns + 1, kKeyDownQueue - 1);
        --input.keyDownCount;
    }
    input.keyDowns[input.keyDownCount++] = static_cast<uint8_t>(virtualKey);
}

int32_t inputNextKeyDown(InputState& input) {
    if (input.keyDownCount == 0) return 0;
    const int32_t key = input.keyDowns[0];
    std::memmove(input.keyDowns, input.keyDowns + 1, static_cast<size_t>(input.keyDownCount - 1));
    --input.keyDownCount;
    return key;
}

// Key-down notices already queued stay: Esc pressed just before the focus
// left still ends the game.
void inputReleaseAll(InputState& input) {
    InputState released;
    std::memcpy(released.keyDowns, input.keyDowns, sizeof released.keyDowns);
    released.keyDownCount = input.keyDownCount;
    input = released;
}

void inputReadKeyState(InputState& input, uint8_t keyState[256]) {
    std::memcpy(keyState, input.keys, 256);
    if (input.pressUnread) keyState[VK_LBUTTON] = kDown;
    input.pressUnread = false;
}
