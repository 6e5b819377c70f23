#pragma once
// Virtual-key codes of the keys the game reads from the key state. A Windows
// build may already have them from windows.h, with the same values.
#ifndef VK_LBUTTON
constexpr int VK_LBUTTON = 0x01;
#endif
#ifndef VK_ESCAPE
constexpr int VK_ESCAPE = 0x1B;
#endif
#ifndef VK_SPACE
constexpr int VK_SPACE = 0x20;
#endif
#ifndef VK_RIGHT
constexpr int VK_RIGHT = 0x27;
#endif
#ifndef VK_UP
constexpr int VK_UP = 0x26;
#endif
#ifndef VK_DOWN
constexpr int VK_DOWN = 0x28;
#endif
