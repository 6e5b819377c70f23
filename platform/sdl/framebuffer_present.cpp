#include "platform/sdl/framebuffer_present.h"

#include <bit>
#include <cstddef>
#include <cstring>

#include "platform/common/picture_fit.h"

namespace {

// The first output pixel of a letterboxed span `outSize` long whose source
// (index * size / outSize, rounded down) is `index` or later.
int32_t firstShowing(int32_t index, int32_t size, int32_t outSize) {
    return static_cast<int32_t>((int64_t{index} * outSize + size - 1) / size);
}

template <int Bytes>
void store(uint8_t* at, uint32_t pixel) {
    if constexpr (Bytes == 4) {
        std::memcpy(at, &pixel, 4);
    } else if constexpr (Bytes == 2) {
        const uint16_t half = static_cast<uint16_t>(pixel);
        std::memcpy(at, &half, 2);
    } else {
        // Three bytes in the order SDL and X keep them: the value's low byte
        // first on a little-endian machine.
        const bool little = std::endian::native == std::endian::little;
        at[little ? 0 : 2] = static_cast<uint8_t>(pixel);
        at[1] = static_cast<uint8_t>(pixel >> 8);
        at[little ? 2 : 0] = static_cast<uint8_t>(pixel >> 16);
    }
}

// Draws the output pixels [x0, x1) x [y0, y1) of the stretched picture, in
// coordinates inside the letterbox `box`.
template <int Bytes>
void drawSpan(const IndexedPicture& picture, const ScaleMap& map, const uint32_t pixelOf[256], const Framebuffer& fb,
              const Rect& box, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    if (x0 >= x1 || y0 >= y1) return;
    const int32_t* columns = map.sourceColumn.data();
    const size_t rowBytes = static_cast<size_t>(x1 - x0) * Bytes;
    const uint8_t* previous = nullptr;
    int32_t previousRow = -1;
    for (int32_t y = y0; y < y1; ++y) {
        uint8_t* dst = fb.pixels + static_cast<size_t>(box.top + y) * static_cast<size_t>(fb.pitch) +
                       static_cast<size_t>(box.left + x0) * Bytes;
        const int32_t sourceRow = map.sourceRow[static_cast<size_t>(y)];
        if (sourceRow == previousRow) {
            // A picture row shown twice is copied, not looked up again.
            std::memcpy(dst, previous, rowBytes);
        } else {
            const uint8_t* row = picture.pixels + static_cast<size_t>(sourceRow) * static_cast<size_t>(picture.pitch);
            if constexpr (Bytes == 4) {
                uint32_t* out = reinterpret_cast<uint32_t*>(dst);
                if (reinterpret_cast<uintptr_t>(dst) % alignof(uint32_t) == 0) {
                    for (int32_t x = x0; x < x1; ++x) *out++ = pixelOf[row[columns[x]]];
                } else {
                    for (int32_t x = x0; x < x1; ++x)
                        store<4>(dst + static_cast<size_t>(x - x0) * 4, pixelOf[row[columns[x]]]);
                }
            } else {
                for (int32_t x = x0; x < x1; ++x)
                    store<Bytes>(dst + static_cast<size_t>(x - x0) * Bytes, pixelOf[row[columns[x]]]);
            }
        }
        previous = dst;
        previousRow = sourceRow;
    }
}

void drawPictureRect(const IndexedPicture& picture, const ScaleMap& map, const uint32_t pixelOf[256],
                     const Framebuffer& fb, const Rect& box, const Rect& part) {
    const int32_t x0 = firstShowing(part.left, picture.width, map.outWidth);
    const int32_t x1 = firstShowing(part.right, picture.width, map.outWidth);
    const int32_t y0 = firstShowing(part.top, picture.height, map.outHeight);
    const int32_t y1 = firstShowing(part.bottom, picture.height, map.outHeight);
    switch (fb.bytesPerPixel) {
        case 2: drawSpan<2>(picture, map, pixelOf, fb, box, x0, x1, y0, y1); break;
        case 3: drawSpan<3>(picture, map, pixelOf, fb, box, x0, x1, y0, y1); break;
        case 4: drawSpan<4>(picture, map, pixelOf, fb, box, x0, x1, y0, y1); break;
        default: break;
    }
}

void clearRows(const Framebuffer& fb, int32_t top, int32_t bottom, int32_t left, int32_t right) {
    if (left >= right) return;
    for (int32_t y = top; y < bottom; ++y)
        std::memset(fb.pixels + static_cast<size_t>(y) * static_cast<size_t>(fb.pitch) +
                        static_cast<size_t>(left) * static_cast<size_t>(fb.bytesPerPixel),
                    0, static_cast<size_t>(right - left) * static_cast<size_t>(fb.bytesPerPixel));
}

// Black everywhere the picture does not cover.
void clearBars(const Framebuffer& fb, const Rect& box) {
    clearRows(fb, 0, box.top, 0, fb.width);
    clearRows(fb, box.bottom, fb.height, 0, fb.width);
    clearRows(fb, box.top, box.bottom, 0, box.left);
    clearRows(fb, box.top, box.bottom, box.right, fb.width);
}

}  // namespace

bool framebufferPixelSizeSupported(int32_t bytesPerPixel) {
    return bytesPerPixel == 2 || bytesPerPixel == 3 || bytesPerPixel == 4;
}

void presentToFramebuffer(FramebufferPresenter& presenter, const IndexedPicture& picture, const uint32_t pixelOf[256],
                          const Framebuffer& fb, bool redrawAll, std::vector<Rect>& send) {
    send.clear();
    if (!fb.pixels || fb.width <= 0 || fb.height <= 0 || !framebufferPixelSizeSupported(fb.bytesPerPixel) ||
        fb.pitch < fb.width * fb.bytesPerPixel)
        return;
    if (!picture.pixels || picture.width <= 0 || picture.height <= 0 || picture.pitch < picture.width) return;
    const Rect box = letterboxRect(fb.width, fb.height);
    const bool whole = redrawAll || !presenter.drawn || fb.width != presenter.width || fb.height != presenter.height ||
                       std::memcmp(pixelOf, presenter.pixelOf, sizeof presenter.pixelOf) != 0;
    collectPictureChanges(presenter.changes, picture, presenter.pictureChanged);
    if (box.right <= box.left || box.bottom <= box.top) {
        // Too small to show a picture: only black.
        clearRows(fb, 0, fb.height, 0, fb.width);
        send.push_back(Rect{0, 0, fb.width, fb.height});
        forgetFramebuffer(presenter);
        return;
    }
    makeScaleMap(presenter.map, picture.width, picture.height, box.right - box.left, box.bottom - box.top);
    if (whole) {
        clearBars(fb, box);
        drawPictureRect(picture, presenter.map, pixelOf, fb, box, Rect{0, 0, picture.width, picture.height});
        send.push_back(Rect{0, 0, fb.width, fb.height});
        std::memcpy(presenter.pixelOf, pixelOf, sizeof presenter.pixelOf);
        presenter.drawn = true;
        presenter.width = fb.width;
        presenter.height = fb.height;
        return;
    }
    for (const Rect& part : presenter.pictureChanged) {
        drawPictureRect(picture, presenter.map, pixelOf, fb, box, part);
        const int32_t outWidth = presenter.map.outWidth;
        const int32_t outHeight = presenter.map.outHeight;
        const Rect out{box.left + firstShowing(part.left, picture.width, outWidth),
                       box.top + firstShowing(part.top, picture.height, outHeight),
                       box.left + firstShowing(part.right, picture.width, outWidth),
                       box.top + firstShowing(part.bottom, picture.height, outHeight)};
        if (out.left < out.right && out.top < out.bottom) send.push_back(out);
    }
}

void forgetFramebuffer(FramebufferPresenter& presenter) {
    presenter.drawn = false;
    presenter.width = 0;
    presenter.height = 0;
}
