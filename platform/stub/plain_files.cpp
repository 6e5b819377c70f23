// Data files read plainly through the C library from the current folder,
// without LZ expansion: enough for traces and screenshots of the plain
// pictures.
#include <cstdio>
#include <string>

#include "base/data_files.h"

bool readDataFile(const char* name, DataFile* out, std::string* reason) {
    out->path = name ? name : "";
    out->bytes.clear();
    std::FILE* f = out->path.empty() ? nullptr : std::fopen(out->path.c_str(), "rb");
    if (!f) {
        if (reason) *reason = "not found in the current folder";
        return false;
    }
    // Read in pieces up to one byte past the limit: no size is trusted, and a
    // file that is too large is told apart without reading it all.
    unsigned char chunk[65536];
    bool ok = true;
    for (;;) {
        const size_t n = std::fread(chunk, 1, sizeof chunk, f);
        out->bytes.insert(out->bytes.end(), chunk, chunk + n);
        if (out->bytes.size() > kMaxDataFileBytes) {
            if (reason) *reason = "too large (over " + std::to_string(kMaxDataFileBytes) + " bytes)";
            ok = false;
            break;
        }
        if (n < sizeof chunk) {
            if (std::ferror(f)) {
                if (reason) *reason = "read error";
                ok = false;
            }
            break;
        }
    }
    std::fclose(f);
    if (!ok) out->bytes.clear();
    return ok;
}
