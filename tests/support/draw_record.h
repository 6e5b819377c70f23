#pragma once
// Records what the display receives, one readable line per operation, so that
// tests can compare a frame's drawing order with a table.
#include <string>
#include <vector>

#include "display/display_watch.h"

// Sheet cells and status-bar strips are named by what they show, from the
// sheet's fixed layout (not from the game's tables, so that a moved cell
// shows up as a bare rectangle): "background", "fly", "swatter 1 at 304,224",
// "splat 3 at 10,20", "bar kill 6", "text ... at 176,170 colour 255,255,255
// height 16", "flip", "release back", ...
std::string describeDisplayEvent(const DisplayEvent& event);

// Watches the display while it lives; `lines` holds what was seen so far.
struct DrawRecord {
    DrawRecord();
    ~DrawRecord();
    DrawRecord(const DrawRecord&) = delete;
    DrawRecord& operator=(const DrawRecord&) = delete;
    // What was seen since the last take, runs folded: any run of "fly" lines
    // becomes one "flies" (how many are drawn depends on where they are), any
    // other line repeated n times in a row becomes "line xn".
    std::vector<std::string> take();
    std::vector<std::string> lines;
};

// Code page 932 bytes as UTF-8, for messages that can be read.
std::string cp932ToUtf8(const char* bytes);
