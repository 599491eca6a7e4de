// Small pictures for the gallery's glyph buttons and tool bar, drawn in code: a coloured
// disc on a background that the buttons leave out (magenta, the bottom-left colour).
#pragma once

#include "framework/Bitmap.h"

#include <memory>

// A size x size picture: a disc of the colour with a lighter centre.
std::unique_ptr<TBitmap> DiscPicture(int size, TColor color);
