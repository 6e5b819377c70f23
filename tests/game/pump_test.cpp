// The one pump step every program entry uses, driven through the headless
// host's window: when frames run, when the pump waits, when the run ends.
#include <gtest/gtest.h>

#include "base/virtual_keys.h"
#include "base/window.h"
#include "game/pump.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tests/support/test_support.h"

namespace {

class Pump : public DisplayTest {
protected:
    void SetUp() override {
        makeGameScreen();
        headlessHost.tick = 5000;
    }
};

TEST_F(Pump, AnInactiveWindowRunsNoFrameAndWaitsThenFramesResumeUnchanged) {
    headlessHost.windowActive = false;
    EXPECT_EQ(pumpStep().next, PumpNext::WaitForEvent) << "inactive window";
    EXPECT_FALSE(world.lastFrameTickSet) << "no frame call while inactive";
    EXPECT_EQ(world.appActive, 0) << "appActive follows the window";
    headlessHost.windowActive = true;
    pumpStep();  // the first frame call only reads the clock
    headlessHost.tick += 12;
    const PumpStep step = pumpStep();
    EXPECT_EQ(step.next, PumpNext::RunAfter) << "active window";
    EXPECT_EQ(step.ms, 18u) << "30 ms interval, 12 ms gone";
    EXPECT_EQ(world.appActive, 1) << "appActive follows the window";
    headlessHost.tick += 18;
    const int before = headlessHost.presentCount;
    pumpStep();
    EXPECT_EQ(headlessHost.presentCount, before + 1) << "the title frame flips once";
}

TEST_F(Pump, AClosedWindowOrEscapeAsAKeyDownNoticeEndsTheRun) {
    headlessHost.windowActive = false;
    headlessHost.endRequested = true;
    EXPECT_EQ(pumpStep().next, PumpNext::End) << "window closed while inactive";
    headlessHost.windowActive = true;
    headlessHost.endRequested = false;
    inputKeyPressed(headlessHost.keyDowns, VK_UP);
    EXPECT_EQ(pumpStep().next, PumpNext::RunAfter) << "another key";
    inputKeyPressed(headlessHost.keyDowns, VK_UP);
    inputKeyPressed(headlessHost.keyDowns, VK_ESCAPE);
    EXPECT_EQ(pumpStep().next, PumpNext::End) << "Esc behind another key";
}

TEST(StartUpSteps, TheFadeTakesOneStepPerCallAndPlacesTheFliesAtTheEnd) {
    releaseTestDisplay();
    resetWorld();
    resetHeadless();
    ASSERT_EQ(beginStartUp(), 1) << "display objects on the headless host";
    int calls = 1;
    const int presentsBefore = headlessHost.presentCount;
    while (!takeStartUpStep()) ++calls;
    EXPECT_EQ(calls, 256) << "one call per fade level";
    EXPECT_EQ(headlessHost.presentCount - presentsBefore, 256) << "each step shows its colours";
    EXPECT_NE(world.flySpeed[0], 0.0f) << "fly 0 placed after the last step";
    EXPECT_TRUE(takeStartUpStep()) << "a call after the end does nothing";
    releaseTestDisplay();
}

}  // namespace
