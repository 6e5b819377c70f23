#include "app/desktop/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage = "usage: nmnm [--record FILE | --watch FILE | --help | --version]";

}  // namespace

CommandLineRequest readCommandLine(int argc, const char* const* argv, const char** recordPath) {
    *recordPath = nullptr;
    if (argc <= 1) return CommandLineRequest::Play;
    if (argc == 3 && std::strcmp(argv[1], "--record") == 0 && argv[2][0] != '\0') {
        *recordPath = argv[2];
        return CommandLineRequest::Play;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) return CommandLineRequest::Version;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return CommandLineRequest::Help;
    return CommandLineRequest::Unknown;
}

int answerCommandLine(CommandLineRequest request, int argc, const char* const* argv) {
    switch (request) {
        case CommandLineRequest::Version: std::printf("nmnm %s\n", NMNM_VERSION); return 0;
        case CommandLineRequest::Help:
            std::printf(
                "%s\n"
                "Swat the flies before the gauge is full. Run without arguments to play:\n"
                "the mouse moves the swatter, the left button swings it, Alt+Enter\n"
                "switches between full screen and a window, Esc quits. Every run is\n"
                "recorded: to FILE with --record FILE, else among the last 10 runs kept in\n"
                "$XDG_DATA_HOME/nmnm/runs. --watch FILE plays one back. See man 6 nmnm.\n",
                kUsage);
            return 0;
        case CommandLineRequest::Play:
        case CommandLineRequest::Unknown: break;
    }
    if (argc > 1 && std::strcmp(argv[1], "--record") == 0 && argc < 3) {
        std::fprintf(stderr, "nmnm: --record needs the FILE to write the run to; %s\n", kUsage);
        return 2;
    }
    // Name the first argument that was not understood, or the extra one.
    const char* odd = argc > 1 ? argv[1] : "";
    if (argc > 1 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "--help") == 0)) odd = argv[2];
    if (argc > 3 && std::strcmp(argv[1], "--record") == 0) odd = argv[3];
    std::fprintf(stderr, "nmnm: unexpected argument '%s'; %s\n", odd, kUsage);
    return 2;
}
