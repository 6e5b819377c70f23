// nmnm for Windows: the entry. The window, its procedure and its messages
// belong to platform/win32; the start-up and the pump are the same as on
// every desktop (app/native_run.h).
#include <windows.h>
#include <mmsystem.h>

#include "app/desktop/native_run.h"
#include "app/desktop/run_keeping.h"
#include "platform/win32/startup_report.h"
#include "platform/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Real pixels: a scaled desktop would otherwise hand out a smaller screen.
    SetProcessDPIAware();
    beginStartupReport();
    useStartArguments(instance, showCommand);
    switch (startGame()) {
        case GameStart::NoWindow: showStartupFailure(windowFailure()); return 1;
        case GameStart::NoDisplay: showStartupFailure(kNoDisplayReason); return 1;
        case GameStart::Running: break;
    }
    showStartupWarnings();
    beginRunKeeping(nullptr, "windows");
    // A 1 ms timer resolution while running, so the sleeps end on time.
    timeBeginPeriod(1);
    const int code = pumpUntilEnd();
    timeEndPeriod(1);
    endRunKeeping();
    return code;
}
