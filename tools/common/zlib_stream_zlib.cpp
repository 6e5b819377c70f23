// The zlib stream through zlib itself, at its default level.
#include <zlib.h>

#include "tools/common/zlib_stream.h"

bool zlibPack(const uint8_t* data, size_t size, std::vector<uint8_t>* out) {
    uLongf packedSize = compressBound(static_cast<uLong>(size));
    out->resize(packedSize);
    if (compress2(out->data(), &packedSize, data, static_cast<uLong>(size), 6) != Z_OK) return false;
    out->resize(packedSize);
    return true;
}

bool zlibUnpack(const uint8_t* data, size_t size, std::vector<uint8_t>* out) {
    uLongf outSize = static_cast<uLongf>(out->size());
    return uncompress(out->data(), &outSize, data, static_cast<uLong>(size)) == Z_OK && outSize == out->size();
}

uint32_t pngCrc32(const uint8_t* data, size_t size) {
    return static_cast<uint32_t>(crc32(0L, data, static_cast<uInt>(size)));
}
