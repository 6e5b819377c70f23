#pragma once
// What the Windows host keeps between calls. Shared by the files of
// platform/win32 only.
#include <windows.h>

#include "base/geometry.h"
#include "platform/common/input_state.h"

struct Win32Host {
    HWND window = nullptr;
    // WM_ACTIVATEAPP's wParam, kept unchanged: frames run while non-zero.
    WPARAM activeFlag = 0;
    bool active = false;
    bool endRequested = false;        // the window was destroyed or the quit message came
    void (*onDestroyed)() = nullptr;  // the game's destruction handling
    bool fullScreen = true;
    bool cursorHidden = false;
    bool cursorConfined = false;  // ClipCursor holds the cursor inside the picture
    bool cursorKnown = false;     // cursorAt is where the cursor still is
    Point cursorAt = {0, 0};      // in picture pixels
    InputState input;
};

extern Win32Host win32Host;

// The host's share of the window procedure: mouse, arrow keys, painting,
// activation (cursor confinement), Alt+Enter. True when the message is
// fully handled, with its result in `result`; false leaves it to the rest
// of the window procedure (win32_window.cpp).
bool handleHostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
// The window is going: the cursor freed and shown again, the window forgotten.
void releaseGameWindow();

// The picture's place in the client area, in client pixels (win32_present.cpp).
RECT pictureRectInClient();
// Paints the last picture and the bars again, e.g. after WM_PAINT.
void repaintPicture(HDC dc);
// The window may have lost what it showed (restored, resized, reactivated):
// the next picture is drawn whole, bars included.
void forgetWindowContents();

// The cursor may have moved, or the picture under it (win32_input.cpp).
void forgetCursor();

// Confines the cursor to the picture while active, frees it otherwise
// (win32_window.cpp).
void updateCursorClip();
void toggleFullScreen();
