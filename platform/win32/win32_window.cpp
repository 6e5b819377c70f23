// The game's window: made once at the screen's size, switched between full
// screen and a framed window with Alt+Enter, the cursor confined to the
// picture while the game is active.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/host.h"
#include "base/window.h"
#include "platform/common/picture_fit.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_state.h"

Win32Host win32Host;

namespace {

HINSTANCE startInstance = nullptr;
int startShowCommand = SW_SHOWDEFAULT;
std::string failure;

constexpr char kClassName[] = "nmnm";
constexpr int kIconId = 1;  // the program's icon in its resources

void setActive(bool active) {
    if (win32Host.active == active) return;
    win32Host.active = active;
    if (active) forgetWindowContents();
    // Nothing stays held, and the player can leave a deactivated game.
    if (!active) {
        inputReleaseAll(win32Host.input);
        ReleaseCapture();
    }
    updateCursorClip();
}

void trackKey(WPARAM key, bool down) {
    if (key == VK_UP || key == VK_DOWN) inputKeyChanged(win32Host.input, static_cast<int>(key), down);
}

// Alt+Enter, not repeated while held.
bool isAltEnter(WPARAM key, LPARAM flags) {
    const bool altHeld = (flags & (LPARAM{1} << 29)) != 0;
    const bool repeated = (flags & (LPARAM{1} << 30)) != 0;
    return key == VK_RETURN && altHeld && !repeated;
}

// The largest whole multiple of the picture whose framed window fits the work area.
RECT framedWindowRect() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const LONG workWidth = work.right - work.left;
    const LONG workHeight = work.bottom - work.top;
    RECT frame{};
    for (int32_t scale = largestWholeScale(workWidth, workHeight); scale >= 1; --scale) {
        frame = RECT{0, 0, kScreenWidth * scale, kScreenHeight * scale};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        if (frame.right - frame.left <= workWidth && frame.bottom - frame.top <= workHeight) break;
    }
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = work.left + std::max<LONG>(0, (workWidth - width) / 2);
    const LONG top = work.top + std::max<LONG>(0, (workHeight - height) / 2);
    return RECT{left, top, left + width, top + height};
}

}  // namespace

// The window's messages: the host's own (mouse, painting, Alt+Enter, the
// cursor's confinement), then the game's: activation, destruction, keys.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (handleHostMessage(window, message, wParam, lParam, &result)) return result;
    switch (message) {
        case WM_ACTIVATEAPP: win32Host.activeFlag = wParam; return 0;
        case WM_CREATE: return 0;
        case WM_DESTROY:
            // The display first, then the cursor, then the quit message.
            if (win32Host.onDestroyed) win32Host.onDestroyed();
            win32Host.onDestroyed = nullptr;
            releaseGameWindow();
            PostQuitMessage(0);
            win32Host.endRequested = true;
            return 0;
        case WM_KEYDOWN:
            // Every key is answered here; the pump takes Esc from the notices.
            if (!(lParam & (LPARAM{1} << 30))) inputKeyPressed(win32Host.input, static_cast<int>(wParam));
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

namespace {

HWND createGameWindow(HINSTANCE instance, int showCommand, std::string* reason) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconId));
    if (!windowClass.hIcon) windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    // Read after the process has declared itself DPI-aware: real pixels.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, kClassName, WS_POPUP, 0, 0, width, height, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) {
        *reason = "the game's window could not be made (error " + std::to_string(GetLastError()) +
                  "); start the game from the Windows desktop";
        return nullptr;
    }
    win32Host.window = window;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    SetFocus(window);
    ShowCursor(FALSE);  // the swatter is the cursor
    win32Host.cursorHidden = true;
    return window;
}

}  // namespace

void useStartArguments(HINSTANCE instance, int showCommand) {
    startInstance = instance;
    startShowCommand = showCommand;
}

const std::string& windowFailure() { return failure; }

bool hostOpenWindow(void (*onDestroyed)()) {
    win32Host = Win32Host{};
    failure.clear();
    HINSTANCE instance = startInstance ? startInstance : GetModuleHandleA(nullptr);
    if (!createGameWindow(instance, startShowCommand, &failure)) {
        std::fprintf(stderr, "nmnm: %s\n", failure.c_str());
        return false;
    }
    win32Host.onDestroyed = onDestroyed;
    return true;
}

void hostCloseWindow() {
    if (win32Host.window) DestroyWindow(win32Host.window);
}

// PM_NOYIELD: the pump waits in hostWaitForEvent; a yield on every empty
// queue (Wine's costs a call into the kernel) buys nothing here.
void hostHandleEvents() {
    MSG msg;
    while (!win32Host.endRequested && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        if (msg.message == WM_QUIT) {
            win32Host.endRequested = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void hostWaitForEvent(int32_t timeoutMs) {
    const DWORD wait = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
    MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

bool hostWindowActive() { return win32Host.activeFlag != 0; }

int32_t hostNextKeyDown() { return inputNextKeyDown(win32Host.input); }

bool hostEndRequested() { return win32Host.endRequested; }

bool handleHostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_CAPTURECHANGED ||
        message == WM_ACTIVATEAPP || message == WM_SIZE || message == WM_MOVE || message == WM_DISPLAYCHANGE)
        forgetCursor();
    switch (message) {
        case WM_ACTIVATEAPP: setActive(wParam != 0); return false;
        case WM_LBUTTONDOWN:
            inputButtonChanged(win32Host.input, true);
            SetCapture(window);  // the release is seen even off the window
            return true;
        case WM_LBUTTONUP:
            inputButtonChanged(win32Host.input, false);
            ReleaseCapture();
            return true;
        case WM_KEYDOWN: trackKey(wParam, true); return false;
        case WM_KEYUP: trackKey(wParam, false); return true;
        case WM_SYSKEYDOWN:
            if (wParam != VK_RETURN) return false;
            if (isAltEnter(wParam, lParam)) toggleFullScreen();
            return true;
        case WM_SYSCHAR: return wParam == '\r';  // no beep for Alt+Enter
        case WM_SYSCOMMAND:
            // Alt alone would enter the window menu's loop and stop the frames.
            return (wParam & 0xFFF0) == SC_KEYMENU;
        case WM_ERASEBKGND: *result = 1; return true;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (dc) repaintPicture(dc);
            EndPaint(window, &paint);
            return true;
        }
        case WM_SIZE:
            forgetWindowContents();
            updateCursorClip();
            return false;
        case WM_MOVE: updateCursorClip(); return false;
        default: return false;
    }
}

void releaseGameWindow() {
    ClipCursor(nullptr);
    win32Host.cursorConfined = false;
    forgetCursor();
    ReleaseCapture();
    if (win32Host.cursorHidden) ShowCursor(TRUE);
    win32Host.cursorHidden = false;
    win32Host.active = false;
    win32Host.window = nullptr;
}

void updateCursorClip() {
    forgetCursor();
    win32Host.cursorConfined = false;
    if (!win32Host.window || !win32Host.active || IsIconic(win32Host.window)) {
        ClipCursor(nullptr);
        return;
    }
    RECT box = pictureRectInClient();
    if (box.right <= box.left || box.bottom <= box.top) {
        ClipCursor(nullptr);
        return;
    }
    POINT topLeft{box.left, box.top};
    POINT bottomRight{box.right, box.bottom};
    ClientToScreen(win32Host.window, &topLeft);
    ClientToScreen(win32Host.window, &bottomRight);
    const RECT onScreen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    win32Host.cursorConfined = ClipCursor(&onScreen) != 0;
}

void toggleFullScreen() {
    HWND window = win32Host.window;
    if (!window) return;
    if (win32Host.fullScreen) {
        const RECT frame = framedWindowRect();
        SetWindowLongPtrA(window, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetWindowPos(window, HWND_NOTOPMOST, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    } else {
        SetWindowLongPtrA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                     SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    }
    win32Host.fullScreen = !win32Host.fullScreen;
    updateCursorClip();
    InvalidateRect(window, nullptr, FALSE);
}

// The window is the display: it exists once made, and there is no mode to
// change or give back.
bool hostOpenDisplay() { return win32Host.window != nullptr; }

bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return width == kScreenWidth && height == kScreenHeight && bitsPerPixel == 8;
}
