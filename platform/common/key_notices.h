#pragma once
// Key-down notices waiting for the pump, oldest first. Browser events arrive
// between pump steps; a short queue keeps their order, and a burst past its
// size loses the newest, never an Esc already waiting.
#include <cstdint>

struct KeyNotices {
    static constexpr int kCapacity = 16;
    int32_t keys[kCapacity] = {};
    int32_t first = 0;  // index of the oldest notice
    int32_t count = 0;
};

// False (nothing stored) when the queue is full or the code is not 1..255.
bool pushKeyNotice(KeyNotices& notices, int32_t virtualKey);
// The oldest notice, taken out; 0 when none waits.
int32_t takeKeyNotice(KeyNotices& notices);
