#include "framework/SpeedButton.h"

#include "framework/DeviceContext.h"
#include "framework/Messages.h"

#include <windowsx.h>

#include <algorithm>

const TClassInfo& TSpeedButton::StaticClass()
{
    static const TClassInfo info(L"TSpeedButton", &TGraphicControl::StaticClass(), {
        StrProp(L"Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption),
        BoolProp(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
        BoolProp(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
        IntProp(L"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
        BoolProp(L"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
        ObjProp(L"Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph),
        IntProp(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs),
        EnumProp(L"Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout),
        IntProp(L"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin),
        IntProp(L"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing),
    });
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(std::make_unique<TBitmap>())
{
    SetBoundsFields(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetDown(bool down)
{
    if (down == FDown)
        return;
    FDown = down;
    if (down && FGroupIndex != 0 && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = As<TSpeedButton>(Parent()->Controls(i)); other && other != this && other->FGroupIndex == FGroupIndex)
                other->SetDown(false);
    Invalidate();
}

void TSpeedButton::SetFlat(bool flat)
{
    FFlat = flat;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* glyph)
{
    if (glyph)
        FGlyph->Assign(*glyph);
    else
        FGlyph->SetSize(0, 0);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count)
{
    FNumGlyphs = std::clamp(count, 1, 4);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout)
{
    FLayout = layout;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin)
{
    FMargin = margin;
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing)
{
    FSpacing = spacing;
    Invalidate();
}

void TSpeedButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FPressed = true;
        Invalidate();
        break;
    case WM_LBUTTONUP: {
        const bool inside = GET_X_LPARAM(message.LParam) >= 0 && GET_Y_LPARAM(message.LParam) >= 0 &&
                            GET_X_LPARAM(message.LParam) < Width() && GET_Y_LPARAM(message.LParam) < Height();
        if (FPressed && inside && FGroupIndex != 0)
            SetDown(FAllowAllUp ? !FDown : true);
        FPressed = false;
        Invalidate();
        break;
    }
    case CM_MOUSEENTER:
        FHot = true;
        Invalidate();
        break;
    case CM_MOUSELEAVE:
        FHot = false;
        FPressed = false;
        Invalidate();
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(message);
}

void TSpeedButton::Paint()
{
    TCanvas& canvas = *Canvas();
    HDC dc = canvas.Handle();
    TSavedDC saved(dc);
    RECT r = ClientRect();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    const bool sunk = FDown || FPressed;
    if (sunk)
        DrawEdge(dc, &r, FFlat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!FFlat || (FHot && Enabled()))
        DrawEdge(dc, &r, FFlat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    SelectObject(dc, Font()->Handle());
    RECT client = r;
    if (sunk)
        OffsetRect(&client, 1, 1);
    const int index = !Enabled() ? 2 : FPressed ? 3 : FDown ? 4 : 1;
    DrawGlyphAndCaption(dc, client, {FGlyph.get(), FNumGlyphs, index, FLayout, FMargin, FSpacing}, Caption(),
                        !Enabled());
}
