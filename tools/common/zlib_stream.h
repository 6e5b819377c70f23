#pragma once
// The zlib stream and the CRC inside a PNG file. Through zlib where the
// platform has it; the browser build has none and writes stored (not
// compressed) deflate blocks, which every PNG reader takes all the same.
#include <cstddef>
#include <cstdint>
#include <vector>

// Packs `size` bytes into one zlib stream (header, deflate data, Adler-32).
bool zlibPack(const uint8_t* data, size_t size, std::vector<uint8_t>* out);

// Unpacks a zlib stream into exactly out->size() bytes; false when the
// stream is broken, holds another length, or (without zlib) holds anything
// but stored blocks.
bool zlibUnpack(const uint8_t* data, size_t size, std::vector<uint8_t>* out);

// The CRC-32 of a PNG chunk (the ISO 3309 polynomial, as zlib's crc32).
uint32_t pngCrc32(const uint8_t* data, size_t size);
