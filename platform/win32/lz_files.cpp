// The data files on Windows: found in the current folder, then beside the
// program, and read through the LZ file reader, which hands over plain files
// as they are and expands those stored compressed (SZDD).
#include <windows.h>
#include <lzexpand.h>

#include <new>
#include <string>

#include "base/data_files.h"
#include "base/failure.h"

namespace {

// The folder the program was started from, with its trailing backslash, or
// empty when it cannot be told.
std::string programFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string folder(path, n);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whatever exists under the name in the current folder decides, even a
// folder: the caller then hears what is wrong with it rather than quietly
// getting another file. A name with a folder in it is taken as it stands.
std::string findDataFile(const std::string& name, std::string* places) {
    const std::string besideProgram = programFolder();
    *places = "the current folder" +
              (besideProgram.empty() ? std::string() : " or beside the program (" + besideProgram + ")");
    if (name.find_first_of("\\/:") != std::string::npos || exists(name)) return name;
    if (!besideProgram.empty() && exists(besideProgram + name)) return besideProgram + name;
    return {};
}

std::string systemMessage(DWORD error) {
    char text[256] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                   sizeof text, nullptr);
    std::string message(text, n);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(error) : message;
}

// Looked at through an ordinary handle first: the LZ reader would take a
// device or a folder without a word, and tells nothing of a file's size.
bool checkFile(const std::string& path, std::string* reason) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failWith(reason, "is a folder, not a picture file");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
            return failWith(reason, "permission denied");
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return failWith(reason, "not found");
        return failWith(reason, "cannot open: " + systemMessage(error));
    }
    bool ok = true;
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        ok = failWith(reason, "is not a regular file (a device or pipe)");
    } else if (!GetFileSizeEx(file, &size)) {
        ok = failWith(reason, "cannot open: " + systemMessage(GetLastError()));
    } else if (static_cast<uint64_t>(size.QuadPart) > kMaxDataFileBytes) {
        ok = failWith(reason, "too large (" + std::to_string(size.QuadPart) + " bytes)");
    }
    CloseHandle(file);
    return ok;
}

std::string lzError(INT code) {
    switch (code) {
        case LZERROR_BADINHANDLE: return "cannot open";
        case LZERROR_GLOBALLOC: return "out of memory";
        case LZERROR_READ: return "compressed data damaged or cut short";
        case LZERROR_BADVALUE: return "not a valid compressed file";
        default: return "read error " + std::to_string(code);
    }
}

// Reads the expanded bytes to the end, refusing to expand past the limit.
bool readAll(INT lz, std::vector<uint8_t>* out, std::string* reason) {
    constexpr size_t kChunk = 64 * 1024;
    for (;;) {
        const size_t have = out->size();
        if (have > kMaxDataFileBytes)
            return failWith(reason, "too large once expanded (over " + std::to_string(kMaxDataFileBytes) + " bytes)");
        out->resize(have + kChunk);
        const INT got = LZRead(lz, reinterpret_cast<char*>(out->data() + have), static_cast<INT>(kChunk));
        if (got < 0) {
            out->resize(have);
            return failWith(reason, lzError(got));
        }
        out->resize(have + static_cast<size_t>(got));
        if (got == 0) return true;
    }
}

}  // namespace

bool readDataFile(const char* name, DataFile* out, std::string* reason) {
    const std::string wanted = name ? name : "";
    out->bytes.clear();
    std::string places;
    out->path = findDataFile(wanted, &places);
    if (out->path.empty()) {
        out->path = wanted;
        return failWith(reason, "not found in " + places);
    }
    if (!checkFile(out->path, reason)) return false;
    // A full path: given a bare name, the reader would look beside the
    // program before the current folder, the other way round from the game.
    char full[MAX_PATH + 1] = {};
    const DWORD length = GetFullPathNameA(out->path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return failWith(reason, "the path is too long");
    OFSTRUCT opened{};
    opened.cBytes = sizeof opened;
    const INT lz = LZOpenFileA(full, &opened, OF_READ);
    if (lz < 0) return failWith(reason, lzError(lz));
    bool ok = false;
    try {
        ok = readAll(lz, &out->bytes, reason);
    } catch (const std::bad_alloc&) {
        ok = failWith(reason, "out of memory");
    }
    LZClose(lz);
    if (!ok) out->bytes.clear();
    return ok;
}
