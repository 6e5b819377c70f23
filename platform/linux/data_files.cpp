// The data files on Linux: found by name, read whole through POSIX calls and,
// when stored in the Windows LZ compressed form, expanded with libmspack.
#include "base/data_files.h"
#include "base/failure.h"

#include "platform/linux/data_path.h"
#include "platform/linux/szdd.h"
#include "platform/posix/posix_file.h"

bool readDataFile(const char* name, DataFile* out, std::string* reason) {
    const std::string wanted = name ? name : "";
    out->bytes.clear();
    out->path = findDataFile(wanted);
    if (out->path.empty()) {
        out->path = wanted;
        return failWith(reason, "not found in " + dataSearchPlaces());
    }
    if (!readRegularFile(out->path, &out->bytes, reason)) return false;
    if (!isSzdd(out->bytes.data(), out->bytes.size())) return true;

    std::vector<uint8_t> expanded;
    if (!expandSzdd(out->bytes.data(), out->bytes.size(), kMaxDataFileBytes, &expanded, reason)) return false;
    out->bytes.swap(expanded);
    return true;
}
