// TUtilityWindow: a hidden window whose messages go to a method — for components that
// need a window of their own to receive timer ticks or posted notifications. The method
// gets every message and passes what it does not handle to DefWindowProcW(Handle(), ...).
// Exceptions from the method reach the application's handler. The window goes with the
// object.
#pragma once
#include "framework/Handles.h"
#include "framework/Messages.h"

#include <string>

class TUtilityWindow {
public:
    // messageOnly: a message-only window (HWND_MESSAGE); otherwise a hidden top-level
    // window, which may own menus and receive notifications of tooltips.
    explicit TUtilityWindow(TWndMethod method, bool messageOnly = true, const std::wstring& className = L"TPUtilWindow");
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;
    HWND Handle() const { return FHandle.get(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    TWndMethod FMethod;
    TWindowHandle FHandle;
};
