#include "framework/HintWindow.h"
#include "framework/Application.h"
#include "framework/WinControl.h"

#include <commctrl.h>

#include <string>

namespace {

HWND Tooltip()
{
    static HWND tooltip = [] {
        HWND t = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Application->Handle(),
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        if (t)
            SendMessageW(t, TTM_SETMAXTIPWIDTH, 0, 600);
        return t;
    }();
    return tooltip;
}

TOOLINFOW ToolFor(HWND control)
{
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = Application->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    return ti;
}

} // namespace

void RegisterHint(HWND control)
{
    if (HWND tooltip = Tooltip()) {
        TOOLINFOW ti = ToolFor(control);
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void UnregisterHint(HWND control)
{
    if (HWND tooltip = Tooltip()) {
        TOOLINFOW ti = ToolFor(control);
        SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

bool HandleHintNotify(TMessage& message)
{
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(message.LParam);
    if (info->hdr.code != TTN_GETDISPINFOW)
        return false;
    static std::wstring text; // the tooltip reads the text after this returns
    text.clear();
    TWinControl* control = FindControl(reinterpret_cast<HWND>(info->hdr.idFrom));
    if (control && control->EffectiveShowHint())
        text = control->Hint();
    info->lpszText = text.data();
    info->hinst = nullptr;
    message.Result = 0;
    return true;
}
