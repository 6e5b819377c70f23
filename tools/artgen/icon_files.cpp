#include "tools/artgen/icon_files.h"

#include <cstdio>
#include <vector>

#include "tools/artgen/ico_file.h"
#include "tools/artgen/icon.h"
#include "tools/common/file_bytes.h"
#include "tools/common/png_write.h"

namespace {

bool writeSource(const std::string& path, const std::vector<uint8_t>& rgba) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fprintf(f,
                 "// The window's icon, made from the sprite sheet by nmnm-artgen at build time.\n"
                 "#include \"platform/sdl/window_icon.h\"\n\n"
                 "const uint8_t kWindowIconRgba[kWindowIconSide * kWindowIconSide * 4] = {\n");
    for (size_t i = 0; i < rgba.size(); ++i)
        std::fprintf(f, "%u,%s", static_cast<unsigned>(rgba[i]), (i % 32 == 31) ? "\n" : "");
    std::fprintf(f, "};\n");
    return std::fclose(f) == 0;
}

}  // namespace

bool writeIconFiles(const IndexedImage& sheet, const std::array<Rgb, 256>& colours, const std::string& folder,
                    std::string* error) {
    const auto cannotWrite = [&](const std::string& path) {
        *error = "cannot write " + path + " (does the folder exist and is it writable?)";
        return false;
    };
    // One set of pixels for every file: the PNGs, the Windows icon, the window's.
    std::vector<IcoImage> images;
    for (int32_t size : kIconSizes) {
        images.push_back({size, iconRgba(paintIcon(sheet, size), colours)});
        const std::string path = folder + "/nmnm-" + std::to_string(size) + ".png";
        if (!writeRgbaPng(path, images.back().rgba.data(), size, size)) return cannotWrite(path);
    }
    // The web page's manifest sizes: PNGs only, no part of the Windows icon.
    for (int32_t size : kWebIconSizes) {
        const std::vector<uint8_t> rgba = iconRgba(paintIcon(sheet, size), colours);
        const std::string path = folder + "/nmnm-" + std::to_string(size) + ".png";
        if (!writeRgbaPng(path, rgba.data(), size, size)) return cannotWrite(path);
    }
    const std::string ico = folder + "/nmnm.ico";
    if (!writeBytes(ico, makeIco(images))) return cannotWrite(ico);
    const std::string source = folder + "/window_icon.cpp";
    if (!writeSource(source, iconRgba(paintIcon(sheet, kWindowIconSize), colours))) return cannotWrite(source);
    return true;
}
