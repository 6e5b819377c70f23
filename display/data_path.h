#pragma once
// Where the game's data files are found.
#include <string>
#include <vector>

// The places a bare file name is looked for, in order: the current directory,
// the directory of the running program, then the installed data directory.
// A name that holds a '/' is taken as it stands.
std::vector<std::string> dataFileCandidates(const std::string& name);

// The first candidate that is a readable regular file, or empty when none is.
std::string findDataFile(const std::string& name);

// The directories searched, for messages: "., /opt/nmnm/bin, /usr/share/nmnm".
std::string dataSearchPlaces();
