#include "skin/engine/controls/ControlDrawing.h"

#include "skin/ElementFrame.h"
#include "skin/engine/GdiTally.h"

void DrawElement(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TDataSkinObject& element)
{
    if (rect.right < rect.left || rect.bottom < rect.top || element.Image.Empty())
        return;
    DrawElementFrame(dc, rect, element.Image, element.Tile == 1, element.Trans == 1, {frameCount, frameIndex, false},
                     element.Margins);
}

void DrawStrip(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TBitmap& picture)
{
    if (rect.right < rect.left || rect.bottom < rect.top || picture.Empty() || frameCount < 1)
        return;
    const int fw = picture.Width() / frameCount;
    if (frameIndex >= 1 && frameIndex <= frameCount && rect.right - rect.left == fw &&
        rect.bottom - rect.top == picture.Height()) {
        // At its own size (a check mark, a grip): straight from the picture.
        TransparentBlt(dc, rect.left, rect.top, fw, picture.Height(), const_cast<TBitmap&>(picture).Canvas()->Handle(),
                       fw * (frameIndex - 1), 0, fw, picture.Height(), kSkinTransparentColor);
        return;
    }
    DrawStripFrame(dc, rect, picture, true, frameCount, frameIndex);
}

bool HasPicture(const TDataSkinObject* element)
{
    return element && !element->Image.Empty();
}

TElementCache::~TElementCache()
{
    Clear();
}

TElementCache::TElementCache(TElementCache&& other) noexcept
    : FRendered(std::move(other.FRendered)), FPicture(other.FPicture), FWidth(other.FWidth), FHeight(other.FHeight),
      FFrameCount(other.FFrameCount), FFrameIndex(other.FFrameIndex)
{
}

void TElementCache::Clear()
{
    if (FRendered) {
        FRendered.reset();
        gditally::Deleted();
    }
    FPicture = nullptr;
}

void TElementCache::Draw(HDC dc, const RECT& rect, int frameCount, int frameIndex, const TDataSkinObject& element,
                         bool transparent)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || element.Image.Empty())
        return;
    if (!FRendered || FPicture != element.Image.Handle() || FWidth != width || FHeight != height ||
        FFrameCount != frameCount || FFrameIndex != frameIndex) {
        Clear();
        FRendered = RenderElementFrame(width, height, element.Image, element.Margins, element.Tile == 1,
                                       {frameCount, frameIndex, false});
        gditally::Created();
        FPicture = element.Image.Handle();
        FWidth = width;
        FHeight = height;
        FFrameCount = frameCount;
        FFrameIndex = frameIndex;
    }
    if (FRendered->Empty())
        return;
    if (transparent)
        DrawTransparent(dc, rect, *FRendered, kSkinTransparentColor);
    else
        BitBlt(dc, rect.left, rect.top, width, height, FRendered->Canvas()->Handle(), 0, 0, SRCCOPY);
}
