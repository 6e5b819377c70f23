#include "tools/replay/bench.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "display/display_objects.h"
#include "game/frame.h"
#include "game/run_record.h"
#include "game/world.h"
#include "platform/common/picture_convert.h"
#include "platform/headless/headless_host.h"
#include "tools/replay/autoplay.h"

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

double median(std::vector<double>& values) {
    if (values.empty()) return 0.0;
    const size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid), values.end());
    return values[mid];
}

// Keeps the compiler from dropping a copy whose result nobody reads.
void touch(void* p) { asm volatile("" : : "r"(p) : "memory"); }

}  // namespace

BenchResult runBench(uint64_t frames) {
    constexpr int32_t kWidth = 640, kHeight = 480;
    std::vector<uint32_t> rgb(static_cast<size_t>(kWidth) * kHeight);
    // The floor copies between buffers of its own, so that it does not get
    // the conversion's freshly written output in the cache for free.
    std::vector<uint32_t> copyFrom(rgb.size(), 0xFF204060u), copyTo(rgb.size());
    std::vector<double> compose, convert, floorCopy;
    compose.reserve(frames);
    convert.reserve(frames);
    floorCopy.reserve(frames);

    // Presentation does nothing here: only the game's own work is timed.
    headlessHost.onPresent = nullptr;
    AutoplayPlayer player;
    // The very first call only starts the clock; every later one draws.
    RunCall input = autoplayNext(player, world);
    playRunCall(&input);
    runFrame();
    Clock::duration total{};
    for (uint64_t i = 0; i < frames; ++i) {
        input = autoplayNext(player, world);
        const auto t0 = Clock::now();
        runFrame();
        const auto t1 = Clock::now();
        const Surface& shown = *displayObjects.primarySurface;
        if (shown.palette && shown.width <= kWidth && shown.height <= kHeight)
            convertPicture(IndexedPicture{shown.pixels.data(), shown.pitch, shown.width, shown.height,
                                          shown.palette->entries},
                           PixelOrder::Xrgb32, rgb.data(), kWidth);
        touch(rgb.data());
        const auto t2 = Clock::now();
        std::memcpy(copyTo.data(), copyFrom.data(), copyTo.size() * sizeof(uint32_t));
        touch(copyTo.data());
        const auto t3 = Clock::now();

        compose.push_back(microseconds(t1 - t0));
        convert.push_back(microseconds(t2 - t1));
        floorCopy.push_back(microseconds(t3 - t2));
        total += t2 - t0;
    }

    BenchResult r;
    r.frames = frames;
    const double seconds = std::chrono::duration<double>(total).count();
    r.framesPerSecond = seconds > 0.0 ? static_cast<double>(frames) / seconds : 0.0;
    r.composeMedianUs = median(compose);
    r.convertMedianUs = median(convert);
    r.copyMedianUs = median(floorCopy);
    playLiveInput();
    return r;
}

void printBench(const BenchResult& r, std::ostream& out) {
    const double work = r.composeMedianUs + r.convertMedianUs;
    out << "frames: " << r.frames << "\n"
        << "frames per second: " << r.framesPerSecond << "\n"
        << "compose median: " << r.composeMedianUs << " us/frame\n"
        << "convert median: " << r.convertMedianUs << " us/frame\n"
        << "memcpy 640x480x4 median (floor): " << r.copyMedianUs << " us\n"
        << "compose+convert / floor: " << (r.copyMedianUs > 0.0 ? work / r.copyMedianUs : 0.0) << "x (target 3x)\n";
}
