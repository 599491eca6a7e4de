// A window region cut from a picture: every pixel that is not of the transparent colour.
#pragma once

#include "skin/engine/GdiTally.h"

#include <windows.h>

class TBitmap;

struct TColorTolerance {
    int Red = 1, Green = 1, Blue = 1;
};

// The pixels of bitmap outside the colour range [color, color + tolerance] (per channel,
// capped at 255), as one region moved by (x, y); an empty region when every pixel is in
// the range. The bitmap is read, never changed.
TCountedGdi<HRGN> RegionFromBitmap(const TBitmap& bitmap, int x, int y, COLORREF color,
                                   const TColorTolerance& tolerance = {});
