// TFormSkin: painting the skinned frame and cutting the window's shape from it.
//
// The frame is composed off screen, once per change (size, activation, caption, window
// state, skin), into a bitmap of the window's size: the side and bottom borders, then the
// title strip (top border, caption back, caption text, title-bar buttons) composed in its
// own bitmap and copied in. A paint copies the four frame strips from it to the window in
// four block copies, so repeated paints cost no drawing at all.
#include "skin/engine/frames/FormSkin.h"
#include "skin/engine/menus/MenuBarSkin.h"

#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "skin/engine/BitmapRegion.h"
#include "skin/engine/WindowText.h"
#include "framework/DeviceContext.h"
#include "framework/Form.h"
#include "framework/Handles.h"

#include <algorithm>

namespace {

enum TBorderIndex { biLeft = 1, biRight = 2, biTop = 3, biBottom = 4 };

const TDataSkinBorder& BorderOf(const TSkinElements& skin, int index)
{
    switch (index) {
    case biLeft: return skin.BorderLeft;
    case biRight: return skin.BorderRight;
    case biTop: return skin.BorderTop;
    default: return skin.BorderBottom;
    }
}

HDC DCOf(TBitmap& bitmap)
{
    return bitmap.Canvas()->Handle();
}

}  // namespace

std::wstring TFormSkin::CaptionText() const
{
    return L" " + ReadWindowText(FHandle) + L"  ";
}

void TFormSkin::PaintBorder(int index, HDC dc, const RECT& rect)
{
    if (!FSkin || rect.right < rect.left || rect.bottom < rect.top)
        return;
    const TDataSkinBorder& border = BorderOf(FSkin->Elements(), index);
    if (border.Image.Empty())
        return;
    const int frames = std::max(border.FrameCount, 1);
    const TFrameSpec frame{frames, FActive || frames == 1 ? 1 : 2, index == biTop || index == biBottom};
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const auto rendered = RenderElementFrame(width, height, border.Image, border.Margins, border.Tile != 1, frame);
    if (!rendered->Empty())
        BitBlt(dc, rect.left, rect.top, width, height, DCOf(*rendered), 0, 0, SRCCOPY);
}

void TFormSkin::DrawCaptionText(HDC dc, const RECT& area)
{
    const TDataSkinTitle& title = FSkin->Elements().Title;
    const std::wstring text = CaptionText();
    const TSelectObject font(dc, FCaptionFont.get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    // The skin's own title colours when it gives them, else its colour table's.
    TSkinColor color = FActive ? title.ActiveTextColor : title.InactiveTextColor;
    if (color == kSkinNoColor)
        color = FActive ? FSkin->Elements().ColorTitleTextActive : FSkin->Elements().ColorTitleTextNoActive;
    const COLORREF oldColor = SetTextColor(dc, ColorToRGB(static_cast<TColor>(color)));
    UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
    if (FRightToLeftCaption)
        format |= DT_RIGHT;

    RECT t = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, format | DT_CALCRECT | DT_NOCLIP);
    t.right += title.TextBackLeft + title.TextBackRight;
    const int textWidth = t.right - t.left, areaWidth = area.right - area.left;
    int shift = 0;
    switch (FRightToLeftCaption ? 2 : title.TextAlignment) {
    case 0: shift = title.Margins.Left; break;
    case 1: shift = (areaWidth - textWidth) / 2; break;
    case 2: shift = areaWidth - title.Margins.Right - textWidth; break;
    default: break;
    }
    const int down = ((area.bottom - area.top) - (t.bottom - t.top)) / 2 + title.Margins.Top / 2;
    OffsetRect(&t, shift, down);
    if (FOriginalStyle & WS_POPUP) {
        if (FRightButtonsLeft > 5 && FRightButtonsLeft - 5 < t.right)
            t.right = FRightButtonsLeft - 5;
    } else if (area.right - title.Margins.Right < t.right) {
        t.right = area.right - title.Margins.Right;
    }
    if (FBorderKind == bkDialog && title.TextAlignment == 0)
        t.left -= 16;
    FTitleTextRect = t;
    if (!title.Image.Empty())
        DrawHorizontalSlices(dc, {t.left, area.top, t.right, area.bottom}, title.Image, true,
                             {2, FActive ? 1 : 2, true}, {title.TextBackLeft, 0, title.TextBackRight, 0});
    t.left += title.TextBackLeft;
    t.right -= title.TextBackRight;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, format);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void TFormSkin::PaintTitle(HDC dc)
{
    const int width = FFrameCache->Width();
    FTitleBitmap->SetSize(width, FFrame.Top);
    if (FTitleBitmap->Empty())
        return;
    HDC title = DCOf(*FTitleBitmap);
    // The side borders' top parts, already composed, stay in the strip.
    BitBlt(title, 0, 0, width, FFrame.Top, dc, 0, 0, SRCCOPY);
    const RECT strip = {FFrame.Left, 0, width - FFrame.Right, FFrame.Top};
    PaintBorder(biTop, title, strip);
    DrawCaptionText(title, strip);
    LayoutTitleButtons();
    PaintTitleButtons(title);
    BitBlt(dc, 0, 0, width, FFrame.Top, title, 0, 0, SRCCOPY);
}

bool TFormSkin::ComposeFrame(int width, int height)
{
    const std::wstring caption = ReadWindowText(FHandle);
    if (FFrameCacheValid && FFrameCache->Width() == width && FFrameCache->Height() == height &&
        FCachedActive == FActive && FCachedWindowState == FWindowState && FCachedCaption == caption)
        return true;
    FFrameCache->SetSize(width, height);
    if (FFrameCache->Empty())
        return false;
    HDC dc = DCOf(*FFrameCache);
    PaintBorder(biLeft, dc, {0, 0, FFrame.Left, height});
    PaintBorder(biRight, dc, {width - FFrame.Right, 0, width, height});
    PaintBorder(biBottom, dc, {FFrame.Left, height - FFrame.Bottom, width - FFrame.Right, height});
    PaintTitle(dc);
    if (FMenuBar && FMenuHeight > 0)
        FMenuBar->PaintBar(dc, {FFrame.Left, FFrame.Top, width - FFrame.Right, FFrame.Top + FMenuHeight});
    FCachedActive = FActive;
    FCachedWindowState = FWindowState;
    FCachedCaption = caption;
    FFrameCacheValid = true;
    return true;
}

void TFormSkin::PaintFrame(HDC dc)
{
    if ((FState != fsReady && FState != fsRefreshing) || !FSkin || FSkin->Empty() || !FramePainted())
        return;
    try {
        RECT window{};
        GetWindowRect(FHandle, &window);
        const int width = window.right - window.left, height = window.bottom - window.top;
        if (width <= 0 || height <= 0 || !ComposeFrame(width, height))
            return;
        std::unique_ptr<TWindowDC> own;
        if (!dc) {
            own = std::make_unique<TWindowDC>(FHandle);
            dc = own->Handle();
        }
        if (!dc)
            return;
        HDC cache = DCOf(*FFrameCache);
        const int top = std::min(FFrame.Top + FMenuHeight, height);
        BitBlt(dc, 0, 0, width, top, cache, 0, 0, SRCCOPY);
        BitBlt(dc, 0, top, FFrame.Left, height - top, cache, 0, top, SRCCOPY);
        BitBlt(dc, width - FFrame.Right, top, FFrame.Right, height - top, cache, width - FFrame.Right, top, SRCCOPY);
        BitBlt(dc, FFrame.Left, height - FFrame.Bottom, width - FFrame.Left - FFrame.Right, FFrame.Bottom, cache,
               FFrame.Left, height - FFrame.Bottom, SRCCOPY);
        if (const int band = BorderBand()) {
            // The band between the frame and the client area, in the form's colour.
            RECT client{};
            GetClientRect(FHandle, &client);
            MapWindowPoints(FHandle, nullptr, reinterpret_cast<POINT*>(&client), 2);
            OffsetRect(&client, -window.left, -window.top);
            RECT outer = client;
            InflateRect(&outer, band, band);
            const TSavedDC saved(dc);
            ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
            const TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(FForm->Color())));
            FillRect(dc, &outer, brush.get());
        }
        // Everything was just painted in its normal look; a button held down keeps its own.
        for (const auto& button : FTitleButtons)
            if (button.get() != FPressedButton)
                button->ButtonState = nbsNormal;
        FHotObject = FPressedButton;
        if (FPressedButton && FPressedButton->ButtonState == nbsPressed)
            PaintButton(*FPressedButton, nbsPressed);
    } catch (...) {
        // A failed paint leaves the frame as it is until the next one; never an error box.
    }
}

void TFormSkin::BuildRegion()
{
    if (FState == fsDead || !FSkin || FSkin->Empty() || !FramePainted())
        return;
    RECT window{};
    GetWindowRect(FHandle, &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    if (width <= 0 || height <= 0)
        return;
    if (FHasRegion && width == FRegionWidth && height == FRegionHeight && FState != fsRefreshing)
        return;
    const TSkinElements& skin = FSkin->Elements();
    if (skin.BorderLeft.Trans + skin.BorderRight.Trans + skin.BorderTop.Trans + skin.BorderBottom.Trans == 0) {
        // A plain rectangle: only set when the shape changes, each SetWindowRgn repaints.
        if (FHasRegion && width == FRegionWidth && height == FRegionHeight)
            return;
        TCountedGdi<HRGN> whole(CreateRectRgn(0, 0, width, height));
        if (SetWindowRgn(FHandle, whole.get(), TRUE))
            whole.release();
        FHasRegion = true;
        FRegionWidth = width;
        FRegionHeight = height;
        return;
    }
    if (!ComposeFrame(width, height))
        return;
    FRegionWidth = width;
    FRegionHeight = height;
    TCountedGdi<HRGN> shape(CreateRectRgn(FFrame.Left, FFrame.Top, width - FFrame.Right, height - FFrame.Bottom));
    const auto addPart = [&](const RECT& part, bool byPixels) {
        TCountedGdi<HRGN> region;
        if (byPixels && part.right > part.left && part.bottom > part.top) {
            // The pixels as composed for this window, cut out of the frame bitmap.
            TBitmap piece(part.right - part.left, part.bottom - part.top);
            BitBlt(DCOf(piece), 0, 0, piece.Width(), piece.Height(), DCOf(*FFrameCache), part.left, part.top, SRCCOPY);
            region = RegionFromBitmap(piece, part.left, part.top, RGB(255, 0, 255));
        } else {
            region.reset(CreateRectRgn(part.left, part.top, part.right, part.bottom));
        }
        if (region)
            CombineRgn(shape.get(), shape.get(), region.get(), RGN_OR);
    };
    addPart({0, 0, FFrame.Left, height}, skin.BorderLeft.Trans == 1 && height > 1);
    addPart({width - FFrame.Right, 0, width, height}, skin.BorderRight.Trans == 1 && height > 1);
    addPart({FFrame.Left, height - FFrame.Bottom, width - FFrame.Right, height},
            skin.BorderBottom.Trans == 1 && FFrame.Bottom > 1);
    addPart({FFrame.Left, 0, width - FFrame.Right, FFrame.Top}, skin.BorderTop.Trans == 1 && FFrame.Top > 1);
    if (SetWindowRgn(FHandle, shape.get(), TRUE))
        shape.release();  // the window owns it now
    FHasRegion = true;
}

void TFormSkin::DropRegion()
{
    if (!FHasRegion)
        return;
    FTitleBitmap->SetSize(0, 0);
    SetWindowRgn(FHandle, nullptr, FALSE);
    FHasRegion = false;
    FRegionWidth = FRegionHeight = 0;
}
