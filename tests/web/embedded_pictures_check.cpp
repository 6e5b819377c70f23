// Made as the page is made: no node file system, the Linux build's pictures
// embedded at the root, which is the current folder. Both must be found
// there by their bare names, arrive whole, and load at start-up without a
// line on stderr (the test fails on any "nmnm: " line). Exit 0 when all
// holds, else 1 with the reason.
#include <cstdio>
#include <string>

#include "base/data_files.h"
#include "display/display_objects.h"
#include "display/display_setup.h"
#include "game/start_up.h"

namespace {

uint32_t littleEndian32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

bool fail(const std::string& why) {
    std::printf("embedded pictures: %s\n", why.c_str());
    return false;
}

bool check() {
    for (const std::string name : {"hk.bmp", "pt.bmp"}) {
        DataFile file;
        std::string reason;
        if (!readDataFile(name.c_str(), &file, &reason)) return fail(name + ": " + reason);
        if (file.path != name) return fail(name + ": found at " + file.path + ", not in the current folder");
        // The file header states the file's own length: all of it arrived.
        if (file.bytes.size() < 6 || littleEndian32(&file.bytes[2]) != file.bytes.size())
            return fail(name + ": " + std::to_string(file.bytes.size()) + " bytes, not the length its header states");
    }
    if (initDisplay() != 1) return fail("start-up failed");
    // The fade ends on pt.bmp's colours, which are not all black.
    int lit = 0;
    for (const PaletteEntry& e : displayObjects.paletteEntries) lit += e.red || e.green || e.blue;
    if (lit < 16) return fail("the fade ended on " + std::to_string(lit) + " coloured entries");
    std::puts("embedded pictures: both found in the current folder, whole, and loaded");
    return true;
}

}  // namespace

int main() {
    const bool ok = check();
    releaseDisplay();
    return ok ? 0 : 1;
}
