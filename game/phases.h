#pragma once
// The blocks of the six game phases, run by the frame in this order.

void runTitlePhase();
void runAnnouncementPhase();
void runStartPhase();
void runPlayPhase();
void runResultPhase();
void runStageClearPhase();
