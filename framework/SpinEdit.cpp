#include "framework/SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>

const TClassInfo& TSpinEdit::StaticClass()
{
    static const TClassInfo info(L"TSpinEdit", &TCustomEdit::StaticClass(), {
        IntProp(L"Value", &TSpinEdit::Value, &TSpinEdit::SetValue),
        IntProp(L"MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue),
        IntProp(L"MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue),
        IntProp(L"Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement),
    });
    return info;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner)
{
    SetCaption(L"0");
}

int TSpinEdit::Limited(int v) const
{
    return FMaxValue == 0 && FMinValue == 0 ? v : std::clamp(v, FMinValue, std::max(FMinValue, FMaxValue));
}

int TSpinEdit::Value() const
{
    return Limited(static_cast<int>(std::wcstol(Caption().c_str(), nullptr, 10)));
}

void TSpinEdit::SetValue(int v)
{
    SetCaption(std::to_wstring(Limited(v)));
}

void TSpinEdit::CreateWnd()
{
    TCustomEdit::CreateWnd();
    // The arrows live inside the edit, so they move and hide with it; the text keeps
    // clear of them.
    FButton = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SendMessageW(FButton, UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
    PlaceButton();
}

void TSpinEdit::PlaceButton()
{
    if (!FButton)
        return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = std::min(GetSystemMetrics(SM_CXVSCROLL), static_cast<int>(client.right));
    SetWindowPos(FButton, nullptr, client.right - width, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

void TSpinEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NOTIFY: {
        const auto* change = reinterpret_cast<const NMUPDOWN*>(message.LParam);
        if (change->hdr.hwndFrom == FButton && change->hdr.code == UDN_DELTAPOS) {
            // The arrows' range runs upwards (-1 to 1), so the up arrow asks for +1.
            SetValue(Value() + change->iDelta * FIncrement);
            message.Result = 1; // the arrows keep no position of their own
            return;
        }
        break;
    }
    case WM_KEYDOWN:
        if (message.WParam == VK_UP || message.WParam == VK_DOWN) {
            SetValue(Value() + (message.WParam == VK_UP ? FIncrement : -FIncrement));
            message.Result = 0;
            return;
        }
        break;
    case WM_SIZE:
        TCustomEdit::WndProc(message);
        PlaceButton();
        return;
    case WM_NCDESTROY:
        FButton = nullptr;
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(message);
}
