#pragma once
// What the web host keeps between calls. Shared by the files of platform/web
// only; nothing here is emscripten's.
#include <cstdint>

#include "base/geometry.h"
#include "platform/common/input_state.h"
#include "platform/web/page_fit.h"

// The elements of the page the host works on (index.html).
constexpr const char* kGameAreaSelector = "#game";  // focusable; keys arrive here
constexpr const char* kCanvasSelector = "#screen";  // the 640 x 480 picture

struct ScriptedInput {
    uint32_t tick = 0;
    Point cursor = {0, 0};
    uint8_t keys[256] = {};
};

struct WebHost {
    bool open = false;  // between hostOpenWindow and hostCloseWindow
    void (*onDestroyed)() = nullptr;
    void (*wake)() = nullptr;  // the entry's: the pump must look now
    bool visible = true;
    bool focused = true;       // the page's window has the focus
    bool active = false;       // open, visible and focused
    bool pointerSeen = false;  // a pointer position has been reported
    double clientX = 0;        // the pointer in the page's CSS pixels
    double clientY = 0;
    double canvasLeft = 0;  // the canvas's corner when the pointer was there
    double canvasTop = 0;
    double pixelRatio = 1;  // device pixels per CSS pixel at the last layout
    PageFit fit{};          // the canvas and the picture on it
    InputState input;       // keys, button and key-down notices
    bool scripted = false;  // time and input come from a script, not the page
    ScriptedInput script;
};

extern WebHost webHost;

// Window (web_window.cpp). refreshActive recomputes `active` and tells the
// page; true when it changed. updateActive, for event handlers, also wakes
// the entry then; wakeEntry wakes it whatever changed.
bool refreshActive();
void updateActive();
void wakeEntry();

// Input (web_input.cpp): the page's pointer and key events.
void registerInputEvents();

// Layout (web_layout.cpp): places the canvas now and whenever the game area
// or the screen's density changes; placeAgain when a drawing found the
// pixel ratio changed without a word.
void followGameArea();
void placeAgain();

// Presentation (web_present.cpp): forgets the picture and shows black;
// gives the canvas its pixels and the picture its place, and draws them.
void clearPresentation();
void placePresentation(const PageFit& fit);
