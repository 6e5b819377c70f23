#include "tests/support/test_support.h"

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
    displayObjects = DisplayObjects{};
    deviceFaults = DeviceFaults{0, 0};
    ASSERT_EQ(createDisplayObjects(), 1);
    // A grey ramp, so that entry i is (i, i, i).
    for (int i = 0; i < 256; ++i)
        displayObjects.paletteEntries[i] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    paletteSetEntries(displayObjects.palette, 0, 0, 256, displayObjects.paletteEntries);
    headlessHost.presentCount = 0;
}

void makeGameScreen() {
    makeTestDisplay();
    initSpriteRects();
    for (int32_t y = 0; y < 96; ++y)
        for (int32_t x = 0; x < 256; ++x)
            displayObjects.spriteSurface->pixels[y * 256 + x] = uint8_t(1 + (x * 7 + y * 13) % 200);
    fillAll(displayObjects.backgroundSurface, 250);
    PaletteEntry colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    paletteSetEntries(displayObjects.palette, 0, 0, 256, colours);
    placeStartFlies();
}

void releaseTestDisplay() { releaseDisplay(); }

void fillRect(Surface* s, int32_t left, int32_t top, int32_t right, int32_t bottom, uint8_t index) {
    for (int32_t y = top; y < bottom; ++y)
        std::memset(s->pixels.data() + static_cast<size_t>(y) * s->pitch + left, index,
                    static_cast<size_t>(right - left));
}

void fillAll(Surface* s, uint8_t index) { fillRect(s, 0, 0, s->width, s->height, index); }

uint8_t pixelAt(const Surface* s, int32_t x, int32_t y) { return s->pixels[static_cast<size_t>(y) * s->pitch + x]; }

int countIndex(const Surface* s, uint8_t index) {
    return static_cast<int>(std::count(s->pixels.begin(), s->pixels.end(), index));
}

namespace {

std::string differenceOf(const uint8_t* got, size_t gotSize, const uint8_t* want, size_t wantSize) {
    if (gotSize != wantSize)
        return std::to_string(gotSize) + " pixels where " + std::to_string(wantSize) + " were wanted";
    size_t count = 0, first = 0;
    for (size_t i = 0; i < gotSize; ++i)
        if (got[i] != want[i] && count++ == 0) first = i;
    if (count == 0) return "";
    return std::to_string(count) + " pixels differ, the first at row " + std::to_string(first / 640) + ", column " +
           std::to_string(first % 640);
}

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

}  // namespace

std::string pixelDifference(const std::string& got, const std::vector<uint8_t>& want) {
    return differenceOf(bytesOf(got), got.size(), want.data(), want.size());
}

std::string pixelDifference(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want) {
    return differenceOf(got.data(), got.size(), want.data(), want.size());
}
