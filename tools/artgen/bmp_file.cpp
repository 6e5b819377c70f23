#include "tools/artgen/bmp_file.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

uint32_t get32(const std::vector<uint8_t>& in, size_t at) {
    return uint32_t{in[at]} | (uint32_t{in[at + 1]} << 8) | (uint32_t{in[at + 2]} << 16) | (uint32_t{in[at + 3]} << 24);
}

uint32_t get16(const std::vector<uint8_t>& in, size_t at) { return uint32_t{in[at]} | (uint32_t{in[at + 1]} << 8); }

}  // namespace

bool writeBmp8(const std::string& path, const IndexedImage& image, const std::array<Rgb, 256>& colours) {
    if (image.width <= 0 || image.height <= 0 || image.width % 4 != 0) return false;
    const uint32_t w = static_cast<uint32_t>(image.width);
    const uint32_t h = static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(kPixelOffset + w * h);
    out.push_back('B');
    out.push_back('M');
    put32(out, kPixelOffset + w * h);
    put32(out, 0);
    put32(out, kPixelOffset);
    put32(out, kInfoHeaderSize);
    put32(out, w);
    put32(out, h);  // positive: rows stored bottom-up
    put16(out, 1);  // planes
    put16(out, 8);  // bits per pixel
    put32(out, 0);  // BI_RGB
    put32(out, w * h);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 256);  // colours used
    put32(out, 0);    // all important
    for (const Rgb& c : colours) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (uint32_t row = h; row-- > 0;) {
        const auto first = image.pixels.begin() + static_cast<std::ptrdiff_t>(row * w);
        out.insert(out.end(), first, first + static_cast<std::ptrdiff_t>(w));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

bool readBmp8(const std::string& path, IndexedImage* image, std::array<Rgb, 256>* colours) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const std::vector<uint8_t> in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (in.size() < kPixelOffset || in[0] != 'B' || in[1] != 'M') return false;
    if (get32(in, 10) != kPixelOffset || get32(in, 14) != kInfoHeaderSize) return false;
    const int32_t w = static_cast<int32_t>(get32(in, 18));
    const int32_t h = static_cast<int32_t>(get32(in, 22));
    if (get16(in, 28) != 8 || get32(in, 30) != 0) return false;
    if (w <= 0 || h <= 0 || w % 4 != 0 || w > 65536 || h > 65536) return false;
    const size_t need = kPixelOffset + static_cast<size_t>(w) * static_cast<size_t>(h);
    if (in.size() < need) return false;
    IndexedImage picture(w, h);
    for (int32_t row = 0; row < h; ++row) {
        const size_t from = kPixelOffset + static_cast<size_t>(h - 1 - row) * static_cast<size_t>(w);
        std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(from), w,
                    picture.pixels.begin() + static_cast<std::ptrdiff_t>(row) * w);
    }
    for (size_t i = 0; i < 256; ++i) {
        const size_t at = kFileHeaderSize + kInfoHeaderSize + i * 4;
        (*colours)[i] = {in[at + 2], in[at + 1], in[at]};
    }
    *image = std::move(picture);
    return true;
}
