#include "platform/posix/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "base/data_files.h"
#include "base/failure.h"

namespace {

// A name that is there but cannot be read as a file, told apart for the player.
std::string whatIsWrong(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return "is a folder, not a picture file";
    return "is not a regular file (a pipe, device or socket)";
}

std::string openError(int error) {
    if (error == EACCES || error == EPERM) return "permission denied";
    return std::string("cannot open: ") + std::strerror(error);
}

bool readAll(int fd, size_t size, std::vector<uint8_t>* out, std::string* reason) {
    try {
        out->resize(size);
    } catch (const std::bad_alloc&) {
        return failWith(reason, "out of memory");
    }
    size_t got = 0;
    while (got < out->size()) {
        const ssize_t n = read(fd, out->data() + got, out->size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failWith(reason, std::string("read error: ") + std::strerror(errno));
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    out->resize(got);  // a file that shrank meanwhile simply ends early
    return true;
}

}  // namespace

bool readRegularFile(const std::string& path, std::vector<uint8_t>* out, std::string* reason) {
    out->clear();
    // Looked at before it is opened, so that a pipe is never opened for reading.
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return failWith(reason, openError(errno));
    if (!S_ISREG(st.st_mode)) return failWith(reason, whatIsWrong(st));
    // Non-blocking, should a pipe take the file's place after the look.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return failWith(reason, openError(errno));
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!ok) {
        failWith(reason, whatIsWrong(st));
    } else if (static_cast<uint64_t>(st.st_size) > kMaxDataFileBytes) {
        ok = failWith(reason, "too large (" + std::to_string(st.st_size) + " bytes)");
    } else {
        ok = readAll(fd, static_cast<size_t>(st.st_size), out, reason);
    }
    close(fd);
    return ok;
}
