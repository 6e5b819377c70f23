#pragma once
#include <cstdint>

#include "base/geometry.h"

constexpr int kFlySlots = 30;
constexpr int kSplatSlots = 30;

// Start values that a lost game puts back as well.
constexpr int8_t kStartFlyLevel = 1;
constexpr int32_t kStartBorderLine = 30;
constexpr float kStartGaugeRate = 0.22f;  // single precision: 0.2199999988079071

// Phases of the game, the values of gameState.
enum : uint8_t {
    kPhaseTitle = 0,
    kPhaseAnnouncement = 1,
    kPhaseStart = 2,
    kPhasePlay = 3,
    kPhaseResult = 4,
    kPhaseStageClear = 5,
};

// The one record of the game's state. It exists once for the whole run; every
// rule reads and writes these fields directly. The member initialisers are the
// start values of a run.
struct GameWorld {
    // Game progress.
    uint8_t gameState = kPhaseTitle;
    int32_t stateTimer = 0;
    int8_t flyLevel = kStartFlyLevel;
    int32_t killCount = 0;
    int32_t borderLine = kStartBorderLine;
    int32_t bestKills = 20;
    float gauge = 0.0f;
    float gaugeRate = kStartGaugeRate;

    // Timing and input.
    uint8_t frameInterval = 30;
    uint32_t lastFrameTick = 0;
    bool lastFrameTickSet = false;  // the first frame call has read the clock
    int32_t appActive = 0;
    Point cursorPos = {0, 0};
    uint8_t buttonLatch = 0;
    uint8_t keyState[256] = {};
    char textBuffer[80] = {};

    // Swatter.
    int8_t swingStep = 0;
    int8_t swatterFrame = 0;

    // Flies.
    float flyX[kFlySlots] = {};
    float flyY[kFlySlots] = {};
    int32_t flyHeading[kFlySlots] = {};
    float flySpeed[kFlySlots] = {};
    int8_t wingFrame = 0;
    uint32_t randState = 1;  // the game's own generator, never seeded

    // Splats.
    int32_t splatTimer[kSplatSlots] = {};
    int32_t splatX[kSplatSlots] = {};
    int32_t splatY[kSplatSlots] = {};
    int32_t splatsActive = 0;

    // Sprite sheet cells, filled once by initSpriteRects.
    Rect flyRects[2] = {};
    Rect swatterRects[3] = {};
    Rect splatRects[8] = {};
};

extern GameWorld world;

// Puts every field back to its start value (a new run; tests use it).
void resetWorld();
