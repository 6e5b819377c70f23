#pragma once
// Which installed face the text is drawn with when the one the texts were
// written for is missing. Plain strings in, so the rule can be tested away
// from any font system.
#include <string>
#include <vector>

// One face as the font system lists it: its name in code page 932 bytes and
// whether its glyphs have their own widths (proportional).
struct FontFaceInfo {
    std::string name;
    bool proportional;
};

// The face the game asks for first: "ＦＡ　Ｐ　明朝" in code page 932.
extern const char kWantedTextFace[];

// True when `name` reads as a Mincho face: "Mincho" in any case, or the
// characters 明朝 (taken character by character, so that a trail byte is never
// mistaken for a lead byte).
bool isMinchoFace(const std::string& name);

// The face to name when creating the font: the wanted face when installed,
// else the first proportional Mincho, else the first Mincho of any pitch.
// Vertical faces (a leading '@') never count. Empty: let the font system pick
// from the wanted name.
std::string chooseTextFace(const std::vector<FontFaceInfo>& installed);
