#pragma once
// The file seam: a data file's bytes, found by bare name and expanded when
// stored in the Windows LZ compressed-file form (SZDD). libmspack on Linux,
// the LZ file reader on Windows; the parsing is the display's business.
#include <cstdint>
#include <string>
#include <vector>

// Bytes read from a file; past this size (or expanding past it) a file is
// refused: far more than any picture the game can show, and a hostile file
// cannot drive a huge allocation.
constexpr uint64_t kMaxDataFileBytes = uint64_t{64} << 20;

struct DataFile {
    std::string path;            // where it was found, or the places looked in
    std::vector<uint8_t> bytes;  // the expanded contents
};

// Reads `name` into `out`. False with `reason` saying why ("not found", "is
// a folder", "permission denied", ...) and out->path naming what was tried.
bool readDataFile(const char* name, DataFile* out, std::string* reason);
