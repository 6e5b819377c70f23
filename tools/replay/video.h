#pragma once
// A run as a video: every picture the game flipped, shown from its frame's
// clock reading until the next one's, enlarged by a whole factor with sharp
// pixels. .webm and .mp4 go through ffmpeg on a pipe; .png (or .webm/.mp4
// where ffmpeg is missing) is an animated PNG written directly.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/palette_entry.h"
#include "tools/replay/apng_stream.h"
#include "tools/replay/mkv_stream.h"

struct VideoWriter {
    std::string path;         // where the video ends up
    int32_t scale = 2;        // whole enlargement, 1 to kMaxVideoScale
    uint64_t totalCalls = 0;  // for the progress bar; 0: no bar
    bool progressBar = false;
    bool throughFfmpeg = false;
    std::FILE* out = nullptr;
    bool started = false;
    ApngStream apng;  // to a file
    MkvStream mkv;    // to ffmpeg
    PaletteEntry palette[256] = {};
    std::vector<uint8_t> pending;  // the last picture, enlarged, not yet written
    uint32_t pendingTick = 0;      // its frame's clock reading
    uint64_t pendingMs = 0;        // its time in the video
    bool havePending = false;
    int lastPercent = -1;
};

constexpr int32_t kMaxVideoScale = 8;

// Picks the way of writing for `path` and opens it. False with `error` set
// (one line naming the problem and its fix) when nothing can be written.
// `notice` is set when the output differs from what was asked (no ffmpeg).
bool videoOpen(VideoWriter& v, const std::string& path, int32_t scale, uint64_t totalCalls, std::string* error,
               std::string* notice);
// After a call whose frame ran: the picture on the screen, stamped `tick`.
bool videoAddFrame(VideoWriter& v, uint32_t tick);
// Advances the progress bar (stderr, on a terminal only) to call `call`.
void videoProgress(VideoWriter& v, uint64_t call);
// Writes the last picture (held for `lastMs`), ends the file or waits for
// ffmpeg. False with `error` set when anything failed on the way.
bool videoClose(VideoWriter& v, uint32_t lastMs, std::string* error);

// Enlarges `height` rows of `width` indices (`pitch` apart) `scale` times in
// both directions by repeating pixels into `out`.
void enlargeIndices(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch, int32_t scale,
                    std::vector<uint8_t>* out);
