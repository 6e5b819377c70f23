#pragma once
// What the start-up has to tell the player. The game's own lines go to
// stderr; a program started from Explorer has none, so they are collected
// and shown in a message box instead.
#include <windows.h>

#include <string>

// Before anything can write: gives stderr a pipe to collect into when the
// process has no stderr of its own.
void beginStartupReport();
// The start-up failed: `cause` (already told on stderr) and anything
// collected, in an error box.
void showStartupFailure(const std::string& cause);
// The start-up went on despite problems (a picture missing or damaged):
// anything collected, in a warning box over the game's window. Later lines
// are dropped.
void showStartupWarnings();
