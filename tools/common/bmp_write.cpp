#include "tools/common/bmp_write.h"

#include "tools/common/file_bytes.h"

namespace {

void put16(std::vector<uint8_t>& v, size_t at, uint32_t value) {
    v[at] = static_cast<uint8_t>(value);
    v[at + 1] = static_cast<uint8_t>(value >> 8);
}

void put32(std::vector<uint8_t>& v, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> makeBmp(const BmpSpec& spec, const std::vector<uint8_t>& pixels,
                             const std::vector<PaletteEntry>& colours) {
    const size_t rows = static_cast<size_t>(spec.height < 0 ? -int64_t{spec.height} : spec.height);
    const size_t width = static_cast<size_t>(spec.width);
    const size_t stride = (width + 3) / 4 * 4;
    const size_t tableAt = 14 + spec.infoHeaderBytes;
    const size_t pixelsAt = tableAt + 4 * size_t{spec.tableEntries} + spec.gapBeforePixels;
    std::vector<uint8_t> f(pixelsAt + stride * rows, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 2, static_cast<uint32_t>(f.size()));
    put32(f, 10, static_cast<uint32_t>(pixelsAt));
    put32(f, 14, spec.infoHeaderBytes);
    put32(f, 18, static_cast<uint32_t>(spec.width));
    put32(f, 22, static_cast<uint32_t>(spec.height));
    put16(f, 26, 1);
    put16(f, 28, spec.bitCount);
    put32(f, 30, spec.compression);
    put32(f, 34, static_cast<uint32_t>(stride * rows));
    put32(f, 46, spec.coloursUsed);
    if (spec.infoHeaderBytes >= 108) put32(f, 14 + 56, 0x73524742);  // 'sRGB' colour space
    for (size_t i = 0; i < spec.tableEntries && i < colours.size(); ++i) {
        f[tableAt + 4 * i] = colours[i].blue;
        f[tableAt + 4 * i + 1] = colours[i].green;
        f[tableAt + 4 * i + 2] = colours[i].red;
    }
    for (size_t r = 0; r < rows; ++r) {
        const size_t stored = spec.height < 0 ? r : rows - 1 - r;
        for (size_t c = 0; c < width && r * width + c < pixels.size(); ++c)
            f[pixelsAt + stored * stride + c] = pixels[r * width + c];
    }
    return f;
}

bool writeBmpFile(const std::string& path, const BmpPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    const std::vector<PaletteEntry> colours(picture.colours.begin(), picture.colours.end());
    return writeBytes(path, makeBmp({picture.width, picture.height}, picture.pixels, colours));
}
