// nmnm: swat the flies. The Linux entry: --version and --help are answered
// without opening anything; otherwise the window, the start-up and the pump
// (app/native_run.h).
#include "app/desktop/command_line.h"
#include "app/desktop/native_run.h"
#include "platform/linux/text_warm_up.h"

int main(int argc, char** argv) {
    const CommandLineRequest request = readCommandLine(argc, argv);
    if (request != CommandLineRequest::Play) return answerCommandLine(request, argc, argv);
    // The font is first needed after the fade-in; it is found meanwhile.
    startTextWarmUp();
    const int code = startGame() == GameStart::Running ? pumpUntilEnd() : 1;
    finishTextWarmUp();
    return code;
}
