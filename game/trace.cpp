#include "game/trace.h"

#include <charconv>
#include <string_view>
#include <type_traits>

#include "game/shortest_float.h"

namespace {

void appendInt(std::string* out, int64_t value) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out->append(buf, res.ptr);
}

void key(std::string* out, const char* name) {
    out->append(",\"");
    out->append(name);
    out->append("\":");
}

void intField(std::string* out, const char* name, int64_t value) {
    key(out, name);
    appendInt(out, value);
}

void floatField(std::string* out, const char* name, float value) {
    key(out, name);
    appendFloat(out, value);
}

// Every 30-slot array of the world, integers or floats alike.
template <typename T>
void slotArray(std::string* out, const char* name, const T (&values)[kFlySlots]) {
    key(out, name);
    out->push_back('[');
    for (int i = 0; i < kFlySlots; ++i) {
        if (i) out->push_back(',');
        if constexpr (std::is_floating_point_v<T>) {
            appendFloat(out, values[i]);
        } else {
            appendInt(out, values[i]);
        }
    }
    out->push_back(']');
}

}  // namespace

static_assert(kFlySlots == kSplatSlots, "trace arrays share one length");

void appendFloat(std::string* out, float value) {
    char buf[kShortestFloatChars];
    // Shortest round-trip form for float (not double), so 0.22f prints as 0.22.
    const std::string_view text(buf, formatShortestFloat(value, buf));
    out->append(text);
    // Keep floats recognisable as floats to readers that type JSON numbers.
    if (text.find_first_of(".en") == std::string_view::npos) out->append(".0");
}

void appendTraceLine(std::string* out, uint64_t call, int flips, const GameWorld& w) {
    out->append("{\"call\":");
    appendInt(out, static_cast<int64_t>(call));
    intField(out, "flips", flips);
    intField(out, "gameState", w.gameState);
    intField(out, "stateTimer", w.stateTimer);
    intField(out, "flyLevel", w.flyLevel);
    intField(out, "killCount", w.killCount);
    intField(out, "borderLine", w.borderLine);
    intField(out, "bestKills", w.bestKills);
    floatField(out, "gauge", w.gauge);
    floatField(out, "gaugeRate", w.gaugeRate);
    intField(out, "frameInterval", w.frameInterval);
    intField(out, "lastFrameTick", w.lastFrameTick);
    intField(out, "swingStep", w.swingStep);
    intField(out, "swatterFrame", w.swatterFrame);
    intField(out, "buttonLatch", w.buttonLatch);
    intField(out, "splatsActive", w.splatsActive);
    intField(out, "wingFrame", w.wingFrame);
    key(out, "cursorPos");
    out->push_back('[');
    appendInt(out, w.cursorPos.x);
    out->push_back(',');
    appendInt(out, w.cursorPos.y);
    out->push_back(']');
    slotArray(out, "flyX", w.flyX);
    slotArray(out, "flyY", w.flyY);
    slotArray(out, "flyHeading", w.flyHeading);
    slotArray(out, "flySpeed", w.flySpeed);
    slotArray(out, "splatTimer", w.splatTimer);
    slotArray(out, "splatX", w.splatX);
    slotArray(out, "splatY", w.splatY);
    out->append("}\n");
}
