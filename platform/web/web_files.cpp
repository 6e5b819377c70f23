// The data files of the browser build: looked for in the current folder
// (the page's embedded files sit there), then beside the script under node;
// read whole through the file system emscripten gives (node's own for the
// tools and tests), expanded as on Linux when stored in the Windows LZ
// compressed form.
#include <sys/stat.h>

#include "base/data_files.h"
#include "base/failure.h"
#include "platform/posix/szdd.h"
#include "platform/web/script_folder.h"

namespace {

// As on Linux: a name with a '/' stands as it is; whatever exists under the
// name decides, even a folder, so the reason names what is wrong with it.
std::string findDataFile(const std::string& name) {
    struct stat st {};
    if (name.find('/') != std::string::npos || stat(name.c_str(), &st) == 0) return name;
    const std::string folder = scriptFolder();
    if (folder.empty()) return {};
    const std::string path = folder + (folder == "/" ? "" : "/") + name;
    return stat(path.c_str(), &st) == 0 ? path : std::string();
}

std::string searchPlaces() {
    const std::string folder = scriptFolder();
    return folder.empty() ? "the current folder" : "the current folder, " + folder;
}

}  // namespace

bool readDataFile(const char* name, DataFile* out, std::string* reason) {
    const std::string wanted = name ? name : "";
    out->bytes.clear();
    out->path = findDataFile(wanted);
    if (out->path.empty()) {
        out->path = wanted;
        return failWith(reason, "not found in " + searchPlaces());
    }
    return readDataBytes(out->path, &out->bytes, reason);
}
