#include "platform/linux/text_warm_up.h"

#include <system_error>
#include <thread>

#include "platform/linux/font_face.h"

namespace {

// Joined at the latest when the program exits, however it exits: a thread
// still running then would abort it.
struct WarmUp {
    std::thread thread;
    ~WarmUp() {
        if (thread.joinable()) thread.join();
    }
};
WarmUp warmUp;

}  // namespace

void startTextWarmUp() {
    if (warmUp.thread.joinable()) return;
    try {
        warmUp.thread = std::thread([] { textFace(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first line of text looks the font up.
    }
}

void finishTextWarmUp() {
    if (warmUp.thread.joinable()) warmUp.thread.join();
}
