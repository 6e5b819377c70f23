#pragma once
// The host without a window: time and input are whatever the test or tool
// puts here, and every presentation is counted (and optionally handed on).
#include <cstdint>

#include "display/device.h"
#include "display/rect.h"

struct HeadlessHost {
    bool displayAvailable = true;  // false: opening the display fails
    bool modeAvailable = true;     // false: setting the display mode fails
    bool displayOpen = false;
    uint32_t tick = 0;             // every tick-count reading returns this
    uint32_t tickStep = 0;         // added to tick after each reading
    int tickReads = 0;
    Point cursor = {0, 0};
    uint8_t keys[256] = {};
    int presentCount = 0;
    void (*onPresent)(const Surface& primary, const Palette& palette, void* user) = nullptr;
    void* onPresentUser = nullptr;
};

extern HeadlessHost headless;

void resetHeadless();
// Sets or clears one key's down state (0x80 when down, as a key state byte).
void headlessSetKey(int virtualKey, bool down);
