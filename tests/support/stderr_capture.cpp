// What a piece of the game writes to stderr, through GoogleTest's capture,
// which points file descriptor 2 at a file for the time of the run. (Under
// node, see stderr_capture_node.cpp.)
#include "tests/support/test_support.h"

std::string stderrOf(const std::function<void()>& run) {
    ::testing::internal::CaptureStderr();
    run();
    return ::testing::internal::GetCapturedStderr();
}
