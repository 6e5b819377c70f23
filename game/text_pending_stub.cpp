// Placeholder until the status bar and the screen messages land: draws nothing.
#include "game/messages.h"
#include "game/status_bar.h"

void drawPhaseMessages(uint8_t) {}
void drawStatusBar(StatusBarForm) {}
