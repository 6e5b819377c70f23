#include "game/run_record.h"

#include <cstring>
#include <string>

#include "base/host.h"
#include "base/virtual_keys.h"
#include "game/world.h"

namespace {

constexpr uint32_t kFlushEveryMs = 1000;
constexpr int32_t kBorderLineStep = 25;  // what a cleared stage adds to the border line
constexpr size_t kBufferBytes = 8192;

struct Recording {
    bool on = false;
    bool failed = false;
    RunSink sink = nullptr;
    void* user = nullptr;
    char buffer[kBufferBytes] = {};
    size_t used = 0;
    bool flushTickSet = false;
    uint32_t flushTick = 0;  // first clock reading of the call after the last flush
    uint64_t written = 0;    // bytes handed to the sink
    RunEnd summary;
    // The last call, held back while the calls after it are alike: one line
    // with a count stands for them. A window's pump polls a shut frame gate
    // hundreds of times a second.
    RunCall pending;
    bool havePending = false;
    bool pendingShut = false;  // its gate stayed shut (it read no cursor)
    bool firstCallDone = false;
};

Recording recording;
const RunCall* played = nullptr;
bool cursorRead = false;  // the call under way got past the gate

// The call under way: its readings so far. Cursor and keys keep the last
// values read, so that a call with a shut gate repeats them.
RunCall current;
int readings = 0;

void append(const std::string& text);

void writePending() {
    if (!recording.havePending) return;
    recording.havePending = false;
    append(formatRunCall(recording.pending));
}

void flushBuffer() {
    if (recording.used == 0) return;
    if (!recording.sink(recording.buffer, recording.used, recording.user)) recording.failed = true;
    recording.written += recording.used;
    recording.used = 0;
}

void append(const std::string& text) {
    if (recording.used + text.size() > kBufferBytes) flushBuffer();
    if (text.size() > kBufferBytes) return;  // never: a line is far shorter
    std::memcpy(recording.buffer + recording.used, text.data(), text.size());
    recording.used += text.size();
}

void noteProgress() {
    const int32_t stage = (world.borderLine - kStartBorderLine) / kBorderLineStep + 1;
    if (stage > recording.summary.stage) recording.summary.stage = stage;
    if (world.killCount > recording.summary.kills) recording.summary.kills = world.killCount;
}

}  // namespace

void startRunRecording(const RunHeader& header, RunSink sink, void* user) {
    recording = Recording{};
    recording.on = true;
    recording.sink = sink;
    recording.user = user;
    recording.summary = RunEnd{true, 1, 0};
    current = RunCall{};
    append(formatRunHeader(header));
    flushBuffer();
}

void flushRunRecording() {
    if (!recording.on) return;
    writePending();
    flushBuffer();
}

bool stopRunRecording() {
    if (!recording.on) return true;
    writePending();
    append(formatRunEnd(recording.summary));
    flushBuffer();
    recording.on = false;
    return !recording.failed;
}

bool runRecordingOn() { return recording.on; }

RunEnd runRecordingSummary() { return recording.summary; }

void playRunCall(const RunCall* call) { played = call; }

void playLiveInput() { played = nullptr; }

void beginFrameCall() {
    readings = 0;
    cursorRead = false;
}

void endFrameCall() {
    if (!recording.on) return;
    for (int i = readings; i < 3; ++i) current.ticks[i] = readings > 0 ? current.ticks[readings - 1] : 0;
    RunCall& p = recording.pending;
    // Shut gates after the first call change nothing but the count of calls:
    // a run of them replays alike with the first one's clock reading, which
    // kept the gate shut from the same last frame.
    const bool shut = !cursorRead && recording.firstCallDone;
    recording.firstCallDone = true;
    const bool alike = p.ticks[0] == current.ticks[0] && p.ticks[1] == current.ticks[1] &&
                       p.ticks[2] == current.ticks[2] && p.x == current.x && p.y == current.y && p.keys == current.keys;
    if (recording.havePending && p.repeat < UINT32_MAX && (shut ? recording.pendingShut : alike)) {
        ++p.repeat;
    } else {
        // A recording stops short of what a run file may hold, its end line included.
        if (recording.written + recording.used + 2 * kMaxRunLineBytes > kMaxRunFileBytes) {
            stopRunRecording();
            return;
        }
        writePending();
        p = current;
        p.repeat = 1;
        recording.havePending = true;
        recording.pendingShut = shut;
    }
    noteProgress();
    if (!recording.flushTickSet) {
        recording.flushTickSet = true;
        recording.flushTick = current.ticks[0];
    } else if (current.ticks[0] - recording.flushTick >= kFlushEveryMs) {
        writePending();
        flushBuffer();
        recording.flushTick = current.ticks[0];
    }
}

uint32_t frameTickCount() {
    const uint32_t now = played ? played->ticks[readings < 3 ? readings : 2] : hostTickCount();
    if (readings < 3) current.ticks[readings] = now;
    ++readings;
    return now;
}

Point frameCursorPos() {
    const Point at = played ? Point{played->x, played->y} : hostCursorPos();
    cursorRead = true;
    current.x = at.x;
    current.y = at.y;
    return at;
}

void frameKeyboardState(uint8_t keyState[256]) {
    if (played) {
        std::memset(keyState, 0, 256);
        if (played->keys & kRunKeyLeftButton) keyState[VK_LBUTTON] = 0x80;
        if (played->keys & kRunKeyUp) keyState[VK_UP] = 0x80;
        if (played->keys & kRunKeyDown) keyState[VK_DOWN] = 0x80;
    } else {
        hostKeyboardState(keyState);
    }
    // A key counts as down by the frame's own test (byte & 0xF0).
    current.keys = static_cast<uint8_t>(((keyState[VK_LBUTTON] & 0xF0) ? kRunKeyLeftButton : 0) |
                                        ((keyState[VK_UP] & 0xF0) ? kRunKeyUp : 0) |
                                        ((keyState[VK_DOWN] & 0xF0) ? kRunKeyDown : 0));
}
