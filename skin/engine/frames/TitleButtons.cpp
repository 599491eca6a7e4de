#include "skin/engine/frames/TitleButtons.h"

#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/engine/menus/WindowMenu.h"
#include "framework/DeviceContext.h"
#include "framework/Handles.h"
#include "framework/Menus.h"

#include <cwchar>

#include <algorithm>


void TNCObject::Press()
{
    if (Form.FHotObject && Form.FHotObject != this)
        Form.FHotObject->Leave();
    if (!Visible)
        return;
    Form.FHotObject = this;
    ButtonState = nbsPressed;
    Paint();
}

void TNCObject::Release()
{
    if (!Visible)
        return;
    ButtonState = nbsHot;
    Paint();
}

void TNCObject::Hover()
{
    if (Form.FHotObject == this)
        return;
    if (Form.FHotObject)
        Form.FHotObject->Leave();
    if (!Visible)
        return;
    Form.FHotObject = this;
    ButtonState = nbsHot;
    Paint();
}

void TNCObject::Leave()
{
    if (!Visible)
        return;
    if (Form.FHotObject == this)
        Form.FHotObject = nullptr;
    ButtonState = nbsNormal;
    Paint();
}

void TWinSysButton::Paint()
{
    Form.PaintButton(*this, ButtonState);
}

TButtonContext TFormSkin::ButtonContext(int buttonIndex) const
{
    TButtonContext c;
    c.Maximized = FWindowState == 1;
    c.Active = FActive;
    c.HasMaximize = (FBorderIcons & fiMaximize) != 0;
    c.HasMinimize = (FBorderIcons & fiMinimize) != 0;
    c.HasSystemMenu = (FBorderIcons & fiSystemMenu) != 0;
    c.IsDialogClass = FIsDialogClass;
    c.BorderKind = FBorderKind;
    c.MdiMenuButtons = FMenuHeight > 0 && ActiveChildMaximized();
    const HWND window = FHandle;
    c.ApplicationSaysVisible = [window, buttonIndex] {
        return static_cast<LONG_PTR>(SendMessageW(window, WM_SKINBUTTONVISIBLE, static_cast<WPARAM>(buttonIndex), 0)) > 0;
    };
    return c;
}

void TFormSkin::LayoutTitleButtons()
{
    RECT window{};
    GetWindowRect(FHandle, &window);
    TTitleLayout layout;
    layout.PaintWidth = window.right - window.left;
    layout.TitleText = FTitleTextRect;
    layout.Frame = FFrame;
    layout.MenuHeight = FMenuHeight;
    layout.RightToLeft = FRightToLeftCaption;
    if (FSkin && FSkin->Elements().MenuBar)
        layout.MenuBarLeftMargin = FSkin->Elements().MenuBar->Margins.Left;
    int rightButtonsLeft = 0;
    for (std::size_t i = 0; i < FTitleButtons.size(); ++i) {
        TWinSysButton& button = *FTitleButtons[i];
        const TDataSkinSysButton& e = button.Element;
        button.Visible = TitleButtonVisible(e.Action, e.Visibility, e.Visibility1, ButtonContext(static_cast<int>(i)));
        if (!button.Visible)
            continue;
        int width = 0, height = 0;
        if (button.ShowsWindowIcon() && e.Image.Empty()) {
            width = FSmallIcon->Width();
            height = FSmallIcon->Height();
        } else if (!e.Image.Empty()) {
            width = e.Image.Width() / std::max(e.FrameCount, 1);
            height = e.Image.Height();
        } else {
            continue;  // nothing to show: keeps its place
        }
        button.Rect = PlaceTitleButton({e.Align, e.XCoord, e.YCoord}, width, height, layout);
        if (e.Align == 1)
            rightButtonsLeft = std::max<int>(rightButtonsLeft, button.Rect.left);
    }
    if (rightButtonsLeft > 0)
        FRightButtonsLeft = rightButtonsLeft;
}

namespace {

void DrawButtonPicture(HDC dc, const TWinSysButton& button, const TBitmap& smallIcon, int frame)
{
    const TDataSkinSysButton& e = button.Element;
    if (button.ShowsWindowIcon() && e.Image.Empty()) {
        const RECT at = {button.Rect.left, button.Rect.top, button.Rect.left + smallIcon.Width(),
                         button.Rect.top + smallIcon.Height()};
        DrawTransparent(dc, at, smallIcon, kSkinTransparentColor);
        return;
    }
    DrawStripFrame(dc, button.Rect, e.Image, true, std::max(e.FrameCount, 1), frame);
}

}  // namespace

void TFormSkin::PaintTitleButtons(HDC dc)
{
    for (const auto& button : FTitleButtons) {
        const TDataSkinSysButton& e = button->Element;
        if (!button->Visible || e.Visibility == 100 || (e.Image.Empty() && !button->ShowsWindowIcon()))
            continue;
        const int frame = FActive || e.FrameCount < 4 ? 1 : 4;
        DrawButtonPicture(dc, *button, *FSmallIcon, frame);
    }
}

void TFormSkin::PaintButton(const TWinSysButton& button, int frame)
{
    if (!button.Visible || !FramePainted() || FState == fsWaiting)
        return;
    // A look the picture has no frame for is shown as the normal one.
    const int frames = std::max(button.Element.FrameCount, 1);
    if (frame == nbsHot && button.Element.Visibility == 100)
        frame = 4;
    if (frame < 1 || frame > frames)
        frame = 1;
    TWindowDC dc(FHandle);
    if (!dc.Handle())
        return;
    // The title strip under the button first: a transparent picture over its own
    // previous look would keep the old pixels.
    if (FFrameCacheValid && FFrameCache->Width() > 0) {
        const RECT& r = button.Rect;
        BitBlt(dc.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, FFrameCache->Canvas()->Handle(), r.left,
               r.top, SRCCOPY);
    }
    DrawButtonPicture(dc.Handle(), button, *FSmallIcon, frame);
}

void TFormSkin::DoAction(const TWinSysButton& button, POINT screen)
{
    switch (button.Element.Action) {
    case 0:
        SetHoverTimer(false);
        PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case 1: case 22: ToggleMaximize(); break;
    case 2: case 23: ToggleMinimize(); break;
    case 3: case 11: case 12: ShowWindowMenu({screen.x + 1, screen.y + 1}); break;
    // The buttons of a maximized MDI child on the frame's bar.
    case 7: case 60: MdiChildCommand(SC_MINIMIZE); break;
    case 8: case 61: MdiChildCommand(SC_RESTORE); break;
    case 9: case 62: MdiChildCommand(SC_CLOSE); break;
    default:
        PostMessageW(FHandle, WM_SKINBUTTONCLICK, static_cast<WPARAM>(button.Element.Action), 0);
        break;
    }
}

void TFormSkin::Restore()
{
    FWindowState = 0;
    PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TFormSkin::ToggleMaximize()
{
    if (FWindowState == 1) {
        Restore();
        return;
    }
    FWindowState = 1;
    PostMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    FHotObject = nullptr;
}

void TFormSkin::ToggleMinimize()
{
    if (FWindowState == 2) {
        Restore();
        return;
    }
    FWindowState = 2;
    PostMessageW(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TFormSkin::ShowWindowMenu(POINT at)
{
    const DWORD now = GetTickCount();
    if (FLastSystemMenuTime != 0 && now - FLastSystemMenuTime <= FDoubleClickTime) {
        // A second click on the window-menu button: a double click closes the window.
        FLastSystemMenuTime = 0;
        if (FHotObject) {
            SetHoverTimer(false);
            PostMessageW(FHandle, WM_CLOSE, 0, 0);
        }
        return;
    }
    FManager.MenuKind = 2;
    if (FSystemPopup && FSkin && FSkin->SkinControls().Contains(xcSystemMenu) &&
        !(GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        // The skinned window menu; its items act through SystemPopupClick.
        EnableSystemPopup(*FSystemPopup, FWindowState);
        FSystemPopup->Popup(at.x, at.y);
        FLastSystemMenuTime = GetTickCount();
        FManager.MenuKind = 0;
        return;
    }
    // Our own menu (the window's native one may have lost its items with the caption
    // buttons), with the states the window is in, drawn natively.
    TMenuHandle menu(CreatePopupMenu());
    if (!menu)
        return;
    const auto add = [&](UINT id, const wchar_t* text, bool enabled) {
        AppendMenuW(menu.get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id + 1, text);
    };
    add(wmRestore, L" Restore ", FWindowState != 0);
    if (FBorderIcons & fiMaximize)
        add(wmMaximize, L" Maximize ", FWindowState != 1);
    if (FBorderIcons & fiMinimize)
        add(wmMinimize, L" Minimize ", FWindowState != 2);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(wmClose, L" Close\tAlt+F4", true);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, FHandle, nullptr));
    FLastSystemMenuTime = GetTickCount();
    FManager.MenuKind = 0;
    switch (chosen) {
    case wmRestore + 1: Restore(); break;
    case wmMaximize + 1: ToggleMaximize(); break;
    case wmMinimize + 1: ToggleMinimize(); break;
    case wmClose + 1:
        SetHoverTimer(false);
        PostMessageW(FHandle, WM_CLOSE, 0, 0);
        break;
    default: break;
    }
}

HWND TFormSkin::MdiClient() const
{
    for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (_wcsicmp(ReadClassName(child).c_str(), L"MDIClient") == 0)
            return child;
    return nullptr;
}

bool TFormSkin::ActiveChildMaximized() const
{
    const HWND client = MdiClient();
    if (!client)
        return false;
    BOOL maximized = FALSE;
    const auto active = SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return active && maximized;
}

void TFormSkin::MdiChildCommand(UINT command)
{
    const HWND client = MdiClient();
    if (!client)
        return;
    if (auto active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)))
        SendMessageW(active, WM_SYSCOMMAND, command, 0);
    MdiChildChanged();
}

void TFormSkin::MdiChildChanged()
{
    FHotObject = nullptr;
    FFrameCacheValid = false;
    if (FState == fsReady && IsWindow(FHandle))
        PaintFrame();
}
