// Code page 932 decoded by the platform's own converter, independently of
// the game's text services: the browser build has its own (cp932_utf8_node.cpp).
#include "tests/support/draw_record.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cstring>

#ifdef _WIN32
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
