#pragma once
// The replay script: one line per call of the frame function, giving what the
// clock, the mouse and the keys read during that call.
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// Key bits of one call's input.
constexpr uint8_t kInputLeftButton = 1;
constexpr uint8_t kInputUp = 2;
constexpr uint8_t kInputDown = 4;

struct CallInput {
    uint32_t tick = 0;  // every tick-count reading in the call returns this
    int32_t x = 0;      // cursor, used as given
    int32_t y = 0;
    uint8_t keys = 0;  // kInput* bits
};

// Reads one line. Returns false for a blank or comment line (nothing stored,
// `error` left empty) and for a malformed line (`error` says what is wrong).
bool parseScriptLine(std::string_view line, CallInput* out, std::string* error);

// Reads a whole script. On a malformed line returns false with `error` naming
// the line number (1-based, counting every line of the file) and the fault.
bool parseScript(std::istream& in, std::vector<CallInput>* calls, std::string* error);

// One script line (with its newline) that reads back as `input`.
std::string formatScriptLine(const CallInput& input);

// Hands the input of one call to the headless host.
void applyCallInput(const CallInput& input);
