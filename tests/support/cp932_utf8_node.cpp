// Code page 932 decoded under node by its own decoder (the WHATWG
// "shift_jis", which is Windows' code page 932), independently of the
// game's text service: musl's iconv, which emscripten has, knows no CP932.
#include <emscripten.h>

#include <cstring>

#include "tests/support/draw_record.h"

namespace {

// The JavaScript inside is not C++: clang-format would break it.
// clang-format off
// Decodes `size` bytes at `bytes` and keeps the text for copyDecoded;
// returns its UTF-8 length, or -1 when the bytes do not decode.
EM_JS(int, decodeCp932, (const char* bytes, int size), {
    try {
        var decoder = new TextDecoder("shift_jis", {fatal: true});
        Module["decodedCp932"] = decoder.decode(HEAPU8.slice(bytes, bytes + size));
    } catch (e) {
        return -1;
    }
    return lengthBytesUTF8(Module["decodedCp932"]);
});

EM_JS(void, copyDecoded, (char* buffer, int size), { stringToUTF8(Module["decodedCp932"], buffer, size); });
// clang-format on

}  // namespace

std::string cp932ToUtf8(const char* bytes) {
    const int n = decodeCp932(bytes, static_cast<int>(std::strlen(bytes)));
    if (n < 0) return "(undecodable bytes)";
    std::string text(static_cast<size_t>(n) + 1, '\0');
    copyDecoded(text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}
