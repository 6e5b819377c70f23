#pragma once
// A scratch folder of the test's own, the current folder while this lives,
// so that bare names are looked for there first; removed with all it holds
// at the end.
#include <string>

struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string dir;
    std::string previous;
};

// The reason the data file service gives for `name`, empty when it reads.
std::string dataFileRefusal(const char* name);
// Whether `text` holds `part`.
bool mentions(const std::string& text, const std::string& part);
