#pragma once
// What must hold after every call of the frame function, whatever the input.
#include <string>

#include "game/world.h"

// Empty when the world is sound, else the first broken rule.
std::string worldInvariantFault(const GameWorld& w);

// Checks the status bar rows of the shown picture against the sprite sheet's
// strips for the world's values (play, result and stage-clear pictures, which
// show the full form). Empty when they match.
std::string statusBarFault(const GameWorld& w);
