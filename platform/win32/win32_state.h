#pragma once
// What the Windows host keeps between calls. Shared by the files of
// platform/win32 only.
#include <windows.h>

#include "platform/common/input_state.h"

struct Win32Host {
    HWND window = nullptr;
    bool active = false;
    bool fullScreen = true;
    bool cursorHidden = false;
    InputState input;
};

extern Win32Host win32Host;

// The picture's place in the client area, in client pixels (win32_present.cpp).
RECT pictureRectInClient();
// Paints the last picture and the bars again, e.g. after WM_PAINT.
void repaintPicture(HDC dc);
// The window may have lost what it showed (restored, resized, reactivated):
// the next picture is drawn whole, bars included.
void forgetWindowContents();

// Confines the cursor to the picture while active, frees it otherwise
// (win32_window.cpp).
void updateCursorClip();
void toggleFullScreen();
