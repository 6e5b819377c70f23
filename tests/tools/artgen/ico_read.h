#pragma once
// Reads back the Windows icon files the art generator writes, for the icon
// tests: every image an uncompressed 32-bit one with its mask.
#include <cstdint>
#include <string>
#include <vector>

struct IcoEntry {
    int32_t size = 0;
    std::string rgba;                    // red, green, blue, alpha, top row first
    std::vector<bool> maskShowsDesktop;  // the AND mask, top row first: true where the desktop shows
};

// Empty when read; otherwise a one-line reason (anything else, or bytes that
// end early), and `out` is left alone.
std::string readIco(const std::vector<uint8_t>& bytes, std::vector<IcoEntry>* out);
