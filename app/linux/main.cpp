// nmnm: swat the flies. The Linux entry: --version and --help are answered
// without opening anything; --watch plays a recorded run (app/desktop/watch_run.h);
// otherwise the run's recording (app/desktop/run_keeping.h), the window, the start-up
// and the pump (app/desktop/native_run.h).
#include <cstdio>
#include <string>
#include <string_view>

#include "app/desktop/command_line.h"
#include "app/desktop/native_run.h"
#include "app/desktop/run_keeping.h"
#include "app/desktop/watch_run.h"
#include "platform/linux/text_warm_up.h"

int main(int argc, char** argv) {
    if (WatchRequest watch;
        argc > 1 && std::string_view(argv[1]) == "--watch" && readWatchRequest(argc, argv, &watch)) {
        startTextWarmUp();
        std::string error;
        const WatchEnd end = watchRun(watch, &error);
        if (!error.empty()) std::fprintf(stderr, "nmnm: %s\n", error.c_str());
        finishTextWarmUp();
        return end == WatchEnd::Watched ? 0 : 1;
    }
    const char* recordPath = nullptr;
    const CommandLineRequest request = readCommandLine(argc, argv, &recordPath);
    if (request != CommandLineRequest::Play) return answerCommandLine(request, argc, argv);
    // A file asked for is opened first, so that a wrong path costs no window.
    if (recordPath && !beginRunKeeping(recordPath, "linux")) return 1;
    // The font is first needed after the fade-in; it is found meanwhile.
    startTextWarmUp();
    const bool running = startGame() == GameStart::Running;
    if (running && !recordPath) beginRunKeeping(nullptr, "linux");
    const int code = running ? pumpUntilEnd() : 1;
    finishTextWarmUp();
    endRunKeeping();
    return code;
}
