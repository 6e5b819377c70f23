#pragma once
// A data file read whole through POSIX calls: the part of the file service
// Linux and the browser build (node's file system, or the page's embedded
// files) share.
#include <cstdint>
#include <string>
#include <vector>

// Reads the regular file at `path` into `out`, refusing anything larger than
// kMaxDataFileBytes. False with `reason` saying why: "is a folder, ...",
// "is not a regular file ...", "permission denied", "too large (N bytes)".
bool readRegularFile(const std::string& path, std::vector<uint8_t>* out, std::string* reason);
