#pragma once
// What the Windows program's entry tells the host before the window opens;
// everything else goes through base/window.h and base/host.h.
#include <windows.h>

#include <string>

// The instance and show state WinMain was handed, for the window class and
// the window's first ShowWindow.
void useStartArguments(HINSTANCE instance, int showCommand);
// Why the window could not be made, as told on stderr; empty when it was.
const std::string& windowFailure();
