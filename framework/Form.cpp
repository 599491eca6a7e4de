#include "framework/Form.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/DeviceContext.h"
#include "framework/Handles.h"
#include "framework/Menus.h"

#include <algorithm>
#include <vector>

const TClassInfo& TCustomForm::StaticClass()
{
    static const TClassInfo info(L"TCustomForm", &TWinControl::StaticClass(), {
        StrProp(L"Caption", &TCustomForm::Caption, &TCustomForm::SetCaption),
        EnumProp(L"BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle),
        SetProp(L"BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons),
        EnumProp(L"Position", &TCustomForm::Position, &TCustomForm::SetPosition),
        IntProp(L"ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth),
        IntProp(L"ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight),
        IntProp(L"ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult),
        IntProp(L"BorderWidth", &TCustomForm::BorderWidth, &TCustomForm::SetBorderWidth),
        ObjProp(L"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu),
        EventProp(L"OnCreate", &TCustomForm::OnCreate),
        EventProp(L"OnShow", &TCustomForm::OnShow),
        EventProp(L"OnHide", &TCustomForm::OnHide),
        EventProp(L"OnClose", &TCustomForm::OnClose),
        EventProp(L"OnDestroy", &TCustomForm::OnDestroy),
        EventProp(L"OnPaint", &TCustomForm::OnPaint),
    });
    return info;
}

const TClassInfo& TForm::StaticClass()
{
    static const TClassInfo info(L"TForm", &TCustomForm::StaticClass());
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    TControl::SetVisible(false);
    Application->FForms.push_back(this);
}

TCustomForm::~TCustomForm()
{
    auto& forms = Application->FForms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

namespace {
void LoadedInCreationOrder(TComponent* component)
{
    component->Loaded();
    for (TComponent* child : std::vector<TComponent*>(component->ComponentList()))
        LoadedInCreationOrder(child);
}
} // namespace

void TCustomForm::Load()
{
    BeginLoading();
    CreateComponents();
    LoadedInCreationOrder(this);
    try {
        OnCreate(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::BeforeDestruction()
{
    if (!FDestroyFired) {
        FDestroyFired = true;
        try {
            OnDestroy(this);
        } catch (...) {
            Application->HandleException(this);
        }
    }
    DestroyMDIChild();  // while its owner, the frame, is still known
    TWinControl::BeforeDestruction();
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FMenu) {
        FMenu = nullptr;
        FWindowMenu = nullptr;  // one of its items
    }
    if (operation == opRemove && component == FWindowMenu)
        FWindowMenu = nullptr;
    TWinControl::Notification(component, operation);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    FBorderStyle = style;
    if (HandleAllocated()) {
        TCreateParams params;
        CreateParams(params);
        SetWindowLongPtrW(Handle(), GWL_STYLE, params.Style | (Visible() ? WS_VISIBLE : 0));
        SetWindowLongPtrW(Handle(), GWL_EXSTYLE, params.ExStyle);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
}

void TCustomForm::SetBorderIcons(TBorderIcons icons)
{
    FBorderIcons = icons;
    SetBorderStyle(FBorderStyle); // restyles the window
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    DWORD style = WS_CLIPCHILDREN, ex = 0;
    switch (FBorderStyle) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION; ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE; break;
    case bsToolWindow: style |= WS_CAPTION; ex |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; ex |= WS_EX_TOOLWINDOW; break;
    }
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if (FBorderIcons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
        }
        if (FBorderStyle == bsDialog && FBorderIcons.Contains(biHelp))
            ex |= WS_EX_CONTEXTHELP;
    }
    params.Style = style | (Enabled() ? 0 : WS_DISABLED);
    params.ExStyle = ex;
    params.ClassIcon = true;
    TCustomForm* mainForm = Application->MainForm();
    if (mainForm && mainForm != this && mainForm->HandleAllocated())
        params.WndParent = mainForm->Handle(); // stays above the main window, no taskbar button
    if (FFormStyle == fsMDIChild)
        MDIChildParams(params);
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    // The class icon is the window's own too, so WM_GETICON answers it (what a frame
    // drawn by hand, such as a skin's window-icon button, asks for). A dialog frame
    // keeps no icon, as dialogs have none in their title bar.
    if (FBorderStyle != bsDialog) {
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, GetClassLongPtrW(Handle(), GCLP_HICON));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, GetClassLongPtrW(Handle(), GCLP_HICONSM));
    }
    if (FMenu && FFormStyle != fsMDIChild)  // a child's menu shows in its frame's bar
        ::SetMenu(Handle(), FMenu->Handle());
    if (FFormStyle == fsMDIForm)
        CreateMDIClient();
    if (FPendingClientWidth >= 0)
        SetClientWidth(FPendingClientWidth);
    if (FPendingClientHeight >= 0)
        SetClientHeight(FPendingClientHeight);
    FPendingClientWidth = FPendingClientHeight = -1;
}

int TCustomForm::ClientWidth() const
{
    return !HandleAllocated() && FPendingClientWidth >= 0 ? FPendingClientWidth : TWinControl::ClientWidth();
}

int TCustomForm::ClientHeight() const
{
    return !HandleAllocated() && FPendingClientHeight >= 0 ? FPendingClientHeight : TWinControl::ClientHeight();
}

// The client size comes from the frame the window has now (window size minus client size),
// so whoever answers its WM_NCCALCSIZE (a skin with borders of its own, the menu bar) is
// counted; AdjustWindowRectEx would count the native frame of the styles. A window smaller
// than its frame has no client area to measure the frame by, and a menu bar may wrap when
// the width changes: the window is sized by what is missing until the client area fits,
// in at most three passes (a window's size limits may keep it from fitting at all).
// Before the window exists the size asked for waits; CreateWnd applies it.
void TCustomForm::SetClientWidth(int width)
{
    if (!HandleAllocated()) {
        FPendingClientWidth = width;
        return;
    }
    for (int pass = 0; pass < 3 && ClientWidth() != width; ++pass)
        SetWidth(Width() + width - ClientWidth());
}

void TCustomForm::SetClientHeight(int height)
{
    if (!HandleAllocated()) {
        FPendingClientHeight = height;
        return;
    }
    for (int pass = 0; pass < 3 && ClientHeight() != height; ++pass)
        SetHeight(Height() + height - ClientHeight());
}

SIZE TCustomForm::NativeFrameSize()
{
    TCreateParams params;
    CreateParams(params);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, params.Style, FMenu != nullptr && FFormStyle != fsMDIChild, params.ExStyle);
    return {r.right - r.left + 2 * FBorderWidth, r.bottom - r.top + 2 * FBorderWidth};
}

void TCustomForm::SetBorderWidth(int width)
{
    width = std::max(0, width);
    if (width == FBorderWidth)
        return;
    // The client area keeps its size; the window grows or shrinks around it.
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    FBorderWidth = width;
    if (HandleAllocated()) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        SetClientWidth(clientWidth);
        SetClientHeight(clientHeight);
    }
}

void TCustomForm::PaintBorderBand()
{
    if (FBorderWidth <= 0 || !HandleAllocated())
        return;
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    RECT band = client;
    InflateRect(&band, FBorderWidth, FBorderWidth);
    const TWindowDC dc(Handle());
    if (!dc.Handle())
        return;
    const TSavedDC saved(dc.Handle());
    ExcludeClipRect(dc.Handle(), client.left, client.top, client.right, client.bottom);
    const TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc.Handle(), &band, brush.get());
}

void TCustomForm::SetMenu(TMainMenu* menu)
{
    if (FMenu)
        FMenu->RemoveFreeNotification(this);
    FMenu = menu;
    if (menu) {
        menu->FreeNotification(this);
        menu->SetWindow(this);
    }
    if (TCustomForm* frame = MDIFrame()) {
        if (HandleAllocated())
            frame->UpdateMDIMenu();
        return;
    }
    if (HandleAllocated()) {
        ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
        Perform(CM_MENUCHANGED, 0, 0);
    }
}

void TCustomForm::ApplyPosition()
{
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        if (FPositioned)
            return;
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (TCustomForm* mainForm = Application->MainForm(); mainForm && mainForm != this && mainForm->HandleAllocated())
            GetWindowRect(mainForm->Handle(), &area);
        break;
    default:
        return;
    }
    SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
              Width(), Height());
}

void TCustomForm::SetVisible(bool visible)
{
    if (visible == Visible() && (!HandleAllocated() || visible == (IsWindowVisible(Handle()) != FALSE)))
        return;
    if (visible) {
        HandleNeeded();
        ApplyPosition();
        FPositioned = true;
        OnShow(this);
        TControl::SetVisible(true);
        ShowWindow(Handle(), SW_SHOW);
        if (TCustomForm* frame = MDIFrame()) {
            // A child becomes its frame's active child; the frame is what comes forward.
            SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
            SetForegroundWindow(frame->Handle());
            return;
        }
        SetForegroundWindow(Handle());
        HWND focus = GetFocus();
        if (!focus || (focus != Handle() && !IsChild(Handle(), focus))) {
            HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE);
            ::SetFocus(first ? first : Handle());
        }
    } else {
        OnHide(this);
        TControl::SetVisible(false);
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringWindowToTop(Handle());
}

namespace {
BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
} // namespace

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || FModal)
        throw EInvalidOperation(L"Cannot make a visible window modal");
    HWND previousActive = GetActiveWindow();
    if (GetCapture())
        ReleaseCapture();
    HandleNeeded();
    std::vector<HWND> windows, disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND w : windows)
        if (w != Handle() && IsWindowVisible(w) && IsWindowEnabled(w)) {
            EnableWindow(w, FALSE);
            disabled.push_back(w);
        }
    FModal = true;
    FModalResult = mrNone;
    auto restore = [&] {
        for (HWND w : disabled)
            if (IsWindow(w))
                EnableWindow(w, TRUE);
        if (HandleAllocated())
            SetVisible(false);
        FModal = false;
        if (previousActive && IsWindow(previousActive))
            SetActiveWindow(previousActive);
    };
    try {
        Show();
        while (FModalResult == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
            if (!HandleAllocated())
                break;
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return FModalResult;
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caHide;
    try {
        OnClose(this, action);
    } catch (...) {
        Application->HandleException(this);
    }
    if (action == caNone)
        FModalResult = mrNone;
}

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    TCloseAction action = caHide;
    OnClose(this, action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: SetVisible(false); break;
    case caMinimize: ShowWindow(Handle(), SW_MINIMIZE); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release()
{
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::PaintWindow(HDC dc)
{
    TCanvasDCScope lend(FCanvas, dc);
    OnPaint(this);
}

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case CM_RELEASE:
        Free();
        return;
    case WM_NCCALCSIZE:
        // The frame's client area, less the border-width band on every side.
        TWinControl::WndProc(message);
        if (FBorderWidth > 0 && message.LParam)
            InflateRect(reinterpret_cast<RECT*>(message.LParam), -FBorderWidth, -FBorderWidth);
        return;
    case WM_NCPAINT:
        TWinControl::WndProc(message);
        PaintBorderBand();
        return;
    case WM_SIZE:
        TWinControl::WndProc(message);
        FitMDIClient();
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
