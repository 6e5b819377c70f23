#include "platform/linux/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace {

// "CP932", not "SHIFT_JIS": the two map several full-width symbols differently
// and the game's texts were written on Windows. Opened once and kept.
iconv_t converter() {
    static iconv_t cd = [] {
        iconv_t c = iconv_open("UTF-32LE", "CP932");
        if (c == reinterpret_cast<iconv_t>(-1))
            std::fputs(
                "nmnm: the CP932 text converter is missing; install the C library's gconv modules "
                "(package libc6); only plain ASCII text will show\n",
                stderr);
        return c;
    }();
    return cd;
}

uint32_t littleEndian32(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// Without a converter only the ASCII bytes can be drawn.
size_t decodeAsciiOnly(const char* text, size_t length, size_t* offset, uint32_t* out, size_t capacity) {
    size_t n = 0;
    while (*offset < length && n < capacity) {
        const auto byte = static_cast<unsigned char>(text[(*offset)++]);
        if (byte < 0x80) out[n++] = byte;
    }
    return n;
}

}  // namespace

size_t decodeCp932(const char* text, size_t length, size_t* offset, uint32_t* out, size_t capacity) {
    if (capacity == 0) return 0;
    iconv_t cd = converter();
    if (cd == reinterpret_cast<iconv_t>(-1)) return decodeAsciiOnly(text, length, offset, out, capacity);

    // Every byte of a piece of up to `capacity` characters gives at most one
    // code point, so a small stack buffer per piece is enough.
    constexpr size_t kPiece = 64;
    unsigned char utf32[kPiece * 4];
    const size_t want = capacity < kPiece ? capacity : kPiece;
    size_t n = 0;
    while (n == 0 && *offset < length) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(text + *offset);
        size_t inLeft = length - *offset;
        char* outPtr = reinterpret_cast<char*>(utf32);
        size_t outLeft = want * 4;
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = result == static_cast<size_t>(-1) ? errno : 0;
        *offset = length - inLeft;
        n = (want * 4 - outLeft) / 4;
        if (error == EILSEQ) ++*offset;              // a byte that starts no character: leave it out
        else if (error == EINVAL) *offset = length;  // the last character is cut off
    }
    for (size_t i = 0; i < n; ++i) out[i] = littleEndian32(utf32 + 4 * i);
    return n;
}
