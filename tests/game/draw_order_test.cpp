#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/virtual_keys.h"
#include "display/display_setup.h"
#include "game/frame.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tests/support/draw_record.h"
#include "tests/support/test_support.h"

namespace {

using Ops = std::vector<std::string>;

Ops operator+(Ops a, const Ops& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The cursor stays at (320, 240), so the swatter is drawn at (304, 224).
const std::string kSwatter = "swatter 0 at 304,224";
const Ops kTitleTexts = {"text 気分爽快はえたたきゲーム＜ぬむぬむ＞ at 176,170 colour 255,255,255 height 16",
                         "text クリックすると始まるよ！！ at 224,300 colour 0,0,255 height 16"};
Ops announcementTexts(int borderLine) {
    return {"text ボーダーライン " + std::to_string(borderLine) + " 匹 at 264,170 colour 255,255,255 height 16",
            "text 水色のゲージを超すまではえを殺害せよ！！ at 168,190 colour 255,255,255 height 16"};
}
const Ops kStartText = {"text ＳＴＡＲＴ！！ at 190,200 colour 255,255,255 height 64"};
const Ops kFailureText = {"text はえの増加に耐えられなかった！ at 200,170 colour 255,0,0 height 16"};
Ops stageClearTexts(int kills) {
    return {"text ボーダーラインクリア！！ at 232,170 colour 255,255,255 height 16",
            "text 滅数 " + std::to_string(kills) + " 匹 at 320,200 colour 255,255,255 height 16"};
}

// The status-bar forms, with the width of each bar.
Ops titleBars(int border, int best) {
    return {"bar border-line " + std::to_string(border), "bar best " + std::to_string(best)};
}
Ops announcementBars(int border, int best, int kill) {
    return titleBars(border, best) + Ops{"bar kill " + std::to_string(kill)};
}
Ops startBars(int border, int best, int kill) {
    return {"bar best " + std::to_string(best), "bar kill " + std::to_string(kill),
            "bar border-line " + std::to_string(border)};
}
Ops fullBars(int gauge, int border, int best, int kill) {
    return Ops{"bar gauge " + std::to_string(gauge)} + startBars(border, best, kill);
}

// One call of the frame: what it must draw, in order.
struct Call {
    bool click;
    Ops ops;
};

struct Case {
    const char* name;
    std::function<void()> setUp;  // puts the world where the case starts
    std::vector<Call> calls;
};

void stillFly(int i, float x, float y) {
    world.flyX[i] = x;
    world.flyY[i] = y;
    world.flySpeed[i] = 0.0f;
}

const Case kCases[] = {
    {"title -> announcement in one call, no second background",
     [] {},
     {{true, Ops{"background", "flies", kSwatter} + kTitleTexts + titleBars(31, 21) + Ops{"flip", "flies", kSwatter} +
                 announcementTexts(30) + announcementBars(31, 21, 1) + Ops{"flip"}}}},
    {"announcement -> start",
     [] {
         world.gameState = kPhaseAnnouncement;
         world.stateTimer = 55;
     },
     {{false, Ops{"background", "flies", kSwatter} + announcementTexts(30) + announcementBars(31, 21, 1) +
                  Ops{"flip", "flies", kSwatter} + kStartText + startBars(31, 21, 1) + Ops{"flip"}}}},
    {"start -> play",
     [] {
         world.gameState = kPhaseStart;
         world.stateTimer = 12;
     },
     {{false, Ops{"background", "flies", kSwatter} + kStartText + startBars(31, 21, 1) +
                  Ops{"flip", "flies", kSwatter} + fullBars(1, 31, 21, 1) + Ops{"flip"}}}},
    // Fly 0 sits under the cursor at the hitting step of a swing: the flies are
    // drawn first, then the swing hits it and its splat shows at once.
    {"play: flies, swing, splats, swatter",
     [] {
         world.gameState = kPhasePlay;
         world.swingStep = 3;
         stillFly(0, 312.0f, 232.0f);
         stillFly(1, 500.0f, 100.0f);
     },
     {{false, Ops{"background", "flies", "splat 1 at 304,224", "swatter 1 at 304,224"} + fullBars(1, 31, 21, 2) +
                  Ops{"flip"}}}},
    {"play at the strike of a swing: swatter picture 2",
     [] {
         world.gameState = kPhasePlay;
         world.swingStep = 5;
     },
     {{false, Ops{"background", "flies", "swatter 2 at 304,224"} + fullBars(1, 31, 21, 1) + Ops{"flip"}}}},
    {"play -> result on failure",
     [] {
         world.gameState = kPhasePlay;
         world.gauge = 191.0f;
         world.killCount = 29;
     },
     {{false, Ops{"background", "flies", kSwatter} + fullBars(192, 31, 21, 30) + Ops{"flip", "flies", kSwatter} +
                  kFailureText + fullBars(192, 31, 21, 30) + Ops{"flip"}}}},
    // The result block draws nothing of its own on success. Fly 0 at x 4.5
    // becomes a splat at trunc(4.5 - 8.0) = -3, drawn cut to the field's edge.
    {"play -> result -> stage clear on success",
     [] {
         world.gameState = kPhasePlay;
         world.gauge = 191.0f;
         world.killCount = 30;
         stillFly(0, 4.5f, 100.0f);
         stillFly(1, 200.25f, 300.75f);
     },
     {{false,
       Ops{"background", "flies", kSwatter} + fullBars(192, 31, 21, 31) +
           Ops{"flip", "flies", kSwatter, "flies", "sprite [35,64,64,96] at 0,92", "splat 1 at 192,292", kSwatter} +
           stageClearTexts(30) + fullBars(192, 31, 21, 31) + Ops{"flip"}}}},
    {"result -> title after the 71st failure run",
     [] {
         world.gameState = kPhaseResult;
         world.stateTimer = 70;
         world.gauge = 191.0f;
         world.killCount = 12;
     },
     {{false, Ops{"background", "flies", kSwatter} + kFailureText + fullBars(1, 31, 21, 1) + Ops{"flip"}},
      {false, Ops{"background", "flies", kSwatter} + kTitleTexts + titleBars(31, 21) + Ops{"flip"}}}},
    {"stage clear -> announcement after the 51st run",
     [] {
         world.gameState = kPhaseStageClear;
         world.stateTimer = 50;
         world.gauge = 191.0f;
         world.killCount = 30;
     },
     {{false, Ops{"background", "flies", kSwatter} + stageClearTexts(30) + fullBars(192, 31, 21, 31) + Ops{"flip"}},
      {false,
       Ops{"background", "flies", kSwatter} + announcementTexts(55) + announcementBars(56, 21, 31) + Ops{"flip"}}}},
};

// Lists of operations compared line by line; the lines are printed as they
// are, so that the Japanese of a text can be read.
void expectOps(const Ops& got, const Ops& want, const std::string& where) {
    EXPECT_EQ(got.size(), want.size()) << where << ": number of operations";
    for (size_t i = 0; i < want.size() && i < got.size(); ++i)
        EXPECT_TRUE(got[i] == want[i]) << where << ", operation " << i + 1 << "\n  got:  " << got[i]
                                       << "\n  want: " << want[i];
}

class DrawOrder : public DisplayTest {
protected:
    void SetUp() override { fresh(); }
    // The game as display setup leaves it, the clock read once by a first call.
    void fresh() {
        releaseTestDisplay();
        makeGameScreen();
        headlessHost.tick = 5000;
        headlessHost.cursor = {320, 240};
        runFrame();
    }
    // One call a frame interval on, with the button down or up.
    void call(bool click) {
        headlessHost.tick += world.frameInterval;
        headlessSetKey(VK_LBUTTON, click);
        runFrame();
    }
};

TEST_F(DrawOrder, EachPhaseAndTransitionDrawsInItsOrderAndFlipsOncePerBlock) {
    for (const Case& c : kCases) {
        fresh();
        c.setUp();
        for (size_t k = 0; k < c.calls.size(); ++k) {
            DrawRecord record;
            const int presents = headlessHost.presentCount;
            call(c.calls[k].click);
            const Ops& want = c.calls[k].ops;
            const std::string where = std::string("case: ") + c.name + ", call " + std::to_string(k + 1);
            expectOps(record.take(), want, where);
            EXPECT_EQ(headlessHost.presentCount - presents, std::count(want.begin(), want.end(), "flip"))
                << where << ": pictures shown";
        }
    }
}

}  // namespace
