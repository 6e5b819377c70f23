#include "platform/linux/text_warm_up.h"

#include <system_error>
#include <thread>

#include "platform/linux/font_face.h"

namespace {
std::thread warmUp;
}

void startTextWarmUp() {
    if (warmUp.joinable()) return;
    try {
        warmUp = std::thread([] { textFace(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first line of text looks the font up.
    }
}

void finishTextWarmUp() {
    if (warmUp.joinable()) warmUp.join();
}
