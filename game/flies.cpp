#include "game/flies.h"

#include <algorithm>

#include "display/blit_sprite.h"
#include "game/heading_trig.h"
#include "game/world.h"

namespace {

constexpr float kSpeedUnit = 0.01f;  // exactly 0.00999999977648258209228515625

// Play-field bounds a fly may reach before it counts as gone; equal stays in.
constexpr double kLeaveLeft = -16.0;
constexpr double kLeaveRight = kScreenWidth;
constexpr float kLeaveTop = -16.0f;
constexpr float kLeaveBottom = kPlayFieldHeight;

}  // namespace

int32_t nmnm::rand() {
    world.randState = world.randState * 214013u + 2531011u;
    return static_cast<int32_t>((world.randState >> 16) & 0x7FFFu);
}

void respawnFly(int8_t index) {
    if (index < 0 || index >= kFlySlots) return;
    const int edge = nmnm::rand() % 4;
    // Position first, then heading: each is one further draw, in this order.
    switch (edge) {
        case 0:  // left
            world.flyX[index] = 0.0f;
            world.flyY[index] = static_cast<float>(nmnm::rand() % kPlayFieldHeight);
            world.flyHeading[index] = 90 - nmnm::rand() % 180;
            break;
        case 1:  // right
            world.flyX[index] = static_cast<float>(kScreenWidth);
            world.flyY[index] = static_cast<float>(nmnm::rand() % kPlayFieldHeight);
            world.flyHeading[index] = nmnm::rand() % 180 + 90;
            break;
        case 2:  // top
            world.flyX[index] = static_cast<float>(nmnm::rand() % kScreenWidth);
            world.flyY[index] = 0.0f;
            world.flyHeading[index] = nmnm::rand() % 180;
            break;
        default:  // bottom
            world.flyX[index] = static_cast<float>(nmnm::rand() % kScreenWidth);
            world.flyY[index] = static_cast<float>(kPlayFieldHeight);
            world.flyHeading[index] = nmnm::rand() % 180 + 180;
            break;
    }
    const int32_t n = nmnm::rand() % 400 + 300;
    // n (at most 10 bits) times a 24-bit float is exact in double, so this is
    // the single rounding of the true product, as a float multiply gives.
    // KEPT QUIRK: the product, not the float nearest n / 100.
    world.flySpeed[index] = static_cast<float>(static_cast<double>(n) * static_cast<double>(kSpeedUnit));
}

void placeStartFlies() {
    respawnFly(0);
    respawnFly(1);
}

void moveAndDrawFlies() {
    world.wingFrame = static_cast<int8_t>(1 - world.wingFrame);
    const int last = std::min<int>(world.flyLevel, kFlySlots - 1);
    for (int i = 0; i <= last; ++i) {
        // The table, not the platform's cos and sin: the same paths everywhere.
        const HeadingTrig trig = headingTrig(world.flyHeading[i]);
        const double speed = static_cast<double>(world.flySpeed[i]);
        const double nx = static_cast<double>(world.flyX[i]) + speed * trig.cos;
        const double ny = static_cast<double>(world.flyY[i]) + speed * trig.sin;
        world.flyX[i] = static_cast<float>(nx);
        world.flyY[i] = static_cast<float>(ny);
        // KEPT QUIRK: x is tested before rounding, y after: a fly sliding along
        // the bottom edge at heading 180 stays in flight only because of this.
        if (nx < kLeaveLeft || nx > kLeaveRight || world.flyY[i] < kLeaveTop || world.flyY[i] > kLeaveBottom)
            respawnFly(static_cast<int8_t>(i));
        const Rect& cell = world.flyRects[world.wingFrame & 1];
        blitSprite(static_cast<int32_t>(world.flyX[i]), static_cast<int32_t>(world.flyY[i]), cell.left, cell.top,
                   cell.right, cell.bottom);
    }
}
