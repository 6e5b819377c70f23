#pragma once
// The mark of a file stored in the Windows LZ compressed-file form ("SZDD",
// as written by COMPRESS.EXE).
#include <cstddef>
#include <cstdint>

// True when the bytes start with the SZDD signature.
bool isSzdd(const uint8_t* data, size_t size);
