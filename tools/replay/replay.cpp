#include "tools/replay/replay.h"

#include "game/frame.h"
#include "game/run_record.h"
#include "game/trace.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"

namespace {

bool takeScreenshots(ReplaySession& session, uint64_t call) {
    for (const ScreenshotRequest& shot : session.screenshots) {
        if (shot.call != call) continue;
        if (!writeScreenshot(shot.path)) {
            session.error = "cannot write screenshot " + shot.path + " (check that its folder exists and is writable)";
            return false;
        }
    }
    return true;
}

}  // namespace

bool replayBegin(ReplaySession& session) { return takeScreenshots(session, 0); }

bool replayCall(ReplaySession& session, const RunCall& input) {
    playRunCall(&input);
    bool ok = true;
    for (uint32_t i = 0; ok && i < input.repeat; ++i) ok = replayStep(session);
    playLiveInput();
    return ok;
}

bool replayStep(ReplaySession& session) {
    const int presentsBefore = headlessHost.presentCount;
    const bool tickWasSet = world.lastFrameTickSet;
    const uint32_t tickBefore = world.lastFrameTick;
    runFrame();
    ++session.calls;
    const int flips = headlessHost.presentCount - presentsBefore;
    // A frame that passes the gate stamps the call's tick, which differs from
    // the last stamp by at least frameInterval (never 0); a shut gate stamps
    // nothing, except on the very first call, which never passes.
    session.lastFrameRan = tickWasSet && world.lastFrameTick != tickBefore;
    if (!session.lastFrameRan) return takeScreenshots(session, session.calls);
    ++session.framesRun;
    if (session.trace) {
        session.line.clear();
        appendTraceLine(&session.line, session.calls, flips, world);
        session.trace->write(session.line.data(), static_cast<std::streamsize>(session.line.size()));
        if (!*session.trace) {
            session.error = "cannot write the trace (disk full?)";
            return false;
        }
    }
    return takeScreenshots(session, session.calls);
}

bool replayEnd(ReplaySession& session) {
    if (session.trace) {
        session.trace->flush();
        if (!*session.trace) {
            session.error = "cannot write the trace (disk full?)";
            return false;
        }
    }
    for (const ScreenshotRequest& shot : session.screenshots) {
        if (shot.call > session.calls) {
            session.error = "no call " + std::to_string(shot.call) + " for screenshot " + shot.path +
                            " (the run made " + std::to_string(session.calls) + " calls)";
            return false;
        }
    }
    return true;
}
