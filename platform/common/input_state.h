#pragma once
// The key state the game reads, built from input events as they are handled.
// A left-button press that is released again before the next frame reads the
// state (a touchpad tap, a synthetic click) still counts as down for that one
// reading, so no click is lost between frames.
#include <cstdint>

constexpr int kKeyDownQueue = 16;

struct InputState {
    uint8_t keys[256] = {};    // 0x80 while a key or button is down
    bool pressUnread = false;  // left button went down since the last reading
    // Key-down notices not yet taken by the pump, oldest first.
    uint8_t keyDowns[kKeyDownQueue] = {};
    int keyDownCount = 0;
};

void inputButtonChanged(InputState& input, bool down);
void inputKeyChanged(InputState& input, int virtualKey, bool down);
// A key-down notice (not a repeat) for the pump; when the pump has fallen
// behind by a whole queue, the oldest notice makes room.
void inputKeyPressed(InputState& input, int virtualKey);
// The oldest notice not yet taken, 0 when none.
int32_t inputNextKeyDown(InputState& input);
// Losing focus: nothing stays held and no press made before carries over.
void inputReleaseAll(InputState& input);
// Copies the state out for one frame and forgets the press it reported.
void inputReadKeyState(InputState& input, uint8_t keyState[256]);
