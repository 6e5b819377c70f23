#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/display_objects.h"
#include "game/world.h"
#include "tests/support/test_support.h"
#include "tools/common/zlib_stream.h"
#include "tools/replay/replay.h"
#include "tools/replay/video.h"

namespace {

uint32_t get32(const std::vector<uint8_t>& d, size_t at) {
    return (uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) | (uint32_t{d[at + 2]} << 8) | d[at + 3];
}

}  // namespace

// The animated PNG of --video: the picture enlarged, every frame that ran
// once, each shown until the next frame's clock reading (a long pause
// shortened to a second, the last for the time given), and its first frame
// the screen as it was, each pixel a sharp 3 x 3 square.
TEST(Video, AnimatedPngHoldsEveryFrameForItsTimeWithSharpPixels) {
    makeGameScreen();
    const std::string path = ::testing::TempDir() + "video_test.png";
    VideoWriter video;
    std::string error;
    std::string notice;
    ASSERT_TRUE(videoOpen(video, path, 3, 0, &error, &notice)) << error;
    ReplaySession session;
    std::vector<uint8_t> firstFrame;
    // The first call only starts the clock; 1045 finds the gate shut.
    for (const uint32_t tick : {1000u, 1030u, 1045u, 1060u, 1090u, 5000u, 5030u}) {
        RunCall call;
        call.ticks[0] = call.ticks[1] = call.ticks[2] = tick;
        call.x = 300;
        call.y = 200;
        ASSERT_TRUE(replayCall(session, call)) << session.error;
        if (!session.lastFrameRan) continue;
        ASSERT_TRUE(videoAddFrame(video, world.lastFrameTick)) << "frame at " << tick;
        if (firstFrame.empty()) {
            const Surface* screen = displayObjects.primarySurface;
            enlargeIndices(screen->pixels.data(), screen->width, screen->height, screen->pitch, 1, &firstFrame);
        }
    }
    ASSERT_TRUE(videoClose(video, 30, &error)) << error;

    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 8u) << "the file";
    uint32_t width = 0, height = 0, frameCount = 0;
    std::vector<uint32_t> delays;
    std::vector<uint8_t> firstPixels;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = get32(file, at);
        ASSERT_LE(length, file.size() - at - 12) << "a chunk runs past the end";
        const std::string type(file.begin() + at + 4, file.begin() + at + 8);
        const size_t data = at + 8;
        if (type == "IHDR") {
            width = get32(file, data);
            height = get32(file, data + 4);
        } else if (type == "acTL") {
            frameCount = get32(file, data);
        } else if (type == "fcTL") {
            EXPECT_EQ((file[data + 22] << 8) | file[data + 23], 1000) << "delays in milliseconds";
            delays.push_back((file[data + 20] << 8) | file[data + 21]);
        } else if (type == "IDAT") {
            firstPixels.assign(file.begin() + data, file.begin() + data + length);
        }
        at += 12 + length;
    }
    EXPECT_EQ(width, 1920u) << "enlarged 3 times across";
    EXPECT_EQ(height, 1440u) << "enlarged 3 times down";
    EXPECT_EQ(frameCount, 5u) << "acTL counts the frames that ran";
    EXPECT_EQ(delays, (std::vector<uint32_t>{30, 30, 1000, 30, 30})) << "each frame until the next, a pause shortened";

    std::vector<uint8_t> rows((1920 + 1) * 1440);
    ASSERT_TRUE(zlibUnpack(firstPixels.data(), firstPixels.size(), &rows)) << "the first frame's pixels";
    int wrong = 0;
    for (int y = 0; y < 1440; ++y)
        for (int x = 0; x < 1920; ++x)
            if (rows[static_cast<size_t>(y) * 1921 + 1 + x] != firstFrame[(y / 3) * 640 + x / 3]) ++wrong;
    EXPECT_EQ(wrong, 0) << "the first frame is the screen with 3 x 3 pixels";
    std::remove(path.c_str());
    releaseTestDisplay();
}
