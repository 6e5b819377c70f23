#include "tools/artgen/ico_file.h"

#include <cstddef>

namespace {

void put(std::vector<uint8_t>* out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A bitmap information header of twice the height (colour rows, then the
// mask rows), then both, bottom-up.
std::vector<uint8_t> iconImage(const IcoImage& image) {
    const size_t s = static_cast<size_t>(image.size);
    const size_t maskStride = (s + 31) / 32 * 4;
    std::vector<uint8_t> rgba = image.rgba;
    rgba.resize(s * s * 4, 0);  // pixels not given are clear
    std::vector<uint8_t> out;
    put(&out, 40, 4), put(&out, static_cast<uint32_t>(s), 4), put(&out, static_cast<uint32_t>(2 * s), 4);
    put(&out, 1, 2), put(&out, 32, 2), put(&out, 0, 4);
    put(&out, static_cast<uint32_t>(s * s * 4 + maskStride * s), 4);
    put(&out, 0, 4), put(&out, 0, 4), put(&out, 0, 4), put(&out, 0, 4);
    for (size_t y = s; y-- > 0;)
        for (size_t x = 0; x < s; ++x) {
            const uint8_t* p = &rgba[(y * s + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});  // blue, green, red, alpha
        }
    for (size_t y = s; y-- > 0;) {
        std::vector<uint8_t> row(maskStride, 0);
        for (size_t x = 0; x < s; ++x)
            if (rgba[(y * s + x) * 4 + 3] == 0) row[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> makeIco(const std::vector<IcoImage>& images) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const IcoImage& image : images) bodies.push_back(iconImage(image));
    std::vector<uint8_t> file;
    put(&file, 0, 2), put(&file, 1, 2), put(&file, static_cast<uint32_t>(images.size()), 2);
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const uint8_t side = static_cast<uint8_t>(images[i].size & 0xFF);  // 256 is written as 0
        file.insert(file.end(), {side, side, 0, 0});
        put(&file, 1, 2), put(&file, 32, 2);
        put(&file, static_cast<uint32_t>(bodies[i].size()), 4), put(&file, offset, 4);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) file.insert(file.end(), body.begin(), body.end());
    return file;
}
