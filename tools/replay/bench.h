#pragma once
// Measures the cost of a frame: composing it on the back buffer, and turning
// the shown 8-bit picture into 32-bit pixels, beside one plain copy of a
// 640 x 480 x 4-byte picture as the floor.
#include <cstdint>
#include <ostream>

struct BenchResult {
    uint64_t frames = 0;
    double framesPerSecond = 0.0;  // composing and converting, back to back
    double composeMedianUs = 0.0;
    double convertMedianUs = 0.0;
    double copyMedianUs = 0.0;  // the floor
};

// Runs `frames` autoplay calls with the gate always open. Display setup must
// have been done.
BenchResult runBench(uint64_t frames);
void printBench(const BenchResult& result, std::ostream& out);
