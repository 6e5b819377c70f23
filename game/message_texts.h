#pragma once
#include <cstddef>
#include <cstdint>

#include "game/world.h"

// One line of a phase's screen messages. The texts are code page 932 bytes;
// a row with `value` set holds a "%d" format that takes that world field.
struct MessageRow {
    uint8_t phase;
    const char* text;
    int32_t GameWorld::*value;
    int32_t x;
    int32_t y;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    int32_t height;
};

// Every message of the game, grouped by phase in drawing order.
extern const MessageRow kMessageRows[];
extern const size_t kMessageRowCount;
