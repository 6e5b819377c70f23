#include "game/world.h"

GameWorld world;

void resetWorld() { world = GameWorld{}; }
