#include "tools/text_bake/message_lines.h"

#include <cstdio>

#include "game/message_texts.h"

std::vector<MessageLine> messageLines() {
    // Counts of the game (a border line of 30, 25 more a stage) and numbers
    // beyond any it reaches, with every digit and a minus sign among them.
    static const int kNumbers[] = {0, 7, 25, 30, 55, 99, 100, 1234567890, -1234567890};
    std::vector<MessageLine> lines;
    for (size_t i = 0; i < kMessageRowCount; ++i) {
        const MessageRow& row = kMessageRows[i];
        if (!row.value) {
            lines.push_back({row.text, row.height});
            continue;
        }
        for (const int number : kNumbers) {
            // Formatted as game/messages.cpp formats it.
            char text[80];
            std::snprintf(text, sizeof text, row.text, number);
            lines.push_back({text, row.height});
        }
    }
    return lines;
}
