#include "tools/artgen/art_bmp.h"

#include <utility>

#include "tools/common/bmp_read.h"
#include "tools/common/bmp_write.h"

bool writeArtBmp(const std::string& path, const IndexedImage& image, const std::array<Rgb, 256>& colours) {
    BmpPicture picture{image.width, image.height, image.pixels, {}};
    for (size_t i = 0; i < colours.size(); ++i) picture.colours[i] = {colours[i].r, colours[i].g, colours[i].b, 0};
    return writeBmpFile(path, picture);
}

bool readArtBmp(const std::string& path, IndexedImage* image, std::array<Rgb, 256>* colours, std::string* reason) {
    BmpPicture picture;
    if (!readBmpFile(path, &picture, reason)) return false;
    for (size_t i = 0; i < colours->size(); ++i)
        (*colours)[i] = {picture.colours[i].red, picture.colours[i].green, picture.colours[i].blue};
    image->width = picture.width;
    image->height = picture.height;
    image->pixels = std::move(picture.pixels);
    return true;
}
