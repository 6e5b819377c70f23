#include "platform/web/script_folder.h"

#include <emscripten.h>

namespace {

// The JavaScript inside is not C++: clang-format would break it.
// clang-format off
// Copies node's folder of the main script into `buffer` (NUL-terminated);
// returns its length, 0 outside node. scriptDirectory is emscripten's own,
// with a trailing slash.
EM_JS(int, copyScriptFolder, (char* buffer, int size), {
    if (typeof process !== "object" || typeof scriptDirectory !== "string" || !scriptDirectory) return 0;
    if (lengthBytesUTF8(scriptDirectory) >= size) return 0;
    return stringToUTF8(scriptDirectory, buffer, size);
});
// clang-format on

}  // namespace

std::string scriptFolder() {
    char buffer[4096];
    const int n = copyScriptFolder(buffer, sizeof buffer);
    if (n <= 0) return {};
    std::string folder(buffer, static_cast<size_t>(n));
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}
