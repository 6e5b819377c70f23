#pragma once
// Pictures of the screen: what the primary surface shows, through the palette
// it is shown with, as an indexed PNG.
#include <cstdint>
#include <string>
#include <string_view>

struct ScreenshotRequest {
    uint64_t call = 0;  // taken after this call; 0 is right after display setup
    std::string path;
};

// Reads "CALL:OUT.png". False when CALL is not a decimal number or OUT is empty.
bool parseScreenshotRequest(std::string_view text, ScreenshotRequest* out);

// Writes the primary surface and its shown palette to `path`. False (with
// nothing promised about the file) when there is no screen or the write fails.
bool writeScreenshot(const std::string& path);
