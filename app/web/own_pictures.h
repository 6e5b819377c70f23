#pragma once
// The player's own pictures on the web page: a dropped hk.bmp or pt.bmp is
// checked by the file service and the loader with the rules of a picture
// placed in the game's folder, then put in the current folder (where the
// file service looks first) for the next run; the built-in picture it
// replaces is kept aside there and can be put back. A refused file changes
// nothing. The page starts the new run; nothing leaves the machine.
#include <cstddef>
#include <cstdint>
#include <string>

// The game's picture a file of this name replaces: "hk.bmp" or "pt.bmp",
// matched without regard to case ("HK.BMP" from an old disk); null for any
// other name. Only the last part of a path counts.
const char* ownPictureName(const std::string& fileName);

// Offers the bytes of the file `fileName` as the player's own picture. True
// when it is in place for the next run; false with `line` saying in one
// line why not, and nothing changed. A picture the desktop would load with
// rows missing is refused here: the player can offer a whole one.
bool offerOwnPicture(const std::string& fileName, const uint8_t* bytes, uint64_t size, std::string* line);

// Puts the built-in pictures back in place of the player's own; true when
// any own picture was in use.
bool useBuiltInPictures();

// True while an own picture is in place of a built-in one.
bool ownPicturesInUse();
