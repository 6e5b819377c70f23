#pragma once
// An optional watcher of what the display receives, in the order it receives
// it: tests and tools set one to see what each frame draws. With none set, an
// operation pays one pointer test.
#include <cstdint>

#include "base/geometry.h"

enum class DisplayOp : uint8_t {
    kCreate,          // a set-up step; `name` says which; x, y: a size given
    kAttachPalette,   // target: the primary surface; source: the palette
    kColorKey,        // target; x, y: the low and high index
    kLoad,            // target; `name`: the picture file
    kBltFast,         // target at (x, y) <- `rect` of source, `flags`
    kText,            // `name`: the bytes; (x, y), colour, height
    kFlip,            // target: the primary surface
    kPaletteEntries,  // target: the palette; x: the first entry, y: how many
    kRelease,         // target: a surface, the palette or the device
};

struct DisplayEvent {
    DisplayOp op;
    const void* target;
    const void* source;
    int32_t x;
    int32_t y;
    Rect rect;
    uint32_t flags;
    const char* name;  // only good during the call
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    int32_t height;
};

using DisplayWatcher = void (*)(const DisplayEvent& event, void* user);

struct DisplayWatch {
    DisplayWatcher watcher = nullptr;
    void* user = nullptr;
};
extern DisplayWatch displayWatch;

inline void tellDisplayWatch(const DisplayEvent& event) {
    if (displayWatch.watcher) displayWatch.watcher(event, displayWatch.user);
}
