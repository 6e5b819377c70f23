// nmnm for Windows: the entry. The window, its procedure and its messages
// belong to platform/win32; the start-up and the pump are the same as on
// every desktop (app/desktop/native_run.h).
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/desktop/native_run.h"
#include "app/desktop/run_keeping.h"
#include "app/desktop/watch_run.h"
#include "platform/win32/startup_report.h"
#include "platform/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Real pixels: a scaled desktop would otherwise hand out a smaller screen.
    SetProcessDPIAware();
    beginStartupReport();
    useStartArguments(instance, showCommand);
    // `nmnm --watch FILE`, or a run file dropped on the program.
    if (WatchRequest watch; readWatchRequest(__argc, __argv, &watch)) {
        std::string error;
        timeBeginPeriod(1);
        const WatchEnd end = watchRun(watch, &error);
        timeEndPeriod(1);
        switch (end) {
            case WatchEnd::Watched: return 0;
            case WatchEnd::NoWindow: showStartupFailure(windowFailure()); break;
            case WatchEnd::NoDisplay: showStartupFailure(kNoDisplayReason); break;
            case WatchEnd::Refused:
            case WatchEnd::TraceFailed:
                std::fprintf(stderr, "nmnm: %s\n", error.c_str());
                showStartupFailure(error);
                break;
        }
        return 1;
    }
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
