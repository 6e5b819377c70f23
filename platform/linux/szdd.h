#pragma once
// Files stored in the Windows LZ compressed-file form ("SZDD", as written by
// COMPRESS.EXE), expanded in memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/szdd_signature.h"

// Expands an SZDD file held in memory. `out` receives at most the length the
// file's header states and at most `maxBytes`: longer output is cut. Shorter
// output is not padded; the reader treats the missing bytes as zeros, exactly
// as it does for a plain file that ends early. On failure `reason` says why.
bool expandSzdd(const uint8_t* data, size_t size, size_t maxBytes, std::vector<uint8_t>* out, std::string* reason);
