#include "skin/engine/controls/ControlDrawing.h"

#include "skin/ElementFrame.h"

void DrawElement(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TDataSkinObject& element)
{
    if (rect.right < rect.left || rect.bottom < rect.top || element.Image.Empty())
        return;
    DrawElementFrame(dc, rect, element.Image, element.Tile == 1, element.Trans == 1, {frameCount, frameIndex, false},
                     element.Margins);
}

void DrawStrip(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TBitmap& picture)
{
    if (rect.right < rect.left || rect.bottom < rect.top || picture.Empty())
        return;
    DrawStripFrame(dc, rect, picture, true, frameCount, frameIndex);
}

bool HasPicture(const TDataSkinObject* element)
{
    return element && !element->Image.Empty();
}
