#include "app/desktop/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage = "usage: nmnm [--help | --version]";

}  // namespace

CommandLineRequest readCommandLine(int argc, const char* const* argv) {
    if (argc <= 1) return CommandLineRequest::Play;
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
                "switches between full screen and a window, Esc quits. See man 6 nmnm.\n",
                kUsage);
            return 0;
        case CommandLineRequest::Play:
        case CommandLineRequest::Unknown: break;
    }
    // Name the first argument that was not understood, or the extra one.
    const char* odd = argc > 2 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "--help") == 0)
                          ? argv[2]
                          : (argc > 1 ? argv[1] : "");
    std::fprintf(stderr, "nmnm: unexpected argument '%s'; %s\n", odd, kUsage);
    return 2;
}
