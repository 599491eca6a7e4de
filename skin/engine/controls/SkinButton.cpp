#include "skin/engine/controls/SkinButton.h"

#include "skin/SkinData.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "framework/WinControl.h"

const TClassInfo& TSkinButton::StaticClass()
{
    static const TClassInfo info(L"TSkinButton", &TSkinControl::StaticClass());
    return info;
}

std::wstring CaptionLines(const std::wstring& caption)
{
    std::wstring text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
            text += L"\r\n";
            ++i;
        } else {
            text += caption[i];
        }
    }
    return text;
}

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner), FFaceBitmap(std::make_unique<TCountedBitmap>())
{
    FFaceBitmap->SetPixelFormat(pf24bit);
}

int TSkinButton::PushFrame(bool enabled, int mouseState, bool defaultStyle, bool focused)
{
    if (!enabled)
        return 3;
    if (mouseState & msDown)
        return 2;
    if (mouseState & msOver)
        return 4;
    if (defaultStyle)
        return 5;
    if (focused)
        return 4;
    return 1;
}

bool TSkinButton::HasButtonPicture() const
{
    return FSkinData && !FSkinData->Elements().Buttons.Image.Empty();
}

bool TSkinButton::BeforeMessage(TSkinMessage& m)
{
    // Without a button picture the button would stay unpainted: it keeps its own look.
    if (!HasButtonPicture())
        return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        PaintMessage(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != FHandle)
            SetFocus(FHandle);
        FMouseState |= msDown;
        PaintNow(nullptr);
        m.Result = 0;
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinButton::Click()
{
    if (FControl) {
        FControl->Click();
        return;
    }
    const HWND parent = GetParent(FHandle);
    if (parent)
        PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(FHandle), BN_CLICKED),
                     reinterpret_cast<LPARAM>(FHandle));
}

void TSkinButton::AfterMessage(TSkinMessage& m)
{
    const bool enabled = !(WindowStyle() & WS_DISABLED);
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            if (m.Msg == WM_KEYDOWN)
                FMouseState |= msDown;
            else
                FMouseState &= ~msDown;
            InvalidateControl();
        }
        return;
    case WM_MOUSEMOVE:
        if (FMouseState & msOver)
            return;
        FMouseState |= msOver;
        if (FForm) {
            TSkinControl* hot = FForm->HotButton();
            if (hot && hot != this && hot->Handle())
                SendMessageW(hot->Handle(), CM_MOUSELEAVE, 0, 0);
            if (FForm && FForm->HotButton() != this) {
                InvalidateControl();
                FForm->SetHotButton(this);
            }
        }
        return;
    case WM_LBUTTONUP:
        if (!(FMouseState & msDown))
            return;
        FMouseState &= ~msDown;
        InvalidateControl();
        Click();  // last: the click may free the control and this object with it
        return;
    case CM_MOUSEENTER:
        if (!enabled)
            return;
        FMouseState |= msOver;
        InvalidateControl();
        if (FForm)
            FForm->SetHotButton(this);
        return;
    case CM_MOUSELEAVE:
        if (!enabled)
            return;
        FMouseState &= ~(msOver | msDown);
        InvalidateControl();
        if (FForm && FForm->HotButton() == this)
            FForm->SetHotButton(nullptr);
        return;
    case BM_SETSTATE:
    case BM_SETSTYLE:
        // The system button paints these changes straight onto the screen.
        if (HasButtonPicture())
            InvalidateControl();
        return;
    default:
        TSkinControl::AfterMessage(m);
        return;
    }
}

void TSkinButton::SkinChanged()
{
    FFrame.Clear();
    TSkinControl::SkinChanged();
}

HDC TSkinButton::PrepareFace(const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (FFaceBitmap->Width() != width || FFaceBitmap->Height() != height)
        FFaceBitmap->SetSize(width, height);
    HDC face = FFaceBitmap->Canvas()->Handle();
    FillFace(face, {0, 0, width, height});
    return face;
}

COLORREF TSkinButton::CaptionColor(int frame, bool enabled, COLORREF normal) const
{
    const auto& b = FSkinData->Elements().Buttons;
    // A framework control uses a state colour only where the skin gives one; a raw
    // window always does (a missing key means the button text colour).
    const bool raw = Served() == nullptr;
    COLORREF color = normal;
    if (frame == 1 && (raw || b.HasNormalColour2))
        color = ColorToRGB(b.NormalColour2);
    else if (frame == 4 && (raw || b.HasMouseOverColour2))
        color = ColorToRGB(b.MouseOverColour2);
    else if (frame == 2 && (raw || b.HasPressedColour2))
        color = ColorToRGB(b.PressedColour2);
    if (!enabled)
        color = raw ? RGB(0x80, 0x80, 0x80) : ColorToRGB(clBtnShadow);
    return color;
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& rect, UINT align)
{
    FText = CaptionLines(FText);
    const UINT flags = align | DT_EXPANDTABS | DT_WORDBREAK;
    SetBkMode(dc, TRANSPARENT);
    RECT m = rect;
    DrawTextW(dc, FText.c_str(), -1, &m, flags | DT_CALCRECT | DT_NOCLIP);
    const int dy = ((rect.bottom - rect.top) - (m.bottom - m.top)) / 2 - 1;
    if (align == DT_CENTER) {
        const int dx = ((rect.right - rect.left) - (m.right - m.left)) / 2;
        OffsetRect(&m, rect.left - m.left + dx, dy);
    } else {
        OffsetRect(&m, 0, dy);
        m.left = rect.left;
        m.right = rect.right;
    }
    DrawTextW(dc, FText.c_str(), -1, &m, flags);
}

void TSkinButton::DrawSkin(HDC dc, const RECT& rect)
{
    if (!HasButtonPicture())
        return;
    const LONG_PTR style = WindowStyle();
    ReadWindowState();
    FText = ReadWindowText(FHandle);
    const int frame = PushFrame(FEnabled, FMouseState, (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, FFocused);
    const RECT r = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    HDC face = PrepareFace(r);
    FFrame.Draw(face, r, 5, frame, FSkinData->Elements().Buttons);
    HFONT font = FControl ? FControl->Font()->Handle()
                          : reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = font ? SelectObject(face, font) : nullptr;
    const COLORREF normal = FControl ? ColorToRGB(FControl->Font()->Color())
                                     : ColorToRGB(FSkinData->Elements().ColorButtonText);
    SetTextColor(face, CaptionColor(frame, FEnabled, normal));
    DrawButtonCaption(face, r, DT_CENTER);
    if (oldFont)
        SelectObject(face, oldFont);
    BitBlt(dc, rect.left, rect.top, r.right, r.bottom, face, 0, 0, SRCCOPY);
}
