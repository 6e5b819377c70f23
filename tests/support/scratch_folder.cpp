#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "base/data_files.h"
#include "tools/common/bmp_fixture.h"

ScratchFolder::ScratchFolder() : dir(makeScratchDir()) {
    char here[PATH_MAX] = {};
    EXPECT_FALSE(dir.empty()) << "no scratch folder could be made";
    EXPECT_TRUE(getcwd(here, sizeof here) && chdir(dir.c_str()) == 0) << "cannot enter " << dir;
    previous = here;
}

ScratchFolder::~ScratchFolder() {
    EXPECT_EQ(chdir(previous.c_str()), 0) << "back from the scratch folder";
    EXPECT_TRUE(removeScratchDir(dir)) << "case: removing the scratch folder";
}

std::string dataFileRefusal(const char* name) {
    DataFile file;
    std::string reason;
    return readDataFile(name, &file, &reason) ? std::string() : reason;
}

bool mentions(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
