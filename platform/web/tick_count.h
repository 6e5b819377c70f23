#pragma once
// The game's millisecond tick count from the page's clock: whole
// milliseconds of performance.now(), wrapping at 2^32 as the desktop clocks
// do. Free of any browser header so the wrap can be tested anywhere.
#include <cmath>
#include <cstdint>

inline uint32_t tickCountOf(double milliseconds) {
    if (!(milliseconds >= 0) || !std::isfinite(milliseconds)) return 0;
    return static_cast<uint32_t>(std::fmod(std::floor(milliseconds), 4294967296.0));
}
