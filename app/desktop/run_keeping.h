#pragma once
// Every desktop run is recorded: into the file `--record FILE` names, or else
// among the last runs kept in the player's data folder ($XDG_DATA_HOME/nmnm/runs
// or %LOCALAPPDATA%\nmnm\runs), oldest removed first.

constexpr int kKeptRuns = 10;

// Starts recording the run about to begin. False, with one line on stderr,
// when the file asked for cannot be written; a kept run that cannot be
// written is said in one line and the game plays on without it.
bool beginRunKeeping(const char* recordPath, const char* platform);
// Ends the recording: the end line, the file closed; a kept run is named
// with the stage reached and the kills.
void endRunKeeping();
