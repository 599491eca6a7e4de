// Drawing one state of a skin element into a control's picture: the element's frame by its
// margins (tiled or stretched, magenta left out when the element says so), and one frame
// of a picture strip stretched with magenta left out. Frames are counted from 1; an
// inverted rectangle draws nothing.
#pragma once

#include "skin/SkinElementRecords.h"

#include <windows.h>

void DrawElement(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TDataSkinObject& element);
void DrawStrip(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TBitmap& picture);
// Whether the element is there and has a picture to draw.
bool HasPicture(const TDataSkinObject* element);
