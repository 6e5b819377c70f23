#pragma once
// Watching a recorded run in the game's own window, on every desktop: the
// frames run from the file's readings at the pace they were recorded. Space
// pauses, Right steps one frame while paused, Esc ends.
#include <string>

#include "app/desktop/native_run.h"

struct WatchRequest {
    std::string path;   // the run file
    std::string trace;  // where to write the state trace, empty: none
};

// Reads `argv` as `--watch FILE [--trace OUT]` or a lone run file (what a
// file manager hands over when a file is dropped on the program). False when
// the arguments ask for something else.
bool readWatchRequest(int argc, const char* const* argv, WatchRequest* out);

enum class WatchEnd { Watched, Refused, NoWindow, NoDisplay, TraceFailed };

// Refuses a bad file before anything opens; otherwise opens the window, plays
// the run and returns when the player ends it. `error` is one line naming the
// file and what is wrong for Refused and TraceFailed; a failed start is told
// as startGame tells it.
WatchEnd watchRun(const WatchRequest& request, std::string* error);
