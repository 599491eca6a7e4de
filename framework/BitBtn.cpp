#include "framework/BitBtn.h"

#include "framework/DeviceContext.h"

#include <algorithm>

const TClassInfo& TBitBtn::StaticClass()
{
    static const TClassInfo info(L"TBitBtn", &TButton::StaticClass(), {
        ObjProp(L"Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
        IntProp(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
        EnumProp(L"Layout", &TBitBtn::Layout, &TBitBtn::SetLayout),
        IntProp(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
        IntProp(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
    });
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyph(TBitmap* glyph)
{
    if (glyph)
        FGlyph->Assign(*glyph);
    else
        FGlyph->SetSize(0, 0);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int count)
{
    FNumGlyphs = std::clamp(count, 1, 4);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout)
{
    FLayout = layout;
    Invalidate();
}

void TBitBtn::SetMargin(int margin)
{
    FMargin = margin;
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing)
{
    FSpacing = spacing;
    Invalidate();
}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case BM_SETSTYLE:
        // Default on and off (TButton::SetDefault, the dialog manager) keeps the button
        // owner-drawn; the default look is drawn from the Default property.
        message.WParam = (message.WParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
        break;
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    default:
        break;
    }
    TButton::WndProc(message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& draw)
{
    HDC dc = draw.hDC;
    TSavedDC saved(dc);
    RECT r = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & ODS_DISABLED) != 0;
    if (Default() || (draw.itemState & ODS_FOCUS)) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    SelectObject(dc, Font()->Handle());
    RECT client = r;
    if (pressed)
        OffsetRect(&client, 1, 1);
    DrawGlyphAndCaption(dc, client, {FGlyph.get(), FNumGlyphs, disabled ? 2 : pressed ? 3 : 1, FLayout, FMargin, FSpacing},
                        Caption(), disabled);
    if (draw.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}
