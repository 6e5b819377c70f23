#pragma once
// Drives the frame function one call at a time from given input, writing the
// trace lines and taking the screenshots asked for. Display setup comes first
// and is the caller's business.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "game/run_file.h"
#include "tools/replay/screenshot.h"

struct ReplaySession {
    std::ostream* trace = nullptr;  // null: no trace
    std::vector<ScreenshotRequest> screenshots;
    uint64_t calls = 0;         // calls made so far
    uint64_t framesRun = 0;     // calls whose frame passed the gate
    bool lastFrameRan = false;  // whether the last call's frame passed the gate
    std::string error;          // why the last step failed
    std::string line;           // reused trace line buffer
};

// Takes the screenshots of call 0. False with `error` set when one fails.
bool replayBegin(ReplaySession& session);
// Makes the next calls with `input` (input.repeat of them). False with
// `error` set when writing the trace or a screenshot fails.
bool replayCall(ReplaySession& session, const RunCall& input);
// The same with whatever input the frame finds: the host's (a live game, as
// it is being recorded), or a call played with playRunCall.
bool replayStep(ReplaySession& session);
// Flushes the trace and checks that every screenshot asked for was taken.
bool replayEnd(ReplaySession& session);
