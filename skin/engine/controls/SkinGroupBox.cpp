#include "skin/engine/controls/SkinGroupBox.h"

#include "skin/SkinData.h"
#include "skin/engine/WindowText.h"
#include "framework/Handles.h"
#include "framework/Properties.h"
#include "framework/WinControl.h"

const TClassInfo& TSkinGroupBox::StaticClass()
{
    static const TClassInfo info(L"TSkinGroupBox", &TSkinControl::StaticClass());
    return info;
}

int TSkinGroupBox::CharHeight(HDC dc, const std::wstring& text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cy;
}

void TSkinGroupBox::DrawSkin(HDC dc, const RECT& r)
{
    if (!FSkinData)
        return;
    const auto& e = FSkinData->Elements();
    FText = ReadWindowText(FHandle);
    if (FText.empty() && FControl)
        FText = ReadTextProp(FControl, L"Caption");
    const HFONT font = FControl ? FControl->Font()->Handle()
                                : reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const int th = CharHeight(dc, L"0");
    // The control's own frame goes under the face colour.
    RECT a{0, th / 2 - 1, r.right, r.bottom};
    HBRUSH face = FSkinData->ButtonFaceBrush();
    TGdiHandle<HBRUSH> ownFace;
    if (!face) {
        ownFace.reset(CreateSolidBrush(ColorToRGB(FaceColor())));
        face = ownFace.get();
    }
    FrameRect(dc, &a, face);
    InflateRect(&a, -1, -1);
    FrameRect(dc, &a, face);
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(static_cast<TColor>(e.ColorButtonShadow))));
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const HGDIOBJ oldPen = SelectObject(dc, pen.get());
    RoundRect(dc, 1, th / 2 - 1, r.right - 1, r.bottom - 1, 5, 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    const COLORREF oldBack = SetBkColor(dc, ColorToRGB(FaceColor()));
    RECT text{r.left + 9, r.top, r.right, r.bottom};
    if (!FText.empty())
        DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &text, DT_EXPANDTABS);
    SetBkColor(dc, oldBack);
    if (oldFont)
        SelectObject(dc, oldFont);
}
