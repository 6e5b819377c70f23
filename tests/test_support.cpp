#include "tests/test_support.h"

#include <algorithm>
#include <cstring>

#include "display/display_setup.h"

#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"

void makeTestDisplay() {
    resetWorld();
    resetHeadless();
    display = DisplayObjects{};
    deviceFaults = DeviceFaults{0, 0, 0};
    ASSERT_EQ(DirectDrawCreate(&display.directDraw), DD_OK);
    ASSERT_EQ(ddSetCooperativeLevel(display.directDraw, DDSCL_FULLSCREEN_EXCLUSIVE), DD_OK);
    ASSERT_EQ(ddSetDisplayMode(display.directDraw, 640, 480, 8), DD_OK);
    ASSERT_EQ(ddCreatePrimarySurface(display.directDraw, &display.primarySurface), DD_OK);
    ASSERT_EQ(surfaceGetAttachedBackBuffer(display.primarySurface, &display.backSurface), DD_OK);
    ASSERT_EQ(ddCreateOffscreenSurface(display.directDraw, 640, 480, &display.backgroundSurface), DD_OK);
    ASSERT_EQ(ddCreateOffscreenSurface(display.directDraw, 256, 96, &display.spriteSurface), DD_OK);
    for (int i = 0; i < 256; ++i) display.paletteEntries[i] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    ASSERT_EQ(ddCreatePalette(display.directDraw, DDPCAPS_8BIT, display.paletteEntries, &display.palette), DD_OK);
    surfaceSetPalette(display.primarySurface, display.palette);
    for (Surface* s : {display.primarySurface, display.backSurface, display.backgroundSurface, display.spriteSurface})
        surfaceSetColorKey(s, DDCKEY_SRCBLT, 0, 0);
}

void makeGameScreen() {
    makeTestDisplay();
    initSpriteRects();
    for (int32_t y = 0; y < 96; ++y)
        for (int32_t x = 0; x < 256; ++x) display.spriteSurface->pixels[y * 256 + x] = uint8_t(1 + (x * 7 + y * 13) % 200);
    fillAll(display.backgroundSurface, 250);
    PaletteEntry colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    paletteSetEntries(display.palette, 0, 0, 256, colours);
    respawnFly(0);
    respawnFly(1);
}

void releaseTestDisplay() { releaseDisplay(); }

void fillRect(Surface* s, int32_t left, int32_t top, int32_t right, int32_t bottom, uint8_t index) {
    for (int32_t y = top; y < bottom; ++y)
        std::memset(s->pixels.data() + static_cast<size_t>(y) * s->pitch + left, index,
                    static_cast<size_t>(right - left));
}

void fillAll(Surface* s, uint8_t index) { fillRect(s, 0, 0, s->width, s->height, index); }

uint8_t pixelAt(const Surface* s, int32_t x, int32_t y) {
    return s->pixels[static_cast<size_t>(y) * s->pitch + x];
}

int countIndex(const Surface* s, uint8_t index) {
    return static_cast<int>(std::count(s->pixels.begin(), s->pixels.end(), index));
}

std::string stderrOf(const std::function<void()>& run) {
    ::testing::internal::CaptureStderr();
    run();
    return ::testing::internal::GetCapturedStderr();
}
