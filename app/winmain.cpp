// nmnm for Windows: the full-screen window, the display set up on it, and the
// pump: every waiting message first, then a frame while the game is active,
// sleeping until the next message or the frame gate instead of polling.
// The entry lives in app/ because it calls the game; the window itself, the
// picture and the input belong to platform/win32.
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "base/host.h"
#include "display/display_setup.h"
#include "game/frame.h"
#include "game/start_up.h"
#include "game/world.h"
#include "game/frame.h"
#include "platform/win32/startup_report.h"
#include "platform/win32/win32_host.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (handleHostMessage(window, message, wParam, lParam, &result)) return result;
    switch (message) {
        case WM_ACTIVATEAPP: world.appActive = static_cast<int32_t>(wParam); return 0;
        case WM_CREATE: return 0;
        case WM_DESTROY:
            releaseDisplay();
            releaseGameWindow();  // frees and shows the cursor
            PostQuitMessage(0);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) DestroyWindow(window);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Sleeps until a message arrives or the frame gate opens, whichever is first.
void waitForMessageOrFrameGate() {
    const uint32_t wait =
        msUntilFrameGate(hostTickCount(), world.lastFrameTick, world.frameInterval, world.lastFrameTickSet);
    if (wait == 0) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int runPump(HWND window) {
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (GetMessageA(&msg, nullptr, 0, 0) == 0) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (!world.appActive) {
            WaitMessage();
            continue;
        }
        if (!runFrame()) {
            DestroyWindow(window);
            return 0;
        }
        waitForMessageOrFrameGate();
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Real pixels: a scaled desktop would otherwise hand out a smaller screen.
    SetProcessDPIAware();
    beginStartupReport();
    std::string reason;
    HWND window = createGameWindow(instance, WindowProc, showCommand, &reason);
    if (!window) {
        showStartupFailure(reason);
        return 1;
    }
    if (!initDisplay()) {
        DestroyWindow(window);
        showStartupFailure("the 640 x 480 picture could not be set up; close other programs to free memory "
                           "and start the game again");
        return 1;
    }
    showStartupWarnings(window);
    // A 1 ms timer resolution while running, so the sleeps end on time.
    timeBeginPeriod(1);
    const int code = runPump(window);
    timeEndPeriod(1);
    return code;
}
