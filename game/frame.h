#pragma once
#include <cstdint>

// Runs one frame when the frame gate is open; always returns 1.
int32_t runFrame();
