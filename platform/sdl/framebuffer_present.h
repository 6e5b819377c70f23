#pragma once
// Drawing the 8-bit picture into a window's own framebuffer, letterboxed and
// stretched, in whatever pixel size the window has (2, 3 or 4 bytes), and
// only where it changed since the last call. Free of any window-system
// header: the caller maps the colours to its pixels and sends the rectangles.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "platform/common/picture_changes.h"
#include "platform/common/present_convert.h"
#include "platform/sdl/scale_map.h"

// A framebuffer as the window system lends it: `height` rows of `width`
// pixels of `bytesPerPixel` bytes each, `pitch` bytes apart.
struct Framebuffer {
    uint8_t* pixels;
    int32_t pitch;
    int32_t width;
    int32_t height;
    int32_t bytesPerPixel;
};

// Pixel sizes the drawing writes directly.
bool framebufferPixelSizeSupported(int32_t bytesPerPixel);

// What the framebuffer shows, so that the next picture can be compared.
struct FramebufferPresenter {
    PictureChanges changes;
    uint32_t pixelOf[256] = {};  // the colours as they were last drawn
    bool drawn = false;          // the framebuffer holds a whole picture and its bars
    int32_t width = 0;           // the framebuffer's size when last drawn
    int32_t height = 0;
    ScaleMap map;
    std::vector<Rect> pictureChanged;
};

// Draws `picture` into `framebuffer` through `pixelOf` (its 256 colours as the
// framebuffer's pixel values), centred at the largest 4:3 size with black
// bars, and fills `send` with the framebuffer rectangles that changed.
// Everything is drawn and sent when `redrawAll` is set (the framebuffer may
// be new), when its size changed or when any colour's pixel changed;
// otherwise only what differs from the picture drawn last.
void presentToFramebuffer(FramebufferPresenter& presenter, const IndexedPicture& picture, const uint32_t pixelOf[256],
                          const Framebuffer& framebuffer, bool redrawAll, std::vector<Rect>& send);

// Forgets what the framebuffer shows, so that the next call draws everything.
void forgetFramebuffer(FramebufferPresenter& presenter);
