#include "tools/common/bmp_fixture.h"

#include <filesystem>
#include <random>
#include <system_error>

std::vector<uint8_t> withField(std::vector<uint8_t> file, size_t at, uint32_t value) {
    if (file.size() < at + 4) return file;
    for (size_t i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
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
        c[i] =
            PaletteEntry{static_cast<uint8_t>(i ^ seed), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2), 0};
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
