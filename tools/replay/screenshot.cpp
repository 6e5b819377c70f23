#include "tools/replay/screenshot.h"

#include <charconv>

#include "display/display_objects.h"
#include "tools/common/png_write.h"

bool parseScreenshotRequest(std::string_view text, ScreenshotRequest* out) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) return false;
    const std::string_view callText = text.substr(0, colon);
    uint64_t call = 0;
    const char* end = callText.data() + callText.size();
    const auto [ptr, ec] = std::from_chars(callText.data(), end, call, 10);
    if (ec != std::errc{} || ptr != end) return false;
    out->call = call;
    out->path = std::string(text.substr(colon + 1));
    return true;
}

bool writeScreenshot(const std::string& path) {
    const Surface* screen = displayObjects.primarySurface;
    if (!screen || !screen->palette) return false;
    const size_t needed = static_cast<size_t>(screen->pitch) * static_cast<size_t>(screen->height);
    if (screen->width <= 0 || screen->pitch < screen->width || screen->pixels.size() < needed) return false;
    return writeIndexedPng(path, screen->pixels.data(), screen->width, screen->height, screen->pitch,
                           screen->palette->entries);
}
