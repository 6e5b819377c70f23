#pragma once
// The host without a window: time and input are whatever the test or tool
// puts here, and every presentation is counted (and optionally handed on).
#include <cstdint>

#include "base/geometry.h"
#include "base/palette_entry.h"
#include "platform/common/input_state.h"

using PresentHook = void (*)(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                             const PaletteEntry colours[256], void* user);

struct HeadlessHost {
    bool displayAvailable = true;  // false: opening the display fails
    bool displayOpen = false;
    uint32_t tick = 0;      // every tick-count reading returns this
    uint32_t tickStep = 0;  // added to tick after each reading
    Point cursor = {0, 0};
    uint8_t keys[256] = {};
    int presentCount = 0;
    PresentHook onPresent = nullptr;
    void* onPresentUser = nullptr;

    // The window seam: a window that is always there and does what it is told.
    bool windowOpen = false;
    bool windowActive = true;
    bool endRequested = false;
    InputState keyDowns;  // only its key-down notices are used
    void (*onDestroyed)() = nullptr;
    int waitCount = 0;  // hostWaitForEvent calls
    int32_t lastWaitMs = 0;
};

extern HeadlessHost headlessHost;

void resetHeadless();
// Sets or clears one key's down state (0x80 when down, as a key state byte).
void headlessSetKey(int virtualKey, bool down);
