// The page's side of the player's own pictures (app/own_pictures.h): the
// bytes of a dropped or chosen file come in from the page's script, and a
// picture taken, or the built-in pictures put back, starts a fresh run.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/web/own_pictures.h"
#include "app/web/web_run.h"
#include "base/data_files.h"

namespace {

// The file the page is handing over: its name, and its bytes unless they
// are past the largest data file the game reads. malloc, not new: memory
// that cannot be had must be a refusal, never an abort of the game.
std::string offeredName;
uint8_t* offeredBytes = nullptr;
size_t offeredSize = 0;
bool bytesHeldBack = false;
std::string lastLine;

void dropOfferedBytes() {
    std::free(offeredBytes);
    offeredBytes = nullptr;
    offeredSize = 0;
}

}  // namespace

// Room for the file's name, `bytes` long in UTF-8; the page writes it there.
extern "C" EMSCRIPTEN_KEEPALIVE char* nmnm_picture_name(int bytes) {
    offeredName.assign(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
    return offeredName.data();
}

// Room for exactly `size` bytes of the file; null when the game would refuse
// a file that large anyway, or there is no memory for it: the page then
// hands over the size alone.
extern "C" EMSCRIPTEN_KEEPALIVE uint8_t* nmnm_picture_bytes(double size) {
    dropOfferedBytes();
    bytesHeldBack = !(size >= 0 && size <= static_cast<double>(kMaxDataFileBytes));
    if (bytesHeldBack) return nullptr;
    offeredSize = static_cast<size_t>(size);
    offeredBytes = static_cast<uint8_t*>(std::malloc(offeredSize > 0 ? offeredSize : 1));
    if (!offeredBytes) {
        offeredSize = 0;
        bytesHeldBack = true;
    }
    return offeredBytes;
}

// Offers the file handed over (`size` bytes long): an empty line when a new
// run has started with it, else the one line saying why not, and the run
// goes on as it was. Good until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* nmnm_offer_picture(double size) {
    lastLine.clear();
    // A JavaScript number: anything past 2^53 is far past the largest file
    // taken anyway.
    const uint64_t length = size > 0 ? static_cast<uint64_t>(size < 9.0e15 ? size : 9.0e15) : 0;
    const bool taken = bytesHeldBack ? offerOwnPicture(offeredName, nullptr, length, &lastLine)
                                     : offerOwnPicture(offeredName, offeredBytes, offeredSize, &lastLine);
    dropOfferedBytes();
    bytesHeldBack = false;
    if (taken) webRestartRun();
    return lastLine.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE int nmnm_use_built_in_pictures() {
    if (!useBuiltInPictures()) return 0;
    webRestartRun();
    return 1;
}

extern "C" EMSCRIPTEN_KEEPALIVE int nmnm_own_pictures_in_use() { return ownPicturesInUse() ? 1 : 0; }
