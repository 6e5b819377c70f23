#pragma once
// Files stored in the Windows LZ compressed-file form ("SZDD", as written by
// COMPRESS.EXE), expanded in memory with libmspack: the system's on Linux,
// its SZDD reader compiled from the same version's source in the browser.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// True when the bytes start with the SZDD signature.
bool isSzdd(const uint8_t* data, size_t size);

// Expands an SZDD file held in memory. `out` receives at most the length the
// file's header states and at most `maxBytes`: longer output is cut. Shorter
// output is not padded; the reader treats the missing bytes as zeros, exactly
// as it does for a plain file that ends early. On failure `reason` says why.
bool expandSzdd(const uint8_t* data, size_t size, size_t maxBytes, std::vector<uint8_t>* out, std::string* reason);

// Reads the regular file at `path` whole, as the game reads a data file:
// expanded when it is SZDD, at most kMaxDataFileBytes either way. False with
// `reason` saying why.
bool readDataBytes(const std::string& path, std::vector<uint8_t>* out, std::string* reason);
