#include "tools/common/png_write.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "tools/common/zlib_stream.h"

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void chunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, pngCrc32(out.data() + start, out.size() - start));
}

uint32_t get32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Deflates unfiltered rows of `bytesPerPixel` bytes and wraps them with the
// given header colour type and any chunks that belong before the pixels.
bool writePng(const std::string& path, const uint8_t* pixels, int32_t width, int32_t height, size_t pitch,
              int32_t bytesPerPixel, uint8_t colourType,
              const std::vector<std::pair<const char*, std::vector<uint8_t>>>& beforePixels) {
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bytesPerPixel);
    std::vector<uint8_t> raw, packed;
    if (!packPngRows(pixels, rowBytes, height, pitch, &raw, &packed)) return false;

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put32(header, static_cast<uint32_t>(width));
    put32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, colourType, 0, 0, 0});  // 8 bits a sample, no interlace
    chunk(out, "IHDR", header);
    for (const auto& [type, data] : beforePixels) chunk(out, type, data);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

// The header and the inflated, unfiltered rows of a PNG this file's writers
// made; false for anything else.
bool readPng(const std::string& path, int32_t* width, int32_t* height, uint8_t* colourType, std::vector<uint8_t>* raw,
             PaletteEntry paletteOut[256]) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.size() < 8 || std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8) != 0) return false;
    std::vector<uint8_t> idat;
    int32_t w = 0, h = 0;
    bool known = false;
    for (size_t pos = 8; pos + 12 <= file.size();) {
        const uint32_t len = get32(&file[pos]);
        if (len > file.size() - pos - 12) return false;
        const uint8_t* type = &file[pos + 4];
        const uint8_t* data = &file[pos + 8];
        if (!std::memcmp(type, "IHDR", 4) && len >= 13) {
            w = static_cast<int32_t>(get32(data));
            h = static_cast<int32_t>(get32(data + 4));
            *colourType = data[9];
            known = data[8] == 8 && (data[9] == 3 || data[9] == 6) && data[12] == 0;
        } else if (!std::memcmp(type, "PLTE", 4) && paletteOut) {
            for (uint32_t i = 0; i < 256 && 3 * i + 2 < len; ++i)
                paletteOut[i] = PaletteEntry{data[3 * i], data[3 * i + 1], data[3 * i + 2], 0};
        } else if (!std::memcmp(type, "IDAT", 4)) {
            idat.insert(idat.end(), data, data + len);
        }
        pos += 12 + len;
    }
    if (!known || w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
    const size_t rowBytes = static_cast<size_t>(w) * (*colourType == 6 ? 4u : 1u);
    raw->assign((rowBytes + 1) * static_cast<size_t>(h), 0);
    if (!zlibUnpack(idat.data(), idat.size(), raw)) return false;
    for (int32_t y = 0; y < h; ++y)
        if ((*raw)[static_cast<size_t>(y) * (rowBytes + 1)] != 0)
            return false;  // only the unfiltered rows written here
    *width = w;
    *height = h;
    return true;
}

// The rows of `raw` without their filter bytes.
std::string unfiltered(const std::vector<uint8_t>& raw, int32_t height, size_t rowBytes) {
    std::string out;
    out.reserve(rowBytes * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = raw.data() + static_cast<size_t>(y) * (rowBytes + 1) + 1;
        out.append(reinterpret_cast<const char*>(row), rowBytes);
    }
    return out;
}

}  // namespace

bool packPngRows(const uint8_t* pixels, size_t rowBytes, int32_t height, size_t pitch, std::vector<uint8_t>* scratch,
                 std::vector<uint8_t>* out) {
    scratch->clear();
    scratch->reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        scratch->push_back(0);  // no filter
        const uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
        scratch->insert(scratch->end(), row, row + rowBytes);
    }
    return zlibPack(scratch->data(), scratch->size(), out);
}

bool writeIndexedPng(const std::string& path, const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                     const PaletteEntry palette[256]) {
    if (!pixels || width <= 0 || height <= 0 || pitch < width) return false;
    std::vector<uint8_t> plte;
    for (int i = 0; i < 256; ++i) plte.insert(plte.end(), {palette[i].red, palette[i].green, palette[i].blue});
    return writePng(path, pixels, width, height, static_cast<size_t>(pitch), 1, 3, {{"PLTE", plte}});
}

bool writeRgbaPng(const std::string& path, const uint8_t* rgba, int32_t width, int32_t height) {
    if (!rgba || width <= 0 || height <= 0) return false;
    return writePng(path, rgba, width, height, static_cast<size_t>(width) * 4, 4, 6, {});
}

bool readIndexedPng(const std::string& path, std::string* pixelsOut, int32_t* width, int32_t* height,
                    PaletteEntry paletteOut[256]) {
    int32_t w = 0, h = 0;
    uint8_t type = 0;
    std::vector<uint8_t> raw;
    if (!readPng(path, &w, &h, &type, &raw, paletteOut) || type != 3) return false;
    *pixelsOut = unfiltered(raw, h, static_cast<size_t>(w));
    *width = w;
    *height = h;
    return true;
}

bool readRgbaPng(const std::string& path, std::string* rgbaOut, int32_t* width, int32_t* height) {
    int32_t w = 0, h = 0;
    uint8_t type = 0;
    std::vector<uint8_t> raw;
    if (!readPng(path, &w, &h, &type, &raw, nullptr) || type != 6) return false;
    *rgbaOut = unfiltered(raw, h, static_cast<size_t>(w) * 4);
    *width = w;
    *height = h;
    return true;
}
