// The data files on Linux: found by name, read whole through POSIX calls and,
// when stored in the Windows LZ compressed form, expanded with libmspack.
#include "base/data_files.h"
#include "base/failure.h"

#include "platform/linux/data_path.h"
#include "platform/posix/szdd.h"

bool readDataFile(const char* name, DataFile* out, std::string* reason) {
    const std::string wanted = name ? name : "";
    out->bytes.clear();
    out->path = findDataFile(wanted);
    if (out->path.empty()) {
        out->path = wanted;
        return failWith(reason, "not found in " + dataSearchPlaces());
    }
    return readDataBytes(out->path, &out->bytes, reason);
}
