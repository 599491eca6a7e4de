#include "skin/engine/controls/SkinSpeedButton.h"

#include "skin/SkinData.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/WinControl.h"

#include <algorithm>

const TClassInfo& TSkinSpeedButton::StaticClass()
{
    static const TClassInfo info(L"TSkinSpeedButton", &TSkinBitButton::StaticClass());
    return info;
}

TSkinSpeedButton::~TSkinSpeedButton()
{
    UnhookGraphic();
}

void TSkinSpeedButton::AttachGraphic(TControlAttachment& form, TSkinData& skin)
{
    FSkinData = &skin;
    FGraphicControl = As<TControl>(Owner());
    FForm = &form;
    if (!FGraphicControl)
        return;
    HookGraphic(*FGraphicControl);
    form.Register(this);
    FState = scAttached;
    FGraphicControl->Invalidate();
}

int TSkinSpeedButton::SpeedFrame(bool down, bool enabled, int mouseState)
{
    if (down)
        return 2;
    if (!enabled)
        return 3;
    if (mouseState & msDown)
        return 2;
    if (mouseState & msOver)
        return 4;
    return 1;
}

void TSkinSpeedButton::PaintNow(HDC)
{
    // The parent paints its windowless children: the button is painted with it, at once.
    if (!FGraphicControl || !FGraphicControl->Visible())
        return;
    FGraphicControl->Invalidate();
    if (TWinControl* parent = FGraphicControl->Parent(); parent && parent->HandleAllocated())
        UpdateWindow(parent->Handle());
}

bool TSkinSpeedButton::BeforeMessage(TSkinMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        if (!HasButtonPicture() || !m.WParam)
            break;
        PaintSpeedButton(reinterpret_cast<HDC>(m.WParam), FGraphicControl->ClientRect());
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(m);
        FMouseState |= msDown;
        PaintNow(nullptr);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        break;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinSpeedButton::AfterMessage(TSkinMessage& m)
{
    switch (m.Msg) {
    case WM_NCDESTROY:
    case CM_RELEASE:
        UnhookGraphic();
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam != VK_SPACE)
            return;
        if (m.Msg == WM_KEYDOWN)
            FMouseState |= msDown;
        else
            FMouseState &= ~msDown;
        PaintNow(nullptr);
        return;
    case WM_LBUTTONUP:
        FMouseState &= ~msDown;
        PaintNow(nullptr);
        return;
    case CM_MOUSEENTER:
        FMouseState |= msOver;
        PaintNow(nullptr);
        return;
    case CM_MOUSELEAVE:
        FMouseState &= ~(msOver | msDown);
        PaintNow(nullptr);
        return;
    case WM_PAINT:
        return;  // painted in place of the control, or left to it
    default:
        TSkinButton::AfterMessage(m);
        return;
    }
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc, const RECT& rect)
{
    const TObject* source = FGraphicControl;
    const bool down = ReadEnumProp(source, L"Down") == L"True";
    const bool enabled = ReadEnumProp(source, L"Enabled") == L"True";
    const int frame = SpeedFrame(down, enabled, FMouseState);
    const int glyphIndex = GlyphIndexOf(frame);
    FText = ReadTextProp(source, L"Caption");
    auto* font = ReadObjectProp<TFont>(source, L"Font");
    auto* glyph = ReadObjectProp<TBitmap>(source, L"Glyph");
    const int numGlyphs = std::max<int>(1, static_cast<int>(ReadIntProp(source, L"NumGlyphs")));
    const bool flat = ReadEnumProp(source, L"Flat") == L"True";

    const RECT r = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    HDC face = PrepareFace(r);
    const HGDIOBJ oldFont = font ? SelectObject(face, font->Handle()) : nullptr;
    const auto& buttons = FSkinData->Elements().Buttons;
    if (!(frame == 1 && flat))
        FFrame.Draw(face, r, buttons.FrameCount, frame, buttons);
    const COLORREF fontColor = font ? ColorToRGB(font->Color()) : ColorToRGB(clBtnText);
    if (!glyph || glyph->Empty()) {
        SetTextColor(face, fontColor);
        DrawButtonCaption(face, r, DT_CENTER);
    } else {
        FText = CaptionLines(FText);
        TGlyphLayoutIn in;
        in.Client = {r.right, r.bottom};
        in.Glyph = {glyph->Width() / numGlyphs, glyph->Height()};
        in.Text = MeasureText(face, r, 0);
        in.Margin = static_cast<int>(ReadIntProp(source, L"Margin"));
        in.Spacing = static_cast<int>(ReadIntProp(source, L"Spacing"));
        in.Side = SideOf(ReadEnumProp(source, L"Layout"));
        in.AutoMargin = in.Margin == -1;
        in.SpeedButton = true;
        const TGlyphLayoutOut out = LayoutGlyph(in);
        DrawGlyph(face, out.Glyph, numGlyphs, glyphIndex, *glyph);
        SetTextColor(face, CaptionColor(frame, enabled, fontColor));
        SetBkMode(face, TRANSPARENT);
        RECT textRect = {out.Text.x, out.Text.y, out.Text.x + in.Text.cx, out.Text.y + in.Text.cy};
        DrawTextW(face, FText.c_str(), -1, &textRect, out.Flags);
    }
    if (oldFont)
        SelectObject(face, oldFont);
    BitBlt(dc, rect.left, rect.top, r.right, r.bottom, face, 0, 0, SRCCOPY);
}
