#pragma once
// Whole files as bytes, for the tools and tests.
#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be written whole.
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// False (and `out` unchanged) when the file cannot be opened or read.
bool readBytes(const std::string& path, std::vector<uint8_t>* out);
