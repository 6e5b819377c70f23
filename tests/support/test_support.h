#pragma once
// Shared set-up for tests: a fresh world, a fresh headless host and a display
// made through the device as display setup would make it, without any files.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "display/display_objects.h"
#include "tests/support/scratch_folder.h"

// Resets the world, the host and the device, then makes the device, the
// flipping chain, the two off-screen surfaces and the palette, all with
// colour key 0. The palette is a grey ramp so that entry i is (i, i, i).
void makeTestDisplay();
// makeTestDisplay, then what display setup leaves without picture files:
// sprite tables, a patterned sheet, background 250, palette entry i =
// (i, 255 - i, i * 3), flies 0 and 1 placed.
void makeGameScreen();
// Releases whatever makeTestDisplay made.
void releaseTestDisplay();

// A fixture that holds the test display for each test.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override { makeTestDisplay(); }
    void TearDown() override { releaseTestDisplay(); }
};

// Fills a rectangle of a surface with one index; fillAll the whole surface.
void fillRect(Surface* s, int32_t left, int32_t top, int32_t right, int32_t bottom, uint8_t index);
void fillAll(Surface* s, uint8_t index);
uint8_t pixelAt(const Surface* s, int32_t x, int32_t y);
// Counts the pixels of a surface that hold `index`.
int countIndex(const Surface* s, uint8_t index);
// "" when two 640-pixel-wide pictures agree, else how many pixels differ and
// where the first is.
std::string pixelDifference(const std::string& got, const std::vector<uint8_t>& want);
std::string pixelDifference(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want);
// What `run` wrote to stderr.
std::string stderrOf(const std::function<void()>& run);

inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& o, const Rect& r) {
    return o << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
