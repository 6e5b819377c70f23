#pragma once
// Where the game's data files are found.
#include <string>

// The place a bare file name is taken from: the first of the current folder,
// the program's own folder, ../share/nmnm beside the program (an install
// under any prefix, found at run time) and the data folder configured at build
// time where something of that name exists. A name holding a '/' is taken as
// it stands. Empty when the name exists nowhere.
std::string findDataFile(const std::string& name);

// The folders searched, for messages: "the current folder, /opt/nmnm/bin, ...".
std::string dataSearchPlaces();
