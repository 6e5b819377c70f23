#pragma once
// The few arguments the program answers without starting the game.

enum class CommandLineRequest { Play, Version, Help, Unknown };

// What the arguments ask for: nothing or --record FILE plays (FILE goes in
// `recordPath`, null without it), one --version or --help answers, anything
// else is a mistake.
CommandLineRequest readCommandLine(int argc, const char* const* argv, const char** recordPath);

// Prints the answer to a request other than Play (the version or the usage on
// stdout, a mistake on stderr) and returns the exit status: 0, or 2 for a
// mistake.
int answerCommandLine(CommandLineRequest request, int argc, const char* const* argv);
