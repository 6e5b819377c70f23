#include "platform/headless/headless_host.h"

#include <cstring>

#include "base/host.h"

HeadlessHost headlessHost;

void resetHeadless() { headlessHost = HeadlessHost{}; }

void headlessSetKey(int virtualKey, bool down) {
    headlessHost.keys[virtualKey & 0xFF] = down ? 0x80 : 0x00;
}

bool hostOpenDisplay() {
    if (!headlessHost.displayAvailable) return false;
    headlessHost.displayOpen = true;
    return true;
}

bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return width == kScreenWidth && height == kScreenHeight && bitsPerPixel == 8;
}

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                 const PaletteEntry colours[256]) {
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
