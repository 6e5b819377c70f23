#pragma once
// Run files: the input every call of the frame read (the clock readings, the
// cursor, the keys), one line per call, as text. The replay scripts of the
// tests are run files without header lines. Parsing only: no window, no
// platform. A file the reader refuses is refused whole: nothing of it plays.
//
//   #nmnm-run 1            format version (a run file's first line)
//   #game 0.1              the game version that recorded it
//   #platform linux        where it was recorded: linux, windows, web
//   0 320 240 -            TICK X Y KEYS [TICK2 [TICK3]] [*COUNT]
//   31 320 240 - 32        the fresh reading differed by a millisecond
//   44 320 240 - *12       twelve calls alike (a shut frame gate, say)
//   #end stage 2 kills 41  written when the recording ends
//
// KEYS is '-' or a set of the letters L (left button), U (Up), D (Down), each
// at most once. The call's first clock reading gives TICK, its second TICK2
// and its third TICK3; a reading past the last one given repeats it. *COUNT
// (1 or more) stands for that many calls with the same readings.
// Blank lines and other lines starting with '#' are skipped.
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// The keys of one call: the only definition of these bits.
constexpr uint8_t kRunKeyLeftButton = 1;
constexpr uint8_t kRunKeyUp = 2;
constexpr uint8_t kRunKeyDown = 4;

constexpr int32_t kRunFormatVersion = 1;
// What one file or one line may hold, so that no input costs unbounded memory.
constexpr uint64_t kMaxRunFileBytes = 64ull << 20;
constexpr size_t kMaxRunLineBytes = 256;
constexpr uint64_t kMaxRunCalls = uint64_t{1} << 32;

struct RunCall {
    uint32_t ticks[3] = {};  // the call's 1st, 2nd and 3rd clock readings (later ones repeat the 3rd)
    int32_t x = 0;           // cursor, used as given
    int32_t y = 0;
    uint8_t keys = 0;     // kRunKey* bits
    uint32_t repeat = 1;  // how many calls alike this line stands for, 1 or more
};

struct RunHeader {
    bool present = false;  // false: a plain script without header lines
    int32_t format = kRunFormatVersion;
    std::string game;      // e.g. "0.1"
    std::string platform;  // e.g. "linux"
};

struct RunEnd {
    bool present = false;  // false: the recording stopped without its last line (killed)
    int32_t stage = 0;     // highest stage reached, 1-based
    int32_t kills = 0;     // highest kill count reached
};

struct RunFile {
    RunHeader header;
    std::vector<RunCall> calls;
    uint64_t callCount = 0;  // the calls made, repeats counted
    RunEnd end;
};

// The game versions whose play a run file may come from: the ones that play
// exactly as this one. A release that changes the play starts a new list.
bool isKnownGameVersion(std::string_view version);

// Reads a whole run file. On a bad file returns false, leaves `out` empty and
// sets `error` to one line: "line N: what is wrong" (N 1-based, counting
// every line). `text` may hold anything, NUL bytes included.
bool parseRunText(std::string_view text, RunFile* out, std::string* error);
// The same from a stream, read a piece at a time: a file larger than
// kMaxRunFileBytes is refused when the reader passes that size.
bool parseRunStream(std::istream& in, RunFile* out, std::string* error);
// Opens and reads `path` ("-": standard input). The error names no path; the
// caller puts the path before it. A file larger than kMaxRunFileBytes is
// refused before reading.
bool loadRunFile(const std::string& path, RunFile* out, std::string* error);

// The header lines of `header` (each with its newline).
std::string formatRunHeader(const RunHeader& header);
// One line (with its newline) that reads back as `call`; only the clock
// readings that differ are written, and the count when above 1.
std::string formatRunCall(const RunCall& call);
// The last line of a finished recording.
std::string formatRunEnd(const RunEnd& end);
