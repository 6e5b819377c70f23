#pragma once
// A Matroska stream of PNG pictures, each stamped with its own time in
// milliseconds, written onto a pipe: how ffmpeg is handed a run's pictures at
// the game's own frame times (its animated-PNG reader needs a seekable file).
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/palette_entry.h"

struct MkvStream {
    std::FILE* out = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    bool ok = true;
    std::vector<uint8_t> scratch;
};

bool mkvBegin(MkvStream& s, std::FILE* out, int32_t width, int32_t height);
// One whole picture (`height` rows of `width` indices, no gaps) shown from
// `ms` milliseconds on.
bool mkvAddFrame(MkvStream& s, const uint8_t* pixels, const PaletteEntry palette[256], uint64_t ms);
