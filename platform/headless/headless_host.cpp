#include "platform/headless/headless_host.h"

#include <cstring>

#include "base/host.h"
#include "base/window.h"

HeadlessHost headlessHost;

void resetHeadless() { headlessHost = HeadlessHost{}; }

void headlessSetKey(int virtualKey, bool down) { headlessHost.keys[virtualKey & 0xFF] = down ? 0x80 : 0x00; }

bool hostOpenDisplay() {
    if (!headlessHost.displayAvailable) return false;
    headlessHost.displayOpen = true;
    return true;
}

bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return width == kScreenWidth && height == kScreenHeight && bitsPerPixel == 8;
}

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]) {
    ++headlessHost.presentCount;
    if (headlessHost.onPresent)
        headlessHost.onPresent(pixels, pitch, width, height, colours, headlessHost.onPresentUser);
}

void hostCloseDisplay() { headlessHost.displayOpen = false; }

uint32_t hostTickCount() {
    const uint32_t now = headlessHost.tick;
    headlessHost.tick += headlessHost.tickStep;
    return now;
}

Point hostCursorPos() { return headlessHost.cursor; }

void hostKeyboardState(uint8_t keyState[256]) { std::memcpy(keyState, headlessHost.keys, 256); }

bool hostOpenWindow(void (*onDestroyed)()) {
    if (!headlessHost.displayAvailable) return false;
    headlessHost.windowOpen = true;
    headlessHost.onDestroyed = onDestroyed;
    return true;
}

void hostCloseWindow() {
    if (!headlessHost.windowOpen) return;
    headlessHost.windowOpen = false;
    if (headlessHost.onDestroyed) headlessHost.onDestroyed();
}

void hostHandleEvents() {}

void hostWaitForEvent(int32_t timeoutMs) {
    ++headlessHost.waitCount;
    headlessHost.lastWaitMs = timeoutMs;
}

bool hostWindowActive() { return headlessHost.windowActive; }

int32_t hostNextKeyDown() { return inputNextKeyDown(headlessHost.keyDowns); }

bool hostEndRequested() { return headlessHost.endRequested; }
