#include "app/desktop/watch_run.h"

#include <cstdio>
#include <cstring>

#include "base/host.h"
#include "base/virtual_keys.h"
#include "base/window.h"
#include "display/display_watch.h"
#include "game/frame.h"
#include "game/run_file.h"
#include "game/run_record.h"
#include "game/trace.h"
#include "game/world.h"

namespace {

// A gap longer than this in a recording (its window had lost the focus) is
// watched as this long.
constexpr uint32_t kLongestWait = 1000;

void countFlip(const DisplayEvent& event, void* user) {
    if (event.op == DisplayOp::kFlip) ++*static_cast<int*>(user);
}

struct Watch {
    const RunFile* run = nullptr;
    size_t next = 0;       // the line whose call is made next
    uint32_t repeats = 0;  // calls of that line made so far (a line may stand for several)
    uint64_t made = 0;     // calls made
    uint32_t due = 0;      // when the next call is due, on the host's clock
    bool paused = false;
    int steps = 0;  // frames to run while paused
    int flips = 0;
    std::FILE* trace = nullptr;
    bool traceOk = true;
    std::string line;
};

// One call of the frame function from the file; true when its frame ran.
bool playNextCall(Watch& w) {
    const RunCall& call = w.run->calls[w.next];
    playRunCall(&call);
    const int flipsBefore = w.flips;
    const bool tickWasSet = world.lastFrameTickSet;
    const uint32_t tickBefore = world.lastFrameTick;
    runFrame();
    ++w.made;
    // A frame that passes the gate stamps a new tick; a shut gate none.
    const bool ran = tickWasSet && world.lastFrameTick != tickBefore;
    if (ran && w.trace) {
        w.line.clear();
        appendTraceLine(&w.line, w.made, w.flips - flipsBefore, world);
        // Whole lines at once, so that whoever reads the trace meanwhile sees how far the run is.
        if (std::fwrite(w.line.data(), 1, w.line.size(), w.trace) != w.line.size() || std::fflush(w.trace) != 0)
            w.traceOk = false;
    }
    if (++w.repeats < call.repeat) return ran;  // calls alike, back to back
    w.repeats = 0;
    if (++w.next < w.run->calls.size()) {
        const uint32_t gap = w.run->calls[w.next].ticks[0] - call.ticks[0];
        w.due += gap < kLongestWait ? gap : kLongestWait;
    }
    return ran;
}

// Takes the key-downs: false on Esc.
bool takeKeys(Watch& w) {
    for (int32_t key = hostNextKeyDown(); key != 0; key = hostNextKeyDown()) {
        if (key == VK_ESCAPE) return false;
        if (key == VK_SPACE) {
            w.paused = !w.paused;
            w.steps = 0;
            w.due = hostTickCount();  // go on from now, not from before the pause
        } else if (key == VK_RIGHT && w.paused) {
            ++w.steps;
        }
    }
    return true;
}

void watchLoop(Watch& w) {
    const size_t count = w.run->calls.size();
    w.due = hostTickCount();
    for (;;) {
        hostHandleEvents();
        if (!takeKeys(w) || hostEndRequested()) return;
        if (w.next >= count) {
            hostWaitForEvent(-1);  // the last picture stays until Esc
            continue;
        }
        if (w.paused) {
            // A step runs calls until one draws a frame.
            while (w.steps > 0 && w.next < count)
                if (playNextCall(w)) --w.steps;
            if (w.steps == 0) hostWaitForEvent(-1);
            w.due = hostTickCount();
            continue;
        }
        const uint32_t now = hostTickCount();
        const int32_t early = static_cast<int32_t>(w.due - now);
        if (early > 0) {
            hostWaitForEvent(early);
            continue;
        }
        playNextCall(w);
    }
}

}  // namespace

bool readWatchRequest(int argc, const char* const* argv, WatchRequest* out) {
    if (argc == 2 && argv[1][0] != '-') {
        out->path = argv[1];
        return true;
    }
    if ((argc != 3 && argc != 5) || std::strcmp(argv[1], "--watch") != 0) return false;
    out->path = argv[2];
    if (argc == 5) {
        if (std::strcmp(argv[3], "--trace") != 0) return false;
        out->trace = argv[4];
    }
    return true;
}

WatchEnd watchRun(const WatchRequest& request, std::string* error) {
    RunFile run;
    std::string why;
    if (!loadRunFile(request.path, &run, &why)) {
        *error = request.path + ": " + why;
        return WatchEnd::Refused;
    }
    Watch w;
    w.run = &run;
    if (!request.trace.empty()) {
        w.trace = std::fopen(request.trace.c_str(), "wb");
        if (!w.trace) {
            *error = "cannot write trace " + request.trace + " (check that its folder exists)";
            return WatchEnd::TraceFailed;
        }
    }
    const GameStart start = startGame();
    if (start == GameStart::Running) {
        displayWatch = DisplayWatch{countFlip, &w.flips};
        watchLoop(w);
        displayWatch = DisplayWatch{};
        playLiveInput();
        hostCloseWindow();
    }
    if (w.trace && std::fclose(w.trace) != 0) w.traceOk = false;
    if (start == GameStart::NoWindow) return WatchEnd::NoWindow;
    if (start == GameStart::NoDisplay) return WatchEnd::NoDisplay;
    if (!w.traceOk) {
        *error = "cannot write trace " + request.trace + " (is the disk full?)";
        return WatchEnd::TraceFailed;
    }
    return WatchEnd::Watched;
}
