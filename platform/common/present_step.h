#pragma once
// The presenting step every host shares: a present hands it the 8-bit
// picture and its colours with the size of the screen it goes to, and it
// answers what that screen must be sent. It keeps the picture last sent, so
// that a host can draw it again, and is the only place colours are compared.
// Free of any window-system header.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "base/palette_entry.h"
#include "platform/common/picture_changes.h"
#include "platform/common/picture_convert.h"

enum class PresentSend {
    Nothing,     // the screen already shows this picture
    Parts,       // the picture rectangles in `parts` changed
    Everything,  // picture and bars: new colours, a new screen size, or nothing shown yet
};

struct PresentStep {
    PictureChanges changes;  // the picture last handed in, and its comparison
    PaletteEntry colours[256] = {};
    bool shown = false;       // the screen shows that picture and its bars
    int32_t screenWidth = 0;  // the screen's size then
    int32_t screenHeight = 0;
    std::vector<Rect> parts;  // picture pixels, right and bottom exclusive
};

// Takes `picture` as the one the `screenWidth` x `screenHeight` screen is
// about to show and says what to send it. The copy is taken even when the
// host then draws nothing (minimised, no window), so that a later repaint
// shows this picture.
PresentSend planPresent(PresentStep& step, const IndexedPicture& picture, int32_t screenWidth, int32_t screenHeight);

// The screen may no longer show what it was sent (exposed, restored,
// resized, a drawing that failed): the next plan is Everything.
void forgetScreen(PresentStep& step);

// The picture last handed in, with its colours; no pixels before the first.
IndexedPicture lastPicture(const PresentStep& step);
