#pragma once
// Shared vocabulary of every layer: rectangles, points and the screen's sizes.
#include <cstdint>

// Left, top, right, bottom in pixels; right and bottom are exclusive.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct Point {
    int32_t x;
    int32_t y;
};

// The 640 x 480 screen; its top 640 x 448 is the play field, the 32 rows
// below hold the status bar.
constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
constexpr int32_t kPlayFieldHeight = 448;
