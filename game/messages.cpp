#include "game/messages.h"

#include <cstdio>

#include "display/outlined_text.h"
#include "game/message_texts.h"
#include "game/world.h"

void drawPhaseMessages(uint8_t phase) {
    for (size_t i = 0; i < kMessageRowCount; ++i) {
        const MessageRow& row = kMessageRows[i];
        if (row.phase != phase) continue;
        const char* text = row.text;
        if (row.value) {
            // snprintf never writes past the buffer and always terminates it;
            // the longest number fits with room to spare anyway.
            std::snprintf(world.textBuffer, sizeof world.textBuffer, row.text, static_cast<int>(world.*row.value));
            text = world.textBuffer;
        }
        drawOutlinedText(text, row.x, row.y, row.red, row.green, row.blue, row.height);
    }
}
