#include "tools/common/bmp_read.h"

#include <utility>
#include <vector>

#include "display/bmp_layout.h"
#include "tools/common/file_bytes.h"

bool readBmpFile(const std::string& path, BmpPicture* out, std::string* reason) {
    std::vector<uint8_t> bytes;
    if (!readBytes(path, &bytes)) {
        *reason = "cannot read " + path;
        return false;
    }
    BmpLayout layout{};
    std::string why;
    if (!parseBmpLayout(bytes.data(), bytes.size(), &layout, &why)) {
        *reason = path + ": " + why;
        return false;
    }
    if (const int64_t missing = countMissingBmpRows(bytes.size(), layout)) {
        *reason =
            path + " is cut short: " + std::to_string(missing) + " of " + std::to_string(layout.rows) + " rows missing";
        return false;
    }
    BmpPicture picture;
    picture.width = layout.width;
    picture.height = layout.rows;
    picture.pixels.assign(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.rows), 0);
    readBmpColours(bytes.data(), bytes.size(), layout, picture.colours.data());
    const SurfaceLock rows{picture.pixels.data(), layout.width, static_cast<uint32_t>(layout.rows)};
    copyBmpRows(bytes.data(), bytes.size(), layout, rows, 0, 0);
    *out = std::move(picture);
    return true;
}
