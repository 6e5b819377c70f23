// Code page 932 decoded by the platform's own converter, independently of
// the game's text services: Windows' own table, iconv on Linux, and under
// node its own decoder (the WHATWG "shift_jis", which is Windows' code page
// 932), since musl's iconv, which emscripten has, knows no CP932.
#include "tests/support/draw_record.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten.h>
#elif defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cstring>

#if defined(__EMSCRIPTEN__)
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
#elif defined(_WIN32)
// Windows converts through UTF-16, with its own code page 932 table.
std::string cp932ToUtf8(const char* bytes) {
    wchar_t wide[512] = {};
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, -1, wide, 511) == 0) return "(undecodable bytes)";
    char out[1024] = {};
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, sizeof out - 1, nullptr, nullptr) == 0)
        return "(undecodable bytes)";
    return out;
}
#else
std::string cp932ToUtf8(const char* bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "(no CP932 converter)";
    char out[512] = {};
    char* in = const_cast<char*>(bytes);
    size_t inLeft = std::strlen(bytes);
    char* outPtr = out;
    size_t outLeft = sizeof out - 1;
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return result == static_cast<size_t>(-1) ? "(undecodable bytes)" : out;
}
#endif
