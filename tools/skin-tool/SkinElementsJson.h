// The parsed element records of a skin as JSON: what the skin engine reads from a skin,
// record by record, so that an author can check a skin without running the program.
#pragma once

#include "skin/core/SkinPictureInfo.h"

class TJsonWriter;

// Writes the key "elements": an object with skinName, the colours, the frame borders,
// title, buttons, the title-bar buttons and every optional record (null when absent).
void WriteSkinElements(TJsonWriter& json, const TSkinInfoElements& elements);

// A colour as text: "224 224 224" for RGB, "system 15" for a system colour, "none".
std::string SkinColorText(TSkinColor color);
