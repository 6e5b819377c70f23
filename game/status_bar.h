#pragma once

enum StatusBarForm {
    kStatusBarTitle,         // border line, best
    kStatusBarAnnouncement,  // border line, best, kills
    kStatusBarStart,         // best, kills, border line
    kStatusBarFull,          // gauge, best, kills, border line
};

void drawStatusBar(StatusBarForm form);
