// Feeds arbitrary bytes to the run file reader. It must never read or write
// outside a buffer or crash; a refused file must leave nothing to play and
// say one line naming a line; the text and the stream reader must agree; and
// a file it takes must write back to a file that reads as the same run.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "game/run_file.h"

namespace {

bool sameCalls(const RunFile& a, const RunFile& b) {
    if (a.calls.size() != b.calls.size() || a.callCount != b.callCount) return false;
    for (size_t i = 0; i < a.calls.size(); ++i) {
        const RunCall &x = a.calls[i], &y = b.calls[i];
        if (x.ticks[0] != y.ticks[0] || x.ticks[1] != y.ticks[1] || x.ticks[2] != y.ticks[2] || x.x != y.x ||
            x.y != y.y || x.keys != y.keys || x.repeat != y.repeat)
            return false;
    }
    return a.end.present == b.end.present && a.end.stage == b.end.stage && a.end.kills == b.end.kills &&
           a.header.present == b.header.present && a.header.game == b.header.game &&
           a.header.platform == b.header.platform;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RunFile run;
    std::string error;
    const bool ok = parseRunText(text, &run, &error);
    if (!ok && (error.rfind("line ", 0) != 0 || error.find('\n') != std::string::npos || !run.calls.empty() ||
                run.header.present))
        __builtin_trap();

    std::istringstream stream{std::string(text)};
    RunFile streamed;
    std::string streamError;
    if (parseRunStream(stream, &streamed, &streamError) != ok || streamError != error) __builtin_trap();
    if (!ok) return 0;
    if (!sameCalls(run, streamed)) __builtin_trap();

    std::string written = run.header.present ? formatRunHeader(run.header) : "";
    for (const RunCall& call : run.calls) written += formatRunCall(call);
    if (run.end.present) written += formatRunEnd(run.end);
    RunFile back;
    if (!parseRunText(written, &back, &error) || !sameCalls(run, back)) __builtin_trap();
    return 0;
}
