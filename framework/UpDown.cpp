#include "framework/UpDown.h"

#include <commctrl.h>

#include <algorithm>

const TClassInfo& TUpDown::StaticClass()
{
    static const TClassInfo info(L"TUpDown", &TWinControl::StaticClass(), {
        IntProp(L"Min", &TUpDown::Min, &TUpDown::SetMin),
        IntProp(L"Max", &TUpDown::Max, &TUpDown::SetMax),
        IntProp(L"Position", &TUpDown::Position, &TUpDown::SetPosition),
        IntProp(L"Increment", &TUpDown::Increment, &TUpDown::SetIncrement),
        BoolProp(L"Wrap", &TUpDown::Wrap, &TUpDown::SetWrap),
        EnumProp(L"Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation),
        ObjProp(L"Associate", &TUpDown::Associate, &TUpDown::SetAssociate),
        EventProp(L"OnChange", &TUpDown::OnChange),
    });
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 17, 25);
}

TUpDown::~TUpDown()
{
    if (FAssociate)
        FAssociate->RemoveFreeNotification(this);
}

void TUpDown::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = UPDOWN_CLASSW;
    params.Style |= UDS_ARROWKEYS | UDS_NOTHOUSANDS | (FWrap ? UDS_WRAP : 0) |
                    (FOrientation == udHorizontal ? UDS_HORZ : 0) |
                    (FAssociate ? UDS_SETBUDDYINT | UDS_ALIGNRIGHT : 0);
}

void TUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateWindow();
}

void TUpDown::UpdateWindow()
{
    if (!HandleAllocated())
        return;
    SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
    UDACCEL accel{0, static_cast<UINT>(std::max(FIncrement, 1))};
    SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (FAssociate)
        SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
    SendMessageW(Handle(), UDM_SETPOS32, 0, FPosition);
    UpdateBoundsFromWindow(); // a buddy moves the arrows to its edge
}

void TUpDown::SetMin(int v)
{
    FMin = v;
    FMax = std::max(FMax, v);
    FPosition = std::clamp(FPosition, FMin, FMax);
    UpdateWindow();
}

void TUpDown::SetMax(int v)
{
    FMax = v;
    FMin = std::min(FMin, v);
    FPosition = std::clamp(FPosition, FMin, FMax);
    UpdateWindow();
}

void TUpDown::SetPosition(int v)
{
    FPosition = std::clamp(v, FMin, FMax);
    if (HandleAllocated())
        SendMessageW(Handle(), UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetIncrement(int v)
{
    FIncrement = std::max(v, 1);
    UpdateWindow();
}

void TUpDown::SetAssociate(TWinControl* associate)
{
    if (associate == FAssociate)
        return;
    if (FAssociate)
        FAssociate->RemoveFreeNotification(this);
    FAssociate = associate;
    if (FAssociate)
        FAssociate->FreeNotification(this);
    RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FAssociate) {
        FAssociate = nullptr;
        // The arrows forget the edit's window too, so they go on stepping on their own.
        if (HandleAllocated())
            SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        // The control's own position; its error flag only says whether a buddy's text was a
        // number, and Wine raises it for an up-down without a buddy.
        const int position = static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0));
        if (position != FPosition) {
            FPosition = position;
            OnChange(this);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
