#include "platform/common/present_step.h"

#include <cstring>

PresentSend planPresent(PresentStep& step, const IndexedPicture& picture, int32_t screenWidth, int32_t screenHeight) {
    // Compared every time, so that the copy is always the picture handed in.
    collectPictureChanges(step.changes, picture, step.parts);
    const bool newColours = picture.colours && std::memcmp(picture.colours, step.colours, sizeof step.colours) != 0;
    if (!step.shown || newColours || screenWidth != step.screenWidth || screenHeight != step.screenHeight) {
        if (picture.colours) std::memcpy(step.colours, picture.colours, sizeof step.colours);
        step.shown = true;
        step.screenWidth = screenWidth;
        step.screenHeight = screenHeight;
        step.parts.assign(1, Rect{0, 0, step.changes.width, step.changes.height});
        return PresentSend::Everything;
    }
    return step.parts.empty() ? PresentSend::Nothing : PresentSend::Parts;
}

void forgetScreen(PresentStep& step) { step.shown = false; }

IndexedPicture lastPicture(const PresentStep& step) {
    const PictureChanges& c = step.changes;
    return IndexedPicture{c.shown.empty() ? nullptr : c.shown.data(), c.width, c.width, c.height, step.colours};
}
