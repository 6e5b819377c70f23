#include "display/bitmap_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "display/bmp_layout.h"
#include "display/data_path.h"
#include "display/display_objects.h"
#include "display/szdd.h"

namespace {

bool fail(std::string* reason, std::string why) {
    if (reason) *reason = std::move(why);
    return false;
}

// Reads a whole file into `out`.
bool readWholeFile(const std::string& path, std::vector<uint8_t>* out, std::string* reason) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(reason, std::string("cannot open: ") + std::strerror(errno));
    struct stat st {};
    bool ok = true;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ok = fail(reason, "not a regular file");
    } else if (static_cast<uint64_t>(st.st_size) > kMaxBitmapBytes) {
        ok = fail(reason, "file too large (" + std::to_string(st.st_size) + " bytes)");
    } else {
        try {
            out->resize(static_cast<size_t>(st.st_size));
        } catch (const std::bad_alloc&) {
            ok = fail(reason, "out of memory");
        }
        size_t got = 0;
        while (ok && got < out->size()) {
            const ssize_t n = read(fd, out->data() + got, out->size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) ok = fail(reason, std::string("read error: ") + std::strerror(errno));
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        out->resize(got);  // a file that shrank meanwhile simply ends early
    }
    close(fd);
    return ok;
}

bool loadPlain(Surface* surface, const uint8_t* data, size_t size, int32_t x, int32_t y, std::string* reason) {
    BmpLayout layout{};
    if (!parseBmpLayout(data, size, &layout, reason)) return false;
    PaletteEntry colours[256];
    readBmpColours(data, size, layout, colours);

    SurfaceLock lock{};
    if (surfaceLock(surface, &lock) != DD_OK) return fail(reason, "the surface is busy and cannot be locked");
    copyBmpRows(data, size, layout, lock, x, y);
    surfaceUnlock(surface);

    // Only the colours: the flags bytes of the master copy stay as they are.
    for (int i = 0; i < 256; ++i) {
        display.paletteEntries[i].red = colours[i].red;
        display.paletteEntries[i].green = colours[i].green;
        display.paletteEntries[i].blue = colours[i].blue;
    }
    return true;
}

}  // namespace

int32_t loadBitmapFromMemory(Surface* surface, const uint8_t* data, size_t size, int32_t x, int32_t y,
                             std::string* reason) {
    if (!surface) return fail(reason, "no surface to load into");
    if (x < 0 || y < 0) return fail(reason, "position outside the surface");
    if (!data) size = 0;
    if (!isSzdd(data, size)) return loadPlain(surface, data, size, x, y, reason) ? 1 : 0;

    std::vector<uint8_t> expanded;
    if (!expandSzdd(data, size, kMaxBitmapBytes, &expanded, reason)) return 0;
    return loadPlain(surface, expanded.data(), expanded.size(), x, y, reason) ? 1 : 0;
}

int32_t loadBitmap(Surface* surface, const char* name, int32_t x, int32_t y) {
    const std::string wanted = name ? name : "";
    const std::string path = findDataFile(wanted);
    if (path.empty()) {
        std::fprintf(stderr, "nmnm: cannot load %s: not found in %s; put the file in one of them\n",
                     wanted.c_str(), dataSearchPlaces().c_str());
        return 0;
    }
    std::string reason;
    std::vector<uint8_t> bytes;
    if (readWholeFile(path, &bytes, &reason) &&
        loadBitmapFromMemory(surface, bytes.data(), bytes.size(), x, y, &reason))
        return 1;
    std::fprintf(stderr, "nmnm: cannot load %s: %s\n", path.c_str(), reason.c_str());
    return 0;
}
