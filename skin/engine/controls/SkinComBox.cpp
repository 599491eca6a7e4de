#include "skin/engine/controls/SkinComBox.h"
#include "skin/engine/controls/SkinScrollbarH.h"

#include "skin/SkinData.h"
#include "skin/ElementFrame.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "framework/DeviceContext.h"

#include <oleacc.h>

#include <algorithm>

const TClassInfo& TSkinComBox::StaticClass()
{
    static const TClassInfo info(L"TSkinComBox", &TSkinControl::StaticClass());
    return info;
}

// The edit window of a drop-down box: after its own handling of a paint or a click the
// combo box's face is drawn again. It lives as long as the edit window or the combo
// object, whichever goes first.
class TSkinComBox::TEditHook : public TWindowHook {
public:
    TEditHook(TSkinComBox& owner, HWND edit) : FOwner(owner), FEdit(edit)
    {
        AddWindowHook(edit, this);
        FHooked = HasWindowHook(edit, this);
    }
    ~TEditHook() override
    {
        if (FHooked)
            RemoveWindowHook(FEdit, this);
    }
    HWND Window() const { return FHooked ? FEdit : nullptr; }
    bool WndProc(TWindowMessage& m) override
    {
        m.CallNext();
        if (FOwner.SkinActive())
            FOwner.EditMessage(m.Msg);
        return true;
    }
    void WindowDestroyed(HWND) override { FHooked = false; }

private:
    TSkinComBox& FOwner;
    HWND FEdit;
    bool FHooked = false;
};

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() = default;

HWND TSkinComBox::EditWindow() const
{
    return FEditHook ? FEditHook->Window() : nullptr;
}

void TSkinComBox::AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor)
{
    if (FAttached)
        return;
    TSkinControl::AttachControl(form, skin, replaceColor);
    // A simple combo box's list is always shown; its scroll bars are the scroll-bar
    // skin's business. The others may have an edit to listen to.
    if ((WindowStyle() & 3) != CBS_SIMPLE)
        SubclassEdit();
    else
        CoverSimpleComboList(FHandle, skin, form);
}

void TSkinComBox::SubclassEdit()
{
    const HWND edit = GetTopWindow(FHandle);  // a drop-down list has none
    if (edit)
        FEditHook = std::make_unique<TEditHook>(*this, edit);
}

void TSkinComBox::Detach()
{
    TSkinControl::Detach();
    FEditHook.reset();
}

void TSkinComBox::SkinChanged()
{
    FFace.Clear();
    TSkinControl::SkinChanged();
}

void TSkinComBox::EditMessage(UINT msg)
{
    switch (msg) {
    case WM_PAINT:
        PaintNow(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FMouseState |= msDown;
        InvalidateControl();
        break;
    case WM_LBUTTONUP:
        FMouseState &= ~msDown;
        InvalidateControl();
        break;
    default:
        break;
    }
}

void TSkinComBox::AfterMessage(TSkinMessage& m)
{
    const bool enabled = !(WindowStyle() & WS_DISABLED);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FMouseState |= msDown;
        InvalidateControl();
        return;
    case WM_LBUTTONUP:
        FMouseState &= ~msDown;
        InvalidateControl();
        return;
    case WM_DRAWITEM:
    case WM_NCPAINT:
        InvalidateControl();
        return;
    case CM_MOUSEENTER:
        if (enabled)
            FMouseState |= msOver;
        return;
    case CM_MOUSELEAVE:
        if (enabled)
            FMouseState &= ~msOver;
        return;
    default:
        TSkinControl::AfterMessage(m);
        return;
    }
}

int TSkinComBox::FaceState(bool enabled, bool focused, int mouseState)
{
    int s = enabled ? 1 : 3;
    if (focused)
        s = 4;
    if (mouseState & msDown)
        s = 2;
    else if (mouseState & msOver)
        s = 4;
    return s;
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect)
{
    if (!FSkinData)
        return;
    const auto& e = FSkinData->Elements();
    if (!HasPicture(e.ComboButton.get()))
        return;
    const LONG_PTR exStyle = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(FHandle, &info);
    if (info.stateButton & STATE_SYSTEM_INVISIBLE)
        return;
    // A drop-down box's focus is in its edit.
    const HWND focus = GetFocus();
    const bool focused = focus && (focus == FHandle || IsChild(FHandle, focus));
    const int s = FaceState(!(WindowStyle() & WS_DISABLED), focused, FMouseState);
    const TDataSkinBorder& button = *e.ComboButton;
    if (button.Style == 1) {
        DrawPlainCombo(dc, rect, s);
        return;
    }
    const RECT a = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    const bool leftButton = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (button.Style == 2) {
        const TDataSkinObject* face = leftButton ? e.SunkEdge.get() : &button;
        if (!HasPicture(face))
            return;
        // The whole face, scaled once for the box's size (no tiling, magenta see-through).
        TDataSkinObject const& element = *face;
        FFace.Draw(dc, a, element.FrameCount, s, element, true);
        return;
    }
    if (!HasPicture(e.SunkEdge.get()))
        return;
    const int aw = GetSystemMetrics(SM_CXHSCROLL);
    TSavedDC saved(dc);  // the clipping below is the caller's DC's
    RECT f, b;
    if (!leftButton) {
        ExcludeClipRect(dc, a.left + 2, a.top + 2, a.right - aw - 4, a.bottom - 2);
        f = {a.right - aw - 2, a.top, a.right, a.bottom};
        b = {a.right - aw - 2, a.top, a.right - 2, a.bottom};
    } else {
        ExcludeClipRect(dc, a.left + aw + 4, a.top + 2, a.right - 2, a.bottom - 2);
        f = {a.left, a.top, a.left + aw + 2, a.bottom};
        b = {2, a.top, aw + 2, a.bottom};
    }
    DrawElement(dc, a, e.SunkEdge->FrameCount, s, *e.SunkEdge);
    DrawStrip(dc, f, button.FrameCount, s, leftButton ? button.Image2 : button.Image);
    if (HasPicture(e.ExtraImages.get()) && e.ExtraImages->FrameCount > 0) {
        const int fw = e.ExtraImages->Image.Width() / e.ExtraImages->FrameCount, fh = e.ExtraImages->Image.Height();
        const int x = b.left + ((b.right - b.left) - fw) / 2, y = b.top + ((b.bottom - b.top) - fh) / 2;
        DrawStrip(dc, {x, y, x + fw, y + fh}, e.ExtraImages->FrameCount, s, e.ExtraImages->Image);
    }
}

void TSkinComBox::DrawPlainCombo(HDC dc, const RECT& rect, int s)
{
    const auto& button = *FSkinData->Elements().ComboButton;
    const RECT a = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    // The DC's own brush is borrowed, never adopted.
    const auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT b = a;
    InflateRect(&b, -1, -1);
    FrameRect(dc, &b, brush);
    InflateRect(&b, -1, -1);
    b.left = b.right - GetSystemMetrics(SM_CYVTHUMB);
    FillRect(dc, &b, brush);
    const int frames = std::max(button.FrameCount, 1);
    const int fw = button.Image.Width() / frames;
    TSavedDC saved(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, b.left, b.top, b.right - b.left, b.bottom - b.top, const_cast<TBitmap&>(button.Image).Canvas()->Handle(),
               fw * (s - 1), 0, fw, button.Image.Height(), SRCCOPY);
    TGdiHandle<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(FSkinData->Elements().ColorButtonShadow)));
    FrameRect(dc, &a, shadow.get());
}
