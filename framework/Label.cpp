#include "framework/Label.h"

const TClassInfo& TLabel::StaticClass()
{
    static const TClassInfo info(L"TLabel", &TGraphicControl::StaticClass(), {
        StrProp(L"Caption", &TLabel::Caption, &TLabel::SetCaption),
        BoolProp(L"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
        EnumProp(L"Alignment", &TLabel::Alignment, &TLabel::SetAlignment),
        BoolProp(L"Transparent", &TLabel::Transparent, &TLabel::SetTransparent),
    });
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetBoundsFields(0, 0, 65, 13);
}

void TLabel::SetCaption(const std::wstring& caption)
{
    TGraphicControl::SetCaption(caption);
    AdjustSize();
}

void TLabel::FontChanged()
{
    AdjustSize();
    TGraphicControl::FontChanged();
}

void TLabel::AdjustSize()
{
    if (!FAutoSize)
        return;
    TCanvas measure;
    measure.Font().Assign(*Font());
    SIZE size = measure.TextExtent(Caption().empty() ? std::wstring(L" ") : Caption());
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TLabel::Paint()
{
    RECT r = ClientRect();
    if (!FTransparent)
        Canvas()->FillRect(r);
    Canvas()->Brush().SetStyle(bsClear);
    if (!Enabled())
        Canvas()->Font().SetColor(clGrayText);
    UINT align = FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    Canvas()->DrawText(Caption(), r, align | DT_SINGLELINE | DT_NOPREFIX);
}
