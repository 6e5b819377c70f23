// The clock and the input as the game reads them each frame.
#include <windows.h>

#include "base/host.h"
#include "platform/common/picture_fit.h"
#include "platform/win32/win32_state.h"

uint32_t hostTickCount() { return GetTickCount(); }

// The cursor's screen position taken into the picture's pixels and clamped,
// as the cursor could never leave the original screen.
Point hostCursorPos() {
    POINT cursor{};
    RECT client{};
    if (!win32Host.window || !GetCursorPos(&cursor) || !ScreenToClient(win32Host.window, &cursor) ||
        !GetClientRect(win32Host.window, &client))
        return mapToPicture(Point{0, 0}, 0, 0);
    return mapToPicture(Point{cursor.x, cursor.y}, client.right, client.bottom);
}

void hostKeyboardState(uint8_t keyState[256]) { inputReadKeyState(win32Host.input, keyState); }
