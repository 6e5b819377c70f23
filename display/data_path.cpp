#include "display/data_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace {

// The directory of the running program, or empty when it cannot be told.
std::string executableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string path(buffer, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool isReadableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), R_OK) == 0;
}

}  // namespace

std::vector<std::string> dataFileCandidates(const std::string& name) {
    if (name.find('/') != std::string::npos) return {name};
    std::vector<std::string> places{name};
    const std::string exeDir = executableDirectory();
    if (!exeDir.empty()) places.push_back(joinPath(exeDir, name));
    places.push_back(joinPath(NMNM_DATA_DIR, name));
    return places;
}

std::string findDataFile(const std::string& name) {
    for (const std::string& path : dataFileCandidates(name))
        if (isReadableFile(path)) return path;
    return {};
}

std::string dataSearchPlaces() {
    std::string places = "the current directory";
    const std::string exeDir = executableDirectory();
    if (!exeDir.empty()) places += ", " + exeDir;
    return places + ", " + NMNM_DATA_DIR;
}
