#pragma once

// Fills flyRects, splatRects and swatterRects with the cells of the sprite sheet.
void initSpriteRects();
