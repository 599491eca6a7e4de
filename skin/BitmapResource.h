// Bitmap resources of the program (BITMAP statements of an .rc file) as framework bitmaps.
#pragma once

#include <string>

class TBitmap;

// Loads the bitmap resource `name` of the program; false, leaving bitmap as it was, when
// there is no such resource or it is not a readable bitmap.
bool LoadBitmapResource(TBitmap& bitmap, const std::wstring& name);
