// Writes the Windows program's icon file from the painted sprite sheet, so the
// icon follows the sprites whenever they are redrawn:
//   nmnm-winicon pt.bmp nmnm.ico
// Small sizes show the fly alone, the large one the swatter held over it;
// every size is a whole-number enlargement, nothing blended.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Sheet {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // top row first
    uint8_t colours[256][3] = {};  // red, green, blue
};

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

// The 8-bit bottom-up sheet the art generator writes; false on anything else.
bool readSheet(const std::string& path, Sheet* sheet) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 + 1024 || b[0] != 'B' || b[1] != 'M' || le(b, 28, 2) != 8 || le(b, 14, 4) != 40) return false;
    const int32_t width = static_cast<int32_t>(le(b, 18, 4));
    const int32_t height = static_cast<int32_t>(le(b, 22, 4));
    const uint32_t offset = le(b, 10, 4);
    if (width <= 0 || width > 4096 || height <= 0 || height > 4096) return false;
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
    if (offset > b.size() || b.size() - offset < stride * static_cast<size_t>(height)) return false;
    sheet->width = width;
    sheet->height = height;
    sheet->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            sheet->pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                b[offset + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x)];
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c) sheet->colours[i][c] = b[54 + static_cast<size_t>(i) * 4 + 2 - static_cast<size_t>(c)];
    return true;
}

// A square of palette indices; 0 is clear, as in the game's sprite copies.
struct Art {
    int32_t size;
    std::vector<uint8_t> pixels;
};

void stamp(Art* art, const Sheet& sheet, int32_t left, int32_t top, int32_t cell, int32_t x, int32_t y) {
    for (int32_t cy = 0; cy < cell; ++cy)
        for (int32_t cx = 0; cx < cell; ++cx) {
            const int32_t sx = left + cx, sy = top + cy, ax = x + cx, ay = y + cy;
            if (sx >= sheet.width || sy >= sheet.height || ax < 0 || ay < 0 || ax >= art->size || ay >= art->size)
                continue;
            const uint8_t v = sheet.pixels[static_cast<size_t>(sy) * static_cast<size_t>(sheet.width) + static_cast<size_t>(sx)];
            if (v) art->pixels[static_cast<size_t>(ay) * static_cast<size_t>(art->size) + static_cast<size_t>(ax)] = v;
        }
}

// The fly's first cell at (0, 32); the swatter's resting cell at (32, 32).
Art paint(const Sheet& sheet, int32_t size) {
    Art small{size >= 64 ? 32 : 16, {}};
    small.pixels.assign(static_cast<size_t>(small.size) * static_cast<size_t>(small.size), 0);
    if (small.size == 32) stamp(&small, sheet, 32, 32, 32, -5, 0);
    stamp(&small, sheet, 0, 32, 16, small.size == 32 ? 16 : 0, small.size == 32 ? 16 : 0);
    const int32_t factor = size / small.size;
    Art out{size, std::vector<uint8_t>(static_cast<size_t>(size) * static_cast<size_t>(size), 0)};
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x)
            out.pixels[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] =
                small.pixels[static_cast<size_t>(y / factor) * static_cast<size_t>(small.size) + static_cast<size_t>(x / factor)];
    return out;
}

void put(std::vector<uint8_t>* out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// One icon image: a 32-bit DIB of twice the height (colour rows, then the
// transparency mask), both bottom-up.
std::vector<uint8_t> iconImage(const Art& art, const Sheet& sheet) {
    const uint32_t s = static_cast<uint32_t>(art.size);
    const uint32_t maskStride = (s + 31) / 32 * 4;
    std::vector<uint8_t> out;
    put(&out, 40, 4), put(&out, s, 4), put(&out, 2 * s, 4), put(&out, 1, 2), put(&out, 32, 2);
    put(&out, 0, 4), put(&out, s * s * 4 + maskStride * s, 4), put(&out, 0, 4), put(&out, 0, 4);
    put(&out, 0, 4), put(&out, 0, 4);
    for (uint32_t y = s; y-- > 0;)
        for (uint32_t x = 0; x < s; ++x) {
            const uint8_t v = art.pixels[y * s + x];
            const uint8_t* c = sheet.colours[v];
            out.insert(out.end(), {v ? c[2] : uint8_t{0}, v ? c[1] : uint8_t{0}, v ? c[0] : uint8_t{0},
                                   v ? uint8_t{255} : uint8_t{0}});
        }
    for (uint32_t y = s; y-- > 0;) {
        std::vector<uint8_t> row(maskStride, 0);
        for (uint32_t x = 0; x < s; ++x)
            if (!art.pixels[y * s + x]) row[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: nmnm-winicon pt.bmp nmnm.ico\n");
        return 2;
    }
    Sheet sheet;
    if (!readSheet(argv[1], &sheet)) {
        std::fprintf(stderr, "nmnm-winicon: %s is not the 8-bit sprite sheet; paint it again with nmnm-artgen\n", argv[1]);
        return 1;
    }
    const int32_t sizes[] = {16, 32, 48, 64};
    std::vector<std::vector<uint8_t>> images;
    for (int32_t size : sizes) images.push_back(iconImage(paint(sheet, size), sheet));
    std::vector<uint8_t> file;
    put(&file, 0, 2), put(&file, 1, 2), put(&file, static_cast<uint32_t>(images.size()), 2);
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<uint8_t>(sizes[i] & 0xFF)), file.push_back(static_cast<uint8_t>(sizes[i] & 0xFF));
        put(&file, 0, 2), put(&file, 1, 2), put(&file, 32, 2);
        put(&file, static_cast<uint32_t>(images[i].size()), 4), put(&file, offset, 4);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::fprintf(stderr, "nmnm-winicon: cannot write %s; check the build folder is writable\n", argv[2]);
        return 1;
    }
    return 0;
}
