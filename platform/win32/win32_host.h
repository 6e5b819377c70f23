#pragma once
// The game's window as the Windows program's entry and window procedure see
// it: made here, fed its messages here, shown and read through base/host.h.
#include <windows.h>

#include <string>

// Makes the topmost, borderless window of the screen's size under the class
// registered as "nmnm" with `windowProc`, shows it and hides the cursor.
// Null with `reason` set when the window cannot be made.
HWND createGameWindow(HINSTANCE instance, WNDPROC windowProc, int showCommand, std::string* reason);

// The host's share of the window procedure: mouse, arrow keys, painting,
// activation (cursor confinement), Alt+Enter. True when the message is
// fully handled, with its result in `result`; false leaves it to the caller.
bool handleHostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The window is going: the cursor freed and shown again, the window forgotten.
void releaseGameWindow();
