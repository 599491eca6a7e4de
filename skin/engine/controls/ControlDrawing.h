// Drawing one state of a skin element into a control's picture: the element's frame by its
// margins (tiled or stretched, magenta left out when the element says so), and one frame
// of a picture strip stretched with magenta left out. Frames are counted from 1; an
// inverted rectangle draws nothing.
#pragma once

#include "skin/SkinElementRecords.h"

#include <windows.h>

#include <memory>

void DrawElement(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TDataSkinObject& element);
void DrawStrip(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TBitmap& picture);
// Whether the element is there and has a picture to draw.
bool HasPicture(const TDataSkinObject* element);

// DrawElement for a control that repaints at the same size again and again (every hover
// change): the frame is scaled once and kept until the size, the frame or the picture
// changes. The kept bitmap counts as one of the engine's GDI objects.
class TElementCache {
public:
    TElementCache() = default;
    ~TElementCache();
    TElementCache(const TElementCache&) = delete;
    TElementCache& operator=(const TElementCache&) = delete;
    TElementCache(TElementCache&& other) noexcept;
    void Draw(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TDataSkinObject& element,
              bool transparent);
    void Draw(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TDataSkinObject& element)
    {
        Draw(dc, rect, frameCount, frameIndex, element, element.Trans == 1);
    }
    void Clear();

private:
    std::unique_ptr<TBitmap> FRendered;
    HBITMAP FPicture = nullptr;
    int FWidth = 0, FHeight = 0, FFrameCount = 0, FFrameIndex = 0;
};
