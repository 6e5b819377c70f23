#include "platform/linux/data_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <vector>

namespace {

// The folder of the running program, or empty when it cannot be told.
std::string executableFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string path(buffer, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The folders after the current one, in search order.
std::vector<std::string> dataFolders() {
    std::vector<std::string> folders;
    const std::string exe = executableFolder();
    if (!exe.empty()) {
        folders.push_back(exe);
        folders.push_back(joinPath(exe, "../share/nmnm"));
    }
    folders.push_back(NMNM_DATA_DIR);
    return folders;
}

}  // namespace

std::string findDataFile(const std::string& name) {
    struct stat st {};
    // Whatever exists under the name decides, even a folder or a pipe: the
    // loader then says what is wrong with it rather than quietly using another.
    if (name.find('/') != std::string::npos || stat(name.c_str(), &st) == 0) return name;
    for (const std::string& folder : dataFolders()) {
        const std::string path = joinPath(folder, name);
        if (stat(path.c_str(), &st) == 0) return path;
    }
    return {};
}

std::string dataSearchPlaces() {
    std::string places = "the current folder";
    for (const std::string& folder : dataFolders()) places += ", " + folder;
    return places;
}
