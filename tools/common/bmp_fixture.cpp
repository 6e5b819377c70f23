#include "tools/common/bmp_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace {

void put16(std::vector<uint8_t>& v, size_t at, uint32_t value) {
    v[at] = static_cast<uint8_t>(value);
    v[at + 1] = static_cast<uint8_t>(value >> 8);
}

void put32(std::vector<uint8_t>& v, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> makeBmp(const BmpSpec& spec, const std::vector<uint8_t>& pixels,
                             const std::vector<PaletteEntry>& colours) {
    const size_t rows = static_cast<size_t>(spec.height < 0 ? -int64_t{spec.height} : spec.height);
    const size_t width = static_cast<size_t>(spec.width);
    const size_t stride = spec.padRows ? (width + 3) / 4 * 4 : width;
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

std::vector<uint8_t> withField(std::vector<uint8_t> file, size_t at, uint32_t value) {
    if (file.size() >= at + 4) put32(file, at, value);
    return file;
}

std::vector<uint8_t> patternPixels(int32_t width, int32_t height, int seed) {
    std::vector<uint8_t> p(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            p[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(x * 7 + y * 13 + seed);
    return p;
}

std::vector<PaletteEntry> patternColours(int seed) {
    std::vector<PaletteEntry> c(256);
    for (int i = 0; i < 256; ++i)
        c[i] = PaletteEntry{static_cast<uint8_t>(i ^ seed), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2), 0};
    return c;
}

std::string makeScratchDir() {
    // A fresh name each try; create_directory fails on a name already there,
    // so two tests running at once never share a folder.
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) return std::string();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path dir = base / ("nmnm-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(dir, error)) return dir.string();
    }
    return std::string();
}

bool removeScratchDir(const std::string& dir) {
    std::error_code error;
    std::filesystem::remove_all(dir, error);
    return !error && !std::filesystem::exists(dir, error);
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
