// The clock and the input as the game reads them each frame.
#include <windows.h>

#include "base/host.h"
#include "platform/common/picture_fit.h"
#include "platform/win32/win32_state.h"

uint32_t hostTickCount() { return GetTickCount(); }

namespace {

Point readCursor() {
    POINT cursor{};
    RECT client{};
    if (!win32Host.window || !GetCursorPos(&cursor) || !ScreenToClient(win32Host.window, &cursor) ||
        !GetClientRect(win32Host.window, &client))
        return mapToPicture(Point{0, 0}, 0, 0);
    return mapToPicture(Point{cursor.x, cursor.y}, client.right, client.bottom);
}

}  // namespace

// The cursor's screen position taken into the picture's pixels and clamped,
// as the cursor could never leave the original screen. Asking for it is a
// round trip to the window system (under Wine to its server and to X), so
// while the cursor is confined to the picture the last answer is kept: it
// cannot move there without a mouse message to this window, and every mouse
// message, resize, move, activation and change of the confinement forgets it.
Point hostCursorPos() {
    if (win32Host.cursorKnown) return win32Host.cursorAt;
    win32Host.cursorAt = readCursor();
    win32Host.cursorKnown = win32Host.cursorConfined;
    return win32Host.cursorAt;
}

void forgetCursor() { win32Host.cursorKnown = false; }

void hostKeyboardState(uint8_t keyState[256]) { inputReadKeyState(win32Host.input, keyState); }
