#pragma once
// Every line of text the game's messages can put on the screen, at the cell
// height it is drawn at: the fixed lines as they are, and each line with a
// number filled in for numbers that together hold every digit and the sign.
#include <cstdint>
#include <string>
#include <vector>

struct MessageLine {
    std::string text;  // code page 932 bytes
    int32_t height;
};

std::vector<MessageLine> messageLines();
