#pragma once
// What to draw again in a window whose system stretches the picture itself
// (GDI's StretchDIBits): the whole window when anything may have spoiled it
// or changed every pixel, else only the window pixels over the picture
// pixels that changed. Free of any window-system header.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "base/palette_entry.h"
#include "platform/common/picture_changes.h"
#include "platform/common/present_convert.h"

// The window pixels of the letterbox `box` whose area overlaps the picture
// pixels `part` when the whole `width` x `height` picture is stretched over
// the box: on each axis from floor(left * span / size) to
// ceil(right * span / size). A nearest-pixel stretch colours each window
// pixel from a picture pixel under that window pixel's area, wherever in the
// area it samples, so no window pixel showing `part` lies outside; a window
// pixel inside that shows another picture pixel is merely drawn again the
// same. Empty (all zero) when the box or the part has no area.
Rect windowPixelsOver(const Rect& part, const Rect& box, int32_t width, int32_t height);

// What the window was last sent.
struct WindowUpdates {
    PictureChanges changes;
    PaletteEntry colours[256] = {};
    bool shown = false;  // the window shows the last picture and its bars
    int32_t width = 0;   // the window's size then
    int32_t height = 0;
    std::vector<Rect> pictureChanged;
};

// Takes `picture` as the one the window is about to show in a window of
// `width` x `height`. True when the whole window, picture and bars, has to
// be drawn: nothing shown yet, since forgetWindowUpdates, a new window size
// or new colours. Otherwise false, with `send` holding the window rectangles
// (inside the letterbox, right and bottom exclusive) to draw again: none for
// an unchanged picture.
bool planWindowUpdate(WindowUpdates& updates, const IndexedPicture& picture, int32_t width, int32_t height,
                      std::vector<Rect>& send);

// The window may no longer show the last picture (minimised, covered, a
// drawing that failed): the next update is whole.
void forgetWindowUpdates(WindowUpdates& updates);
