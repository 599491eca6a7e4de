#include "skin/engine/frames/FormSkin.h"

#include "skin/SkinData.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/menus/MenuBarSkin.h"
#include "skin/engine/menus/OwnerDrawMenus.h"
#include "skin/engine/menus/WindowMenu.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Messages.h"
#include "framework/ScopeExit.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kHoverTimerId = 0x4B53;  // the hover check's timer on the skinned window

POINT PointOf(LPARAM lParam)
{
    // Sign-extended: a point on a second screen left of or above the first is negative.
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

TFormSkin::TFormSkin(TComponent* owner, TSkinManager& manager, HWND window)
    : TComponent(owner), FManager(manager), FHandle(window)
{
    FDoubleClickTime = GetDoubleClickTime();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        FCaptionFont.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
    FTitleBitmap = std::make_unique<TCountedBitmap>();
    FSmallIcon = std::make_unique<TCountedBitmap>();
    FFrameCache = std::make_unique<TCountedBitmap>();
    FMenus = std::make_unique<TFormMenus>(manager, window);
    FControls = std::make_unique<TControlAttachment>(window, this, [this] { return FState == fsReady; });
}

TFormSkin::~TFormSkin()
{
    // Freed while the window is still attached (its form frees its components before its
    // window): let go of the window without touching its size or look.
    if (FHooked)
        QuietUnskin();
    FControls->FreeAll();
    FreeTitleButtons();
    FMenuBar.reset();
    FSystemPopup.reset();
    FManager.RemoveForm(this);
}

void TFormSkin::AttachForm(TSkinData& skin, TCustomForm& form)
{
    FForm = &form;
    Attach(skin);
}

void TFormSkin::Attach(TSkinData& skin)
{
    if (FHooked)
        return;
    FManager.SetStartState(1);
    FSkin = &skin;
    FFrameSkinned = skin.SkinControls().Contains(xcMainMenu);
    FOriginalStyle = GetWindowLongPtrW(FHandle, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    FRightToLeftCaption = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    FSystemMenu = GetSystemMenu(FHandle, FALSE);
    FClassName = ReadClassName(FHandle);
    FOwnerWindow = GetWindow(FHandle, GW_OWNER);
    RECT window{};
    GetWindowRect(FHandle, &window);
    GetClientRect(FHandle, &FSavedClientRect);
    FNativeFrameWidth = (window.right - window.left) - FSavedClientRect.right;
    FNativeFrameHeight = (window.bottom - window.top) - FSavedClientRect.bottom;
    FBorderIcons = 0;
    if ((FOriginalStyle & WS_SYSMENU) || FSystemMenu)
        FBorderIcons |= fiSystemMenu;
    if (FOriginalStyle & WS_MINIMIZEBOX)
        FBorderIcons |= fiMinimize;
    if (FOriginalStyle & WS_MAXIMIZEBOX)
        FBorderIcons |= fiMaximize;
    LoadSmallIcon();
    ReadWindowState();
    FIsDialogClass = FClassName == L"#32770" || FClassName == L"TMessageForm";
    FBorderKind = BorderKindOf(FOriginalStyle, exStyle, FIsDialogClass);
    if (FFrameSkinned && GetMenu(FHandle) && !(exStyle & WS_EX_MDICHILD)) {
        FMenuBar = std::make_unique<TMenuBarSkin>(*this, FHandle, skin, FForm ? FForm->Menu() : nullptr);
        FMenuBar->BuildFromMenu();
        // The native frame counted with its menu bar, measured without it: a window not
        // shown yet may not have laid its bar out.
        GetWindowRect(FHandle, &window);
        RECT client{};
        GetClientRect(FHandle, &client);
        FNativeFrameHeight = (window.bottom - window.top) - client.bottom + GetSystemMetrics(SM_CYMENU);
    }
    if (FFrameSkinned) {
        if (FWindowState != 2)
            SetCaptionStyle(false);
        UpdateGeometry();
    } else {
        FState = fsReady;
    }
    AddWindowHook(FHandle, this);
    FHooked = HasWindowHook(FHandle, this);
    AttachMenus();
    if (FForm) {
        FSavedFormColor = FForm->Color();
        FForm->SetColor(static_cast<TColor>(skin.Elements().ColorButtonFace));
    }
    InvalidateRect(FHandle, nullptr, TRUE);
}

void TFormSkin::UpdateGeometry()
{
    if (!FSkin || FSkin->Empty())
        return;
    FFrame = FrameThicknessOf(FSkin->Elements(), FBorderKind);
    FMenuHeight = FMenuBar ? GetSystemMetrics(SM_CYMENU) : 0;
    FreeTitleButtons();
    for (const auto& record : FSkin->Elements().SysButtons)
        FTitleButtons.push_back(std::make_unique<TWinSysButton>(*this, *record));
    FFrameCacheValid = false;
}

void TFormSkin::FreeTitleButtons()
{
    FHotObject = nullptr;
    if (FPressedButton) {
        FPressedButton = nullptr;
        if (GetCapture() == FHandle)
            ReleaseCapture();
    }
    FTitleButtons.clear();
    FFrameCacheValid = false;
}

void TFormSkin::LoadSmallIcon()
{
    FIconSize = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    FSmallIcon->SetSize(FIconSize, height);
    TCanvas& canvas = *FSmallIcon->Canvas();
    const RECT all = {0, 0, FIconSize, height};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(canvas.Handle(), &all, magenta);
    DeleteObject(magenta);
    FIconHandle = reinterpret_cast<HICON>(SendMessageW(FHandle, WM_GETICON, ICON_SMALL, 0));
    if (!FIconHandle)
        FIconHandle = reinterpret_cast<HICON>(SendMessageW(FHandle, WM_GETICON, ICON_BIG, 0));
    if (!FIconHandle)
        FIconHandle = reinterpret_cast<HICON>(GetClassLongPtrW(FHandle, GCLP_HICONSM));
    if (!FIconHandle) {
        // Kivora's windows carry no icon: the skin's own small icon stands in, from this
        // skin or from the last main-window skin that has one.
        const TBitmap* picture = FSkin && !FSkin->IconImage.Empty() ? &FSkin->IconImage : nullptr;
        for (TSkinData* skin : FManager.Skins())
            if (!picture && skin->SkinFormtype() == sfMainform && !skin->IconImage.Empty())
                picture = &skin->IconImage;
        if (picture) {
            SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
            StretchBlt(canvas.Handle(), 0, 0, FIconSize, height, const_cast<TBitmap*>(picture)->Canvas()->Handle(), 0,
                       0, picture->Width(), picture->Height(), SRCCOPY);
            return;
        }
        // Without one, the system's application icon.
        FIconHandle = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32512) /*IDI_APPLICATION*/,
                                                    IMAGE_ICON, 0, 0, LR_SHARED));
    }
    if (FIconHandle) {
        HICON copy = static_cast<HICON>(CopyImage(FIconHandle, IMAGE_ICON, FIconSize, height, LR_COPYFROMRESOURCE));
        DrawIconEx(canvas.Handle(), 0, 0, copy ? copy : FIconHandle, FIconSize, height, 0, nullptr, DI_NORMAL);
        if (copy)
            DestroyIcon(copy);
    }
}

void TFormSkin::ReadWindowState()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(FHandle, &placement))
        return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: FWindowState = 2; break;
    case SW_SHOWMAXIMIZED: FWindowState = 1; break;
    default: FWindowState = 0; break;
    }
}

void TFormSkin::SetCaptionStyle(bool restore)
{
    const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    LONG_PTR wanted = style;
    if (restore) {
        if (FBorderIcons & fiSystemMenu)
            wanted |= WS_SYSMENU;
        if (FBorderIcons & fiMinimize)
            wanted |= WS_MINIMIZEBOX;
        if (FBorderIcons & fiMaximize)
            wanted |= WS_MAXIMIZEBOX;
        if (FBorderIcons & fiCaptionRemoved)
            wanted |= WS_CAPTION;
    } else if (FOwnerWindow) {
        // An owned window keeps its caption (the platform places it by it); only the
        // native caption buttons go.
        wanted &= ~static_cast<LONG_PTR>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU);
    } else if ((FOriginalStyle & WS_CAPTION) == WS_CAPTION) {
        FBorderIcons |= fiCaptionRemoved;
        wanted &= ~static_cast<LONG_PTR>(WS_CAPTION);
    }
    // Each write sends style-change messages: only when something changes.
    if (wanted != style)
        SetWindowLongPtrW(FHandle, GWL_STYLE, wanted);
}

void TFormSkin::FrameChanged()
{
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TFormSkin::FitToClient(bool reread)
{
    if (FWindowState == 1) {
        FrameChanged();
        return;
    }
    RECT r{};
    GetWindowRect(FHandle, &r);
    int clientWidth, clientHeight;
    if (reread) {
        GetClientRect(FHandle, &FSavedClientRect);
        clientWidth = FSavedClientRect.right;
        clientHeight = FSavedClientRect.bottom;
    } else {
        // The client the window has under its own native frame (fixed, dialog, tool or
        // sizeable: measured when it was skinned, not assumed).
        clientWidth = (r.right - r.left) - FNativeFrameWidth;
        clientHeight = (r.bottom - r.top) - FNativeFrameHeight;
    }
    const int band = BorderBand();
    int width = clientWidth + FFrame.Left + FFrame.Right + 2 * band;
    const int height = clientHeight + FFrame.Top + FFrame.Bottom + FMenuHeight + 2 * band;
    if (FIsDialogClass && !reread && FSkin) {
        // A message box narrower than its caption is widened and its controls centred again.
        const TSkinMargins& title = FSkin->Elements().Title.Margins;
        const std::wstring caption = ReadWindowText(FHandle);
        SIZE extent{};
        {
            HDC dc = GetWindowDC(FHandle);
            const TScopeExit release([&] { ReleaseDC(FHandle, dc); });
            const HGDIOBJ old = SelectObject(dc, FCaptionFont.get());
            GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
            SelectObject(dc, old);
        }
        const int needed = title.Left + extent.cx + title.Right;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT c{};
                GetWindowRect(child, &c);
                MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&c), 2);
                SetWindowPos(child, nullptr, c.left + shift, c.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            width = needed;
        }
    }
    SetWindowPos(FHandle, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TFormSkin::HandleSkinAttach()
{
    if (FSkin)
        FControls->Attach(*FSkin, FForm);
    if (FState == fsWaiting && FFrameSkinned && FWindowState != 2 && FBorderKind != bkNone) {
        FState = fsFitting;
        FitToClient(false);
        FState = fsReady;
        BuildRegion();
    }
    FState = fsReady;
    SetHoverTimer(FActive);
    if (FFrameSkinned)
        RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TFormSkin::RefreshSkin()
{
    FState = fsRefreshing;
    if (FForm && FSkin)
        FForm->SetColor(static_cast<TColor>(FSkin->Elements().ColorButtonFace));
    FMenus->SetSkin(FSkin);
    if (FSkin && FSkin->SkinControls().Contains(xcPopupMenu))
        FMenus->SetPopupMenusOwnerDraw(FForm, true);
    FControls->SkinChanged();
    if (FFrameSkinned) {
        FitToClient(true);
        BuildRegion();
        RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    FState = fsReady;
}

void TFormSkin::Unhook()
{
    if (!FHooked)
        return;
    KillTimer(FHandle, kHoverTimerId);
    FHoverTimer = false;
    RemoveWindowHook(FHandle, this);
    FHooked = false;
    if (FPressedButton && GetCapture() == FHandle)
        ReleaseCapture();
    FPressedButton = nullptr;
    FHotObject = nullptr;
}

void TFormSkin::AttachMenus()
{
    FMenus->SetSkin(FSkin);
    FMenus->SetFormMenu(FMenuBar ? FMenuBar->BarMenuHandle() : GetMenu(FHandle));
    FMenus->SetBarMenu(FMenuBar ? FMenuBar->FrameworkMenu() : nullptr);
    if (FForm && FSkin->SkinControls().Contains(xcPopupMenu))
        FMenus->SetPopupMenusOwnerDraw(FForm, true);
    if (FForm && FSkin->SkinControls().Contains(xcMenuItem))
        FMenus->SetMainMenusOwnerDraw(FForm, true);
    FSystemPopup = BuildSystemPopup(*FMenus, FSkin->MenuImages(), (FBorderIcons & fiMaximize) != 0,
                                    (FBorderIcons & fiMinimize) != 0, TNotifyEvent(this, &TFormSkin::SystemPopupClick));
}

void TFormSkin::DetachMenus(bool restoreItems)
{
    FSystemPopup.reset();
    if (restoreItems && FForm) {
        FMenus->SetPopupMenusOwnerDraw(FForm, false);
        FMenus->SetMainMenusOwnerDraw(FForm, false);
    }
}

void TFormSkin::MenuBarChanged()
{
    if (!FMenuBar)
        return;
    if (FMenuBar->DroppedDown()) {
        FMenuBar->RebuildAfterDropDown();  // its entry is in use until the drop-down closes
        return;
    }
    FHotObject = nullptr;  // it may be one of the entries made again
    FMenuBar->BuildFromMenu();
    FFrameCacheValid = false;
    PaintFrame();
}

void TFormSkin::SystemPopupClick(TObject* sender)
{
    const auto* item = As<TMenuItem>(sender);
    if (!item)
        return;
    switch (item->Tag()) {
    case wmRestore: Restore(); break;
    case wmMaximize: ToggleMaximize(); break;
    case wmMinimize: ToggleMinimize(); break;
    case wmClose:
        SetHoverTimer(false);
        PostMessageW(FHandle, WM_CLOSE, 0, 0);
        break;
    default: break;
    }
}

void TFormSkin::QuietUnskin()
{
    FControls->FreeAll();
    Unhook();
    DetachMenus(false);
    FMenuBar.reset();
    FTitleBitmap->SetSize(0, 0);
    FFrameCacheValid = false;
}

void TFormSkin::Unskin()
{
    if (!FHooked)
        return;
    FControls->FreeAll();
    Unhook();
    DetachMenus(FState != fsDestroying);
    if (FForm && FState != fsDestroying)
        FForm->SetColor(FSavedFormColor);
    if (!FFrameSkinned)
        return;
    SetCaptionStyle(true);
    FTitleBitmap->SetSize(0, 0);
    FFrameCacheValid = false;
    if (FMenuBar) {
        FHotObject = nullptr;
        FMenuBar->GiveMenuBack();
        FMenuBar.reset();
    }
    if (FState != fsDestroying && !(FOriginalStyle & WS_CHILD)) {
        // The native frame back around the same client area.
        RECT r{};
        GetWindowRect(FHandle, &r);
        const int width = (r.right - r.left) - (FFrame.Left + FFrame.Right - FNativeFrameWidth);
        const int height = (r.bottom - r.top) - (FFrame.Top + FMenuHeight + FFrame.Bottom - FNativeFrameHeight);
        SetWindowPos(FHandle, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    FMenuHeight = 0;
    SetWindowRgn(FHandle, nullptr, TRUE);
    FHasRegion = false;
    FRegionWidth = FRegionHeight = 0;
}

void TFormSkin::WindowDestroyed(HWND)
{
    FHooked = false;
    FHoverTimer = false;
    FPressedButton = nullptr;
    FHotObject = nullptr;
    FState = fsDead;
}

bool TFormSkin::FramePainted() const
{
    const bool mdiChild = (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    // A maximized MDI child keeps the platform's frame: its client places it so that the
    // frame lies outside its view, and its buttons are on the frame's bar.
    return FFrameSkinned && FBorderKind != bkNone && FWindowState != 2 && !IsIconic(FHandle) &&
           !((FOriginalStyle & WS_CHILD) && !mdiChild) && !(mdiChild && IsZoomed(FHandle));
}

POINT TFormSkin::ScreenToWindow(POINT screen) const
{
    RECT r{};
    GetWindowRect(FHandle, &r);
    return {screen.x - r.left, screen.y - r.top};
}

void TFormSkin::SetHoverTimer(bool enabled)
{
    if (enabled == FHoverTimer || !FHooked)
        return;
    FHoverTimer = enabled;
    if (enabled)
        SetTimer(FHandle, kHoverTimerId, 250, nullptr);
    else
        KillTimer(FHandle, kHoverTimerId);
}

void TFormSkin::CheckHover()
{
    FControls->CheckHotButton();
    if (!FHotObject || FPressedButton || (FMenuBar && FMenuBar->DroppedDown()))
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT at = ScreenToWindow(cursor);
    if (!PtInRect(&FHotObject->Rect, at))
        FHotObject->Leave();
}

// Runs the default handling with WS_VISIBLE cleared: Wine's DefWindowProc paints the
// native caption directly (no WM_NCPAINT) on WM_SETTEXT and WM_SETICON, and skips that for
// an invisible window. Nothing is unmapped; the style comes back at once.
void TFormSkin::CallDefaultHidden(TWindowMessage& message)
{
    const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    if (!(style & WS_VISIBLE)) {
        message.CallNext();
        return;
    }
    SetWindowLongPtrW(FHandle, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
    const TScopeExit restore([&] {
        if (IsWindow(FHandle))
            SetWindowLongPtrW(FHandle, GWL_STYLE, GetWindowLongPtrW(FHandle, GWL_STYLE) | WS_VISIBLE);
    });
    message.CallNext();
}

bool TFormSkin::WndProc(TWindowMessage& m)
{
    switch (m.Msg) {
    case WM_SKINQUERY:
        m.Result = 1;
        return true;
    case WM_SKINATTACH:
        HandleSkinAttach();
        m.Result = 0;
        return true;
    case WM_NCDESTROY:
        FState = fsDestroying;
        KillTimer(FHandle, kHoverTimerId);
        FHoverTimer = false;
        m.CallNext();
        FState = fsDead;
        return true;
    case WM_TIMER:
        if (m.WParam != kHoverTimerId)
            break;
        CheckHover();
        return true;
    case WM_INITMENUPOPUP:
        FManager.MenuKind = reinterpret_cast<HMENU>(m.WParam) == FSystemMenu ? 2 : 1;
        break;
    case CM_MENUCHANGED:
        MenuBarChanged();
        break;
    case WM_MENUSELECT:
        if (FMenuBar && FMenuBar->DroppedDown())
            FMenuBar->NoteSelection(m.WParam, m.LParam);
        break;
    case WM_MEASUREITEM:
        if (!FMenus->HandleMeasureItem(m))
            break;
        return true;
    case WM_DRAWITEM:
        if (!FMenus->HandleDrawItem(m))
            break;
        return true;
    case WM_ERASEBKGND:
        if (FForm || !FSkin)
            break;
        {
            RECT client{};
            GetClientRect(FHandle, &client);
            FillRect(reinterpret_cast<HDC>(m.WParam), &client, FSkin->ButtonFaceBrush());
        }
        m.Result = 1;
        return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
        if (FForm || !FSkin || !FSkin->ButtonFaceBrush())
            break;
        m.CallNext();
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        if (m.Msg != WM_CTLCOLORBTN)
            m.Result = reinterpret_cast<LRESULT>(FSkin->ButtonFaceBrush());
        return true;
    default:
        break;
    }
    if (!FFrameSkinned || ((FOriginalStyle & WS_CHILD) && !(GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)))
        return false;
    return FrameMessage(m);
}

bool TFormSkin::FrameMessage(TWindowMessage& m)
{
    switch (m.Msg) {
    case WM_COMMAND: {
        // A choice in the platform's window menu comes back as a command: it is a system
        // command.
        const WORD id = LOWORD(m.WParam);
        static constexpr WORD relayed[] = {SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_NEXTWINDOW,
                                           SC_PREVWINDOW, SC_CLOSE, SC_RESTORE};
        if (id >= 0xFF00 || std::find(std::begin(relayed), std::end(relayed), id) == std::end(relayed))
            return false;
        PostMessageW(FHandle, WM_SYSCOMMAND, id, 0);
        m.Result = 0;
        return true;
    }
    case WM_GETMINMAXINFO:
        m.CallNext();
        ReadWindowState();
        SetCaptionStyle(FWindowState == 2);
        if (FBorderKind == bkSizeable && m.LParam) {
            auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
            info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
        }
        return true;
    case WM_SIZE:
        m.CallNext();
        switch (m.WParam) {
        case SIZE_RESTORED: FWindowState = 0; break;
        case SIZE_MINIMIZED: FWindowState = 2; break;
        case SIZE_MAXIMIZED: FWindowState = 1; break;
        default: break;
        }
        if (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)
            if (TFormSkin* frame = FManager.FindForm(GetAncestor(FHandle, GA_ROOT)))
                frame->MdiChildChanged();  // a maximized child's buttons on the frame's bar
        if (FWindowState != 2) {
            // Back from minimized: the native caption goes again.
            SetCaptionStyle(false);
            FFrameCacheValid = false;
            if (FState == fsReady || FState == fsRefreshing)
                BuildRegion();
        }
        return true;
    case WM_ACTIVATE:
        FActive = LOWORD(m.WParam) != WA_INACTIVE;
        return false;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        return false;
    case WM_SYSCOMMAND:
        HandleSysCommand(m);
        return true;
    default:
        break;
    }
    return PaintedFrameMessage(m);
}

void TFormSkin::HandleSysCommand(TWindowMessage& m)
{
    const WPARAM command = m.WParam & 0xFFF0;
    const wchar_t key = static_cast<wchar_t>(LOWORD(m.LParam));
    const HWND root = GetAncestor(FHandle, GA_ROOT);
    if (command == SC_KEYMENU && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD) && key != L'-' && root &&
        root != FHandle) {
        // An MDI child has no bar of its own, maximized or not: the menu keys are the
        // frame's (Alt with the minus key opens the child's window menu).
        m.Result = SendMessageW(root, WM_SYSCOMMAND, m.WParam, m.LParam);
        return;
    }
    if (command == SC_KEYMENU && FramePainted() && GetCapture() == nullptr) {
        // No menu bar: Alt alone or Alt with a letter opens nothing (the platform would
        // highlight its own caption); Alt+Space opens the window menu under the title.
        if (key == L' ' || (key == L'-' && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD))) {
            RECT r{};
            GetWindowRect(FHandle, &r);
            ShowWindowMenu({r.left + FFrame.Left, r.top + FFrame.Top});
        } else if (FMenuBar) {
            // Alt with an entry's letter opens it; Alt alone or F10 lights the first entry.
            if (!key) {
                if (TMenuBtn* first = FMenuBar->FirstUsable())
                    FMenuBar->KeyboardMode(first->Index);
            } else if (TMenuBtn* entry = FMenuBar->AccelItem(key)) {
                FMenuBar->OpenFromBar(*entry, true);
            }
        }
        m.Result = 0;
        return;
    }
    switch (command) {
    case SC_MINIMIZE: FWindowState = 2; break;
    case SC_MAXIMIZE: FWindowState = 1; break;
    case SC_RESTORE: FWindowState = 0; break;
    default: break;
    }
    CallDefaultHidden(m);
}

bool TFormSkin::PaintedFrameMessage(TWindowMessage& m)
{
    if (!FramePainted())
        return false;
    // Wine paints its native frame itself on these, without WM_NCPAINT; from attaching on
    // (also before the frame is fitted) they never reach the default handling unguarded.
    switch (m.Msg) {
    case WM_SETTEXT:
    case WM_SETICON:
        CallDefaultHidden(m);
        FFrameCacheValid = false;
        if (m.Msg == WM_SETICON)
            LoadSmallIcon();
        PaintFrame();
        return true;
    case WM_NCACTIVATE:
        HandleActivation(m);
        return true;
    case WM_NCPAINT:
        if (FState == fsWaiting || !FSkin || !FSkin->PaintNonClient) {
            m.Result = 0;  // the frame is painted once it is fitted
            return true;
        }
        PaintFrame();
        m.Result = 0;
        return true;
    default:
        break;
    }
    if (FState == fsWaiting)
        return false;
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        HandleCalcSize(m);
        return true;
    case WM_NCHITTEST: {
        m.CallNext();
        RECT r{};
        GetWindowRect(FHandle, &r);
        m.Result = RefineHitTest(m.Result, ScreenToWindow(PointOf(m.LParam)), r.right - r.left, FFrame, FMenuHeight);
        return true;
    }
    case WM_SKINPAINTFRAME:
        PaintFrame();
        m.Result = 0;
        return true;
    default:
        return MouseMessage(m);
    }
}

void TFormSkin::HandleActivation(TWindowMessage& m)
{
    const bool active = m.WParam != 0;
    if (active != FActive)
        FFrameCacheValid = false;
    FActive = active;
    SetHoverTimer(FActive && FState != fsWaiting);
    if (!FActive && FHotObject && !FPressedButton)
        FHotObject = nullptr;
    // The default handling keeps the platform's activation state; lParam -1 tells it not
    // to paint its caption.
    m.LParam = -1;
    m.CallNext();
    PaintFrame();
    m.Result = TRUE;
}

int TFormSkin::BorderBand() const
{
    return FForm ? FForm->BorderWidth() : 0;
}

void TFormSkin::HandleCalcSize(TWindowMessage& m)
{
    if (!m.LParam) {
        m.CallNext();
        return;
    }
    // Both forms of the message get the skinned client: with wParam false the rectangle is
    // the window's, to be turned into its client rectangle just the same.
    auto* rect = reinterpret_cast<RECT*>(m.LParam);
    const RECT proposed = *rect;
    m.CallNext();
    *rect = SkinnedClientRect(proposed, FFrame, FMenuHeight);
    // A form's border-width band lies inside the skinned frame too.
    if (const int band = BorderBand())
        InflateRect(rect, -band, -band);
    if (m.WParam) {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
        params->rgrc[1] = params->rgrc[0];
        m.Result = WVR_VALIDRECTS;
    } else {
        m.Result = 0;
    }
}

TWinSysButton* TFormSkin::ButtonAt(POINT at) const
{
    for (const auto& button : FTitleButtons)
        if (button->Clickable() && PtInRect(&button->Rect, at))
            return button.get();
    return nullptr;
}

bool TFormSkin::MouseMessage(TWindowMessage& m)
{
    if (FPressedButton)
        return PressedButtonMessage(m);
    switch (m.Msg) {
    case WM_NCMOUSEMOVE: {
        if (!FActive) {
            m.Result = 0;  // an inactive window's title does not light up
            return true;
        }
        if (TWinSysButton* button = ButtonAt(ScreenToWindow(PointOf(m.LParam)))) {
            button->Hover();
            m.Result = 0;
            return true;
        }
        if (TMenuBtn* entry = FMenuBar ? FMenuBar->ItemAt(ScreenToWindow(PointOf(m.LParam))) : nullptr) {
            entry->Hover();
            m.Result = 0;
            return true;
        }
        if (FHotObject)
            FHotObject->Leave();
        return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        if (TWinSysButton* button = ButtonAt(ScreenToWindow(PointOf(m.LParam)))) {
            // Never to the default handling: Wine would run its own loop drawing classic
            // buttons. The button acts when the mouse is released over it.
            if (!FActive)
                SetForegroundWindow(FHandle);
            button->Press();
            FPressedButton = button;
            SetCapture(FHandle);
            m.Result = 0;
            return true;
        }
        if (TMenuBtn* entry = FMenuBar ? FMenuBar->ItemAt(ScreenToWindow(PointOf(m.LParam))) : nullptr) {
            if (!FActive)
                SetForegroundWindow(FHandle);
            FMenuBar->OpenFromBar(*entry, false);
            m.Result = 0;
            return true;
        }
        if (m.Msg == WM_NCLBUTTONDBLCLK) {
            // Only the caption's double click maximizes or restores; the borders size.
            if (m.WParam != HTCAPTION)
                return false;
            if (FWindowState != 0)
                Restore();
            else if (FBorderIcons & fiMaximize)
                ToggleMaximize();
            m.Result = 0;
            return true;
        }
        if (m.WParam == HTCAPTION && FWindowState == 1 && FActive) {
            m.Result = 0;  // a maximized window is not dragged by its title
            return true;
        }
        return false;
    }
    case WM_NCLBUTTONUP:
        if (ButtonAt(ScreenToWindow(PointOf(m.LParam)))) {
            m.Result = 0;
            return true;
        }
        return false;
    case WM_NCRBUTTONDOWN:
        if (m.WParam != HTCAPTION)
            return false;
        ShowWindowMenu(PointOf(m.LParam));
        m.Result = 0;
        return true;
    default:
        return false;
    }
}

// While a title-bar button is held the mouse is captured: moving off shows it released,
// moving back shows it pressed, and only a release over it acts.
bool TFormSkin::PressedButtonMessage(TWindowMessage& m)
{
    switch (m.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        POINT client = PointOf(m.LParam);
        ClientToScreen(FHandle, &client);
        const POINT at = ScreenToWindow(client);
        const bool over = PtInRect(&FPressedButton->Rect, at) != FALSE;
        if (m.Msg == WM_LBUTTONUP) {
            EndPress(over);
        } else {
            const TNCButtonState look = over ? nbsPressed : nbsNormal;
            if (FPressedButton->ButtonState != look) {
                FPressedButton->ButtonState = look;
                PaintButton(*FPressedButton, look);
            }
        }
        m.Result = 0;
        return true;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != FHandle)
            EndPress(false);
        return false;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
        m.Result = 0;
        return true;
    default:
        return false;
    }
}

void TFormSkin::EndPress(bool act)
{
    TWinSysButton* button = FPressedButton;
    FPressedButton = nullptr;
    if (GetCapture() == FHandle)
        ReleaseCapture();
    if (!button)
        return;
    if (!act) {
        button->Leave();
        return;
    }
    button->Release();
    POINT cursor{};
    GetCursorPos(&cursor);
    DoAction(*button, cursor);
}
