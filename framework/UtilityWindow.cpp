#include "framework/UtilityWindow.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

#include <set>

TUtilityWindow::TUtilityWindow(TWndMethod method, bool messageOnly, const std::wstring& className)
    : FMethod(std::move(method))
{
    static std::set<std::wstring> registered;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registered.count(className)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.lpszClassName = className.c_str();
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            RaiseLastOSError(L"Cannot register window class " + className);
        registered.insert(className);
    }
    HWND window = CreateWindowExW(messageOnly ? 0 : WS_EX_TOOLWINDOW, className.c_str(), L"", WS_POPUP, 0, 0, 0, 0,
                                  messageOnly ? HWND_MESSAGE : nullptr, nullptr, instance, nullptr);
    if (!window)
        RaiseLastOSError(L"Cannot create a utility window");
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FHandle.reset(window);
}

TUtilityWindow::~TUtilityWindow()
{
    if (FHandle)
        SetWindowLongPtrW(FHandle.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK TUtilityWindow::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TUtilityWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->FMethod)
        return DefWindowProcW(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        self->FMethod(message);
    } catch (...) {
        Application->HandleException(nullptr);
        return 0;
    }
    return message.Result;
}
