#include "platform/headless/headless_host.h"

#include <cstring>

#include "platform/host.h"

HeadlessHost headless;

void resetHeadless() { headless = HeadlessHost{}; }

void headlessSetKey(int virtualKey, bool down) {
    headless.keys[virtualKey & 0xFF] = down ? 0x80 : 0x00;
}

bool hostOpenDisplay() {
    if (!headless.displayAvailable) return false;
    headless.displayOpen = true;
    return true;
}

bool hostSetDisplayMode(int32_t, int32_t, int32_t) { return headless.modeAvailable; }

void hostPresent(const Surface& primary, const Palette& palette) {
    ++headless.presentCount;
    if (headless.onPresent) headless.onPresent(primary, palette, headless.onPresentUser);
}

void hostCloseDisplay() { headless.displayOpen = false; }

uint32_t hostTickCount() {
    ++headless.tickReads;
    const uint32_t now = headless.tick;
    headless.tick += headless.tickStep;
    return now;
}

Point hostCursorPos() { return headless.cursor; }

void hostKeyboardState(uint8_t keyState[256]) { std::memcpy(keyState, headless.keys, 256); }
