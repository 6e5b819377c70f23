#include "tools/artgen/sprite_text.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "tools/artgen/palette.h"

namespace {

std::string trimRight(const std::string& s) {
    size_t end = s.find_last_not_of(" \t\r");
    return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

bool parseColour(std::istringstream& words, uint8_t* index) {
    std::string name;
    if (!(words >> name)) return false;
    if (name == "clear") *index = kClear;
    else if (name == "white") *index = kWhite;
    else if (name == "red") *index = pureRed();
    else if (name == "blue") *index = pureBlue();
    else {
        Ramp ramp;
        int step = -1;
        if (!rampByName(name, &ramp) || !(words >> step)) return false;
        if (step < 0 || step >= rampInfo(ramp).steps) return false;
        *index = rampIndex(ramp, step);
    }
    std::string extra;
    return !(words >> extra);
}

}  // namespace

bool loadSpriteText(const std::string& path, int32_t width, int32_t height, SpriteText* out, std::string* error) {
    std::ifstream file(path);
    if (!file) {
        *error = path + ": cannot open (is the assets folder complete?)";
        return false;
    }
    int legend[256];
    std::fill(std::begin(legend), std::end(legend), -1);
    SpriteText result;
    std::string line;
    int lineNo = 0;
    bool inColours = false;
    int frame = -1;
    int row = 0;
    auto fail = [&](const std::string& why) {
        *error = path + ":" + std::to_string(lineNo) + ": " + why;
        return false;
    };
    while (std::getline(file, line)) {
        ++lineNo;
        line = trimRight(line);
        if (frame >= 0 && row < height) {
            if (static_cast<int32_t>(line.size()) != width)
                return fail("row must be " + std::to_string(width) + " characters");
            for (int32_t x = 0; x < width; ++x) {
                const int idx = legend[static_cast<unsigned char>(line[static_cast<size_t>(x)])];
                if (idx < 0)
                    return fail(std::string("character '") + line[static_cast<size_t>(x)] + "' is not in the colours");
                result.frames[frame].set(x, row, static_cast<uint8_t>(idx));
            }
            ++row;
            continue;
        }
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (inColours) {
            if (word == "end") {
                inColours = false;
                continue;
            }
            if (word.size() != 1) return fail("a colour key is one character");
            uint8_t index = 0;
            if (!parseColour(words, &index)) return fail("expected: clear, white, red, blue or <ramp> <step>");
            legend[static_cast<unsigned char>(word[0])] = index;
        } else if (word == "colours") {
            inColours = true;
        } else if (word == "frame") {
            if (!(words >> frame) || frame < 0 || result.frames.count(frame))
                return fail("expected a new frame number");
            result.frames[frame] = IndexedImage(width, height);
            row = 0;
        } else {
            return fail("unexpected '" + word + "'");
        }
    }
    if (frame >= 0 && row < height) {
        ++lineNo;
        return fail("frame " + std::to_string(frame) + " has only " + std::to_string(row) + " rows");
    }
    *out = std::move(result);
    return true;
}
