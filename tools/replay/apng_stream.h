#pragma once
// An animated PNG written frame by frame onto an open stream (a file or a
// pipe), each frame with its own duration: the pictures of a run at the
// times the game showed them. Indexed pixels with one palette for all.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/palette_entry.h"

struct ApngStream {
    std::FILE* out = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t sequence = 0;  // the fcTL and fdAT chunks' running number
    uint32_t frames = 0;
    long frameCountAt = -1;  // where acTL's frame count sits, when the stream can seek
    bool ok = true;
    std::vector<uint8_t> scratch;
};

// Writes the signature, the header, the animation control and the palette.
// `frameCount` may be 0 when not known (patched by apngFinish on a file).
bool apngBegin(ApngStream& s, std::FILE* out, int32_t width, int32_t height, const PaletteEntry palette[256],
               uint32_t frameCount);
// One whole picture (`height` rows of `width` indices, no gaps) shown for
// `delayMs` milliseconds (at most 65535).
bool apngAddFrame(ApngStream& s, const uint8_t* pixels, uint32_t delayMs);
// Ends the stream and, on a file, writes the real frame count. Leaves `out` open.
bool apngFinish(ApngStream& s);
