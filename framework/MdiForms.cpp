// The MDI side of forms: an fsMDIForm frame makes an MDI client window that fills its
// client area and hands its unhandled messages to DefFrameProc; an fsMDIChild form is a
// child of that client (WS_EX_MDICHILD), hands its unhandled messages to DefMDIChildProc,
// and is activated, maximized, tiled and cascaded by the client.
#include "framework/Form.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"

namespace {

constexpr UINT kFirstChildId = 0xFF00;  // the client numbers its children's window-menu items from here

std::vector<HWND> MdiChildWindows(HWND client)
{
    std::vector<HWND> children;
    for (HWND w = client ? GetWindow(client, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_MDICHILD)
            children.push_back(w);
    return children;
}

TCustomForm* FormOf(HWND window)
{
    return window ? As<TCustomForm>(FindControl(window)) : nullptr;
}

}  // namespace

TCustomForm* TCustomForm::MDIFrame() const
{
    if (FFormStyle != fsMDIChild)
        return nullptr;
    auto* owner = As<TCustomForm>(Owner());
    if (owner && owner->FFormStyle == fsMDIForm)
        return owner;
    TCustomForm* main = Application->MainForm();
    return main && main->FFormStyle == fsMDIForm ? main : nullptr;
}

void TCustomForm::MDIChildParams(TCreateParams& params)
{
    TCustomForm* frame = MDIFrame();
    if (!frame)
        throw EInvalidOperation(L"An MDI child form needs an MDI frame form");
    frame->HandleNeeded();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU |
                   WS_MINIMIZEBOX | WS_MAXIMIZEBOX | (Enabled() ? 0 : WS_DISABLED);
    params.ExStyle = WS_EX_MDICHILD;
    params.WndParent = frame->ClientHandle();
}

void TCustomForm::CreateMDIClient()
{
    CLIENTCREATESTRUCT create{};
    create.hWindowMenu = nullptr;
    create.idFirstChild = kFirstChildId;
    RECT client{};
    GetClientRect(Handle(), &client);
    FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                    client.right, client.bottom, Handle(), nullptr, GetModuleHandleW(nullptr), &create);
    if (!FClientHandle)
        RaiseLastOSError(L"Error creating the MDI client window");
}

void TCustomForm::DestroyMDIChild()
{
    TCustomForm* frame = MDIFrame();
    if (HandleAllocated() && frame && frame->ClientHandle() && IsWindow(frame->ClientHandle())) {
        SendMessageW(frame->ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
        frame->UpdateMDIMenu();  // the last child gone gives the frame its own bar back
    }
}

void TCustomForm::FitMDIClient()
{
    if (!FClientHandle || !IsWindow(FClientHandle))
        return;
    RECT client{};
    GetClientRect(Handle(), &client);
    MoveWindow(FClientHandle, 0, 0, client.right, client.bottom, TRUE);
}

void TCustomForm::DefaultHandler(TMessage& message)
{
    if (FFormStyle == fsMDIForm && HandleAllocated()) {
        // The client window goes with the frame; DefFrameProc must not see it after.
        if (message.Msg == WM_NCDESTROY)
            FClientHandle = nullptr;
        if (message.Msg == WM_DESTROY)
            ReleaseMergedMenu();
        message.Result = DefFrameProcW(Handle(), FClientHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (FFormStyle == fsMDIChild && HandleAllocated() && MDIFrame()) {
        message.Result = DefMDIChildProcW(Handle(), message.Msg, message.WParam, message.LParam);
        if (message.Msg == WM_MDIACTIVATE && reinterpret_cast<HWND>(message.LParam) == Handle())
            MDIFrame()->UpdateMDIMenu();
        return;
    }
    TWinControl::DefaultHandler(message);
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (!FClientHandle)
        return nullptr;
    return FormOf(reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0)));
}

int TCustomForm::MDIChildCount() const
{
    return static_cast<int>(MdiChildWindows(FClientHandle).size());
}

TCustomForm* TCustomForm::MDIChildren(int index) const
{
    const std::vector<HWND> children = MdiChildWindows(FClientHandle);
    return index >= 0 && index < static_cast<int>(children.size()) ? FormOf(children[static_cast<size_t>(index)])
                                                                     : nullptr;
}

void TCustomForm::Cascade()
{
    if (FClientHandle)
        SendMessageW(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile()
{
    if (FClientHandle)
        SendMessageW(FClientHandle, WM_MDITILE, MDITILE_VERTICAL, 0);
}
