#include "platform/win32/startup_report.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/win32/win32_state.h"

namespace {

HANDLE collected = nullptr;  // the pipe's reading end while collecting

bool hasOwnStderr() {
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Everything written so far; the pipe holds far more than the few lines of a start-up.
std::string takeCollected() {
    std::string text;
    if (!collected) return text;
    std::fflush(stderr);
    DWORD waiting = 0;
    while (PeekNamedPipe(collected, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(collected, buffer, waiting < sizeof buffer ? waiting : sizeof buffer, &got, nullptr) || got == 0)
            break;
        text.append(buffer, got);
    }
    return text;
}

// Later lines have no one to read them.
void stopCollecting() {
    if (!collected) return;
    std::freopen("NUL", "w", stderr);
    CloseHandle(collected);
    collected = nullptr;
}

}  // namespace

void beginStartupReport() {
    if (hasOwnStderr()) return;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16)) return;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_WRONLY | _O_TEXT);
    if (fd < 0 || _dup2(fd, _fileno(stderr)) != 0) {
        if (fd >= 0) _close(fd);
        else CloseHandle(writeEnd);
        CloseHandle(readEnd);
        return;
    }
    _close(fd);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    collected = readEnd;
}

void showStartupFailure(const std::string& cause) {
    // A window already destroyed has posted the quit message, which would
    // close the box the moment it opens.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    const std::string earlier = takeCollected();
    stopCollecting();
    const std::string text = "The game cannot start: " + cause + (earlier.empty() ? "" : "\n\n" + earlier);
    MessageBoxA(nullptr, text.c_str(), "nmnm", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void showStartupWarnings() {
    HWND owner = win32Host.window;
    const std::string text = takeCollected();
    stopCollecting();
    if (text.empty()) return;
    // The player needs the cursor for the box.
    ClipCursor(nullptr);
    ShowCursor(TRUE);
    MessageBoxA(owner, text.c_str(), "nmnm", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
    ShowCursor(FALSE);
    updateCursorClip();
}
