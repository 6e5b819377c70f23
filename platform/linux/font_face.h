#pragma once
// The one face all of the game's text is drawn with: looked up through
// fontconfig once, loaded with FreeType once, kept for the whole run.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>

struct TextFontMatch {
    std::string file;
    int index = 0;
    std::string family;
    bool coversJapanese = false;
};

// Asks `config` (null: the current configuration) for the face the texts were
// written for, else a proportional Mincho, else any serif, all for Japanese,
// and takes the first candidate that really holds Japanese characters. False
// when there is no font at all; coversJapanese is false when only a face
// without Japanese could be found.
bool matchTextFont(FcConfig* config, TextFontMatch* out);

// The face, or null when no font could be loaded. The first call looks it up
// and says on stderr, once, when no Japanese face is installed. Safe to call
// from any thread.
FT_Face textFace();

// A cell height in the sense of the platform the game came from: a positive
// height is the face's Windows ascent plus descent scaled to that many pixels;
// a negative one is the em size itself. `ascent` is the baseline's distance
// below the top of the cell.
struct TextCell {
    int32_t ppem;
    int32_t ascent;
};
// False for a height that cannot be drawn (zero, or absurdly large).
bool textCellFor(FT_Face face, int32_t height, TextCell* out);
