#pragma once
// The folder of the running script under node (where nmnm-replay.js and the
// test programs sit, beside their pictures); empty in a browser, where the
// page's files are the embedded ones.
#include <string>

std::string scriptFolder();
