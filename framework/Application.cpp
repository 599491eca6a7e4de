#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/HintWindow.h"
#include "framework/Menus.h"
#include "framework/MessageBox.h"

#include <objbase.h>

#include <algorithm>

#include <cwchar>

// Made once and never deleted by static destruction: the forms are freed by Finalize
// while everything they use still exists.
TApplication* const Application = new TApplication;

const TClassInfo& TApplication::StaticClass()
{
    static const TClassInfo info(L"TApplication", &TComponent::StaticClass(), {
        StrProp(L"Title", &TApplication::Title, &TApplication::SetTitle),
    });
    return info;
}

TApplication::TApplication() : TComponent(nullptr)
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    FTitle = name.substr(0, name.rfind(L'.'));
}

TApplication::~TApplication() = default;

void TApplication::Initialize()
{
    if (!FComStarted)
        FComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void TApplication::Finalize()
{
    DestroyComponents();
    FMainForm = nullptr;
    FWindow.reset();
    if (FComStarted) {
        CoUninitialize();
        FComStarted = false;
    }
}

void TApplication::AddForm(TCustomForm* form)
{
    if (!FMainForm)
        FMainForm = form;
    form->Load();
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FMainForm)
        FMainForm = nullptr;
    TComponent::Notification(component, operation);
}

TCustomForm* TApplication::FindFrameworkForm(HWND window) const
{
    if (!window)
        return nullptr;
    for (TCustomForm* form : FForms)
        if (form->HandleAllocated() && form->Handle() == window)
            return form;
    return nullptr;
}

std::vector<TCustomForm*> TApplication::FormsInZOrder() const
{
    std::vector<TCustomForm*> ordered;
    if (std::none_of(FForms.begin(), FForms.end(), [](TCustomForm* f) { return f->HandleAllocated(); }))
        return ordered;
    // The top-level windows from the top down. The walk is bounded by the number of
    // window handles a session can have (65536), in case the list changes under it.
    HWND window = GetTopWindow(nullptr);
    for (int n = 0; window && n < 65536 && ordered.size() < FForms.size(); ++n) {
        if (TCustomForm* form = FindFrameworkForm(window))
            ordered.push_back(form);
        window = GetWindow(window, GW_HWNDNEXT);
    }
    return ordered;
}

void TApplication::Run()
{
    if (FMainForm && FShowMainForm)
        FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

namespace {

// Ctrl+F4 and Ctrl+F6 in an MDI frame close and cycle its children.
bool TranslateMdiKey(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    auto* form = root ? As<TCustomForm>(FindControl(root)) : nullptr;
    return form && form->ClientHandle() && TranslateMDISysAccel(form->ClientHandle(), &msg);
}

}  // namespace

bool TApplication::DispatchDialogKey(MSG& msg)
{
    if (TranslateMdiKey(msg))
        return true;
    // Tab and Shift+Tab move between the controls of a form, as in a dialog box.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB)
        return false;
    // Ctrl+Tab turns the page of the nearest tab or page control round the focus.
    if (GetKeyState(VK_CONTROL) < 0) {
        const WPARAM forward = GetKeyState(VK_SHIFT) < 0 ? 0 : 1;
        for (HWND window = msg.hwnd; window; window = GetParent(window))
            if (TWinControl* control = FindControl(window); control && control->Perform(CM_CYCLEPAGE, forward, 0))
                return true;
    }
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && As<TCustomForm>(FindControl(root)) && IsDialogMessageW(root, &msg);
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        FTerminated = true;
        return;
    }
    if (!DispatchDialogKey(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            FTerminated = true;
            return;
        }
        if (!DispatchDialogKey(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

HWND TApplication::Handle()
{
    if (!FWindow)
        FWindow = std::make_unique<TUtilityWindow>(TWndMethod(this, &TApplication::AppWndProc), false, L"TApplication");
    return FWindow->Handle();
}

void TApplication::AppWndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NOTIFY:
        if (HandleHintNotify(message))
            return;
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (DispatchMenuOwnerDraw(message))
            return;
        break;
    case WM_MENUCHAR:
        if (DispatchMenuChar(message))
            return;
        break;
    default:
        break;
    }
    message.Result = DefWindowProcW(FWindow ? FWindow->Handle() : nullptr, message.Msg, message.WParam, message.LParam);
}

void TApplication::HandleException(TObject* sender)
{
    std::wstring text = CurrentExceptionMessage();
    if (OnException)
        OnException(sender, text);
    else
        ShowException(text);
}

bool TApplication::HandleMessageException(TObject* sender, UINT msg)
{
    if (!IsPaintOrNonClientMessage(msg)) {
        HandleException(sender);
        return false;
    }
    wchar_t head[48];
    swprintf(head, 48, L"Kivora: message 0x%04X failed: ", msg);
    std::wstring text = head + CurrentExceptionMessage() + L"\n";
    OutputDebugStringW(text.c_str());
    return true;
}

void TApplication::ShowException(const std::wstring& message)
{
    ShowMessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags)
{
    return ShowMessageBox(text, caption, flags);
}
