#include "skin/engine/controls/SkinProgress.h"

#include "skin/BitmapTransforms.h"
#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "skin/engine/GdiTally.h"
#include "skin/engine/controls/ControlDrawing.h"

#include <commctrl.h>

const TClassInfo& TSkinProgress::StaticClass()
{
    static const TClassInfo info(L"TSkinProgress", &TSkinControl::StaticClass());
    return info;
}

int TSkinProgress::FilledLength(int length, int position, int low, int high)
{
    // Measured from the lower limit: a range of 50..150 at 100 is half full.
    if (high <= low || position <= low)
        return 0;
    if (position > high)
        position = high;
    return MulDiv(length, position - low, high - low);
}

bool TSkinProgress::BeforeMessage(TSkinMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!FSkinData || !HasPicture(FSkinData->Elements().Progress.get()))
            return true;  // the control paints itself
        PaintMessage(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

namespace {

int Position(HWND bar, int& low, int& high)
{
    PBRANGE range{};
    SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    low = range.iLow;
    high = range.iHigh;
    return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
}

void FillWith(HDC dc, const RECT& r, TColor color)
{
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    FillRect(dc, &r, brush.get());
}

}  // namespace

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect)
{
    if (!FSkinData || !HasPicture(FSkinData->Elements().Progress.get()))
        return;
    const TDataSkinBorder& progress = *FSkinData->Elements().Progress;
    if (progress.Style == 1) {
        DrawChunks(dc, rect);
        return;
    }
    const bool vertical = (WindowStyle() & PBS_VERTICAL) != 0;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return;
    const int bw = vertical ? h : w, bh = vertical ? w : h;
    TCountedBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(bw, bh);
    HDC m = work.Canvas()->Handle();
    FillWith(m, {0, 0, bw, bh}, FaceColor());
    const auto background =
        RenderElementFrame(bw, bh, progress.Image, progress.Margins, progress.Tile == 1, {2, 1, false});
    DrawTransparent(m, {0, 0, bw, bh}, *background, kSkinTransparentColor);
    int low = 0, high = 0;
    const int pos = Position(FHandle, low, high);
    const int filled = FilledLength(bw, pos, low, high);
    if (filled > 0) {
        const auto bar = RenderElementFrame(filled, bh, progress.Image, progress.Margins, progress.Tile == 1, {2, 2, false});
        DrawTransparent(m, {0, 0, filled, bh}, *bar, kSkinTransparentColor);
    }
    if (vertical)
        RotateBitmapLeft(work);
    BitBlt(dc, rect.left, rect.top, w, h, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawChunks(HDC dc, const RECT& rect)
{
    const TDataSkinBorder& progress = *FSkinData->Elements().Progress;
    if (progress.Image2.Empty())
        return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return;
    TCountedBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(w, h);
    HDC m = work.Canvas()->Handle();
    FillWith(m, {0, 0, w, h}, FaceColor());
    const auto background = RenderElementFrame(w, h, progress.Image, progress.Margins, progress.Tile == 1, {1, 1, false});
    DrawTransparent(m, {0, 0, w, h}, *background, kSkinTransparentColor);
    int low = 0, high = 0;
    const int pos = Position(FHandle, low, high);
    const int filled = FilledLength(w, pos, low, high);
    const TBitmap& chunk = progress.Image2;
    if (filled > 0 && chunk.Width() > 0) {
        TCountedBitmap row;
        row.SetPixelFormat(pf24bit);
        row.SetSize(filled, chunk.Height());
        for (int x = 0; x < filled; x += chunk.Width())
            BitBlt(row.Canvas()->Handle(), x, 0, chunk.Width(), chunk.Height(),
                   const_cast<TBitmap&>(chunk).Canvas()->Handle(), 0, 0, SRCCOPY);
        const int top = (h - chunk.Height()) / 2;
        DrawTransparent(m, {progress.Margins.Left, top, progress.Margins.Left + filled, top + chunk.Height()}, row,
                        kSkinTransparentColor);
    }
    BitBlt(dc, rect.left, rect.top, w, h, m, 0, 0, SRCCOPY);
}
