#include <gtest/gtest.h>

#include "tools/replay/screenshot.h"

TEST(ReplayScript, ScreenshotRequests) {
    ScreenshotRequest shot;
    ASSERT_TRUE(parseScreenshotRequest("12:C:/x.png", &shot));  // only the first colon splits
    EXPECT_EQ(shot.call, 12u) << "case: 12:C:/x.png";
    EXPECT_EQ(shot.path, "C:/x.png") << "case: 12:C:/x.png";
    for (const char* bad : {"title.png", ":a.png", "3:", "-1:a.png", "x:a.png"})
        EXPECT_FALSE(parseScreenshotRequest(bad, &shot)) << bad;
}
