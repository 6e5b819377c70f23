#include "tools/replay/script.h"

#include <charconv>

#include "base/virtual_keys.h"
#include "platform/headless/headless_host.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Splits on runs of whitespace; at most `max` + 1 fields are kept so that a
// line with too many of them is still recognised as such.
int splitFields(std::string_view line, std::string_view* fields, int max) {
    int n = 0;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSpace(line[i])) ++i;
        if (i == line.size()) break;
        const size_t start = i;
        while (i < line.size() && !isSpace(line[i])) ++i;
        if (n <= max) fields[n] = line.substr(start, i - start);
        ++n;
    }
    return n;
}

// Whole-field decimal numbers only: from_chars alone would accept "12abc".
template <typename T>
bool parseWhole(std::string_view text, T* out) {
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);  // from_chars takes no plus sign
    if (text.empty() || text.front() == '+') return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, *out, 10);
    return ec == std::errc{} && ptr == end;
}

bool parseKeys(std::string_view text, uint8_t* out) {
    if (text == "-") {
        *out = 0;
        return true;
    }
    uint8_t keys = 0;
    for (const char c : text) {
        const uint8_t bit = c == 'L' ? kInputLeftButton : c == 'U' ? kInputUp : c == 'D' ? kInputDown : 0;
        if (bit == 0 || (keys & bit) != 0) return false;  // unknown or repeated letter
        keys |= bit;
    }
    *out = keys;
    return true;
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

bool parseScriptLine(std::string_view line, CallInput* out, std::string* error) {
    error->clear();
    size_t first = 0;
    while (first < line.size() && isSpace(line[first])) ++first;
    if (first == line.size() || line[first] == '#') return false;

    std::string_view fields[5];
    const int n = splitFields(line, fields, 4);
    if (n != 4) {
        *error = "expected 4 fields TICK X Y KEYS, found " + std::to_string(n);
        return false;
    }
    CallInput input;
    if (fields[0].front() == '-' || !parseWhole(fields[0], &input.tick)) {
        *error = "TICK " + quoted(fields[0]) + " is not an unsigned 32-bit decimal number";
        return false;
    }
    if (!parseWhole(fields[1], &input.x)) {
        *error = "X " + quoted(fields[1]) + " is not a signed 32-bit decimal number";
        return false;
    }
    if (!parseWhole(fields[2], &input.y)) {
        *error = "Y " + quoted(fields[2]) + " is not a signed 32-bit decimal number";
        return false;
    }
    if (!parseKeys(fields[3], &input.keys)) {
        *error = "KEYS " + quoted(fields[3]) + " is not '-' or a set of the letters L, U, D";
        return false;
    }
    *out = input;
    return true;
}

bool parseScript(std::istream& in, std::vector<CallInput>* calls, std::string* error) {
    std::string line;
    long lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        CallInput input;
        if (parseScriptLine(line, &input, error)) {
            calls->push_back(input);
        } else if (!error->empty()) {
            *error = "line " + std::to_string(lineNumber) + ": " + *error;
            return false;
        }
    }
    if (in.bad()) {
        *error = "read error after line " + std::to_string(lineNumber);
        return false;
    }
    return true;
}

std::string formatScriptLine(const CallInput& input) {
    std::string line = std::to_string(input.tick) + " " + std::to_string(input.x) + " " + std::to_string(input.y) + " ";
    if (input.keys & kInputLeftButton) line += 'L';
    if (input.keys & kInputUp) line += 'U';
    if (input.keys & kInputDown) line += 'D';
    if ((input.keys & (kInputLeftButton | kInputUp | kInputDown)) == 0) line += '-';
    line += '\n';
    return line;
}

void applyCallInput(const CallInput& input) {
    headlessHost.tick = input.tick;
    headlessHost.tickStep = 0;
    headlessHost.cursor = Point{input.x, input.y};
    headlessSetKey(VK_LBUTTON, (input.keys & kInputLeftButton) != 0);
    headlessSetKey(VK_UP, (input.keys & kInputUp) != 0);
    headlessSetKey(VK_DOWN, (input.keys & kInputDown) != 0);
}
