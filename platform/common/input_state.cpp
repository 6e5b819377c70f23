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

void inputReleaseAll(InputState& input) { input = InputState{}; }

void inputReadKeyState(InputState& input, uint8_t keyState[256]) {
    std::memcpy(keyState, input.keys, 256);
    if (input.pressUnread) keyState[VK_LBUTTON] = kDown;
    input.pressUnread = false;
}
