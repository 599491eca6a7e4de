#include "framework/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

const TClassInfo& TTrackBar::StaticClass()
{
    static const TClassInfo info(L"TTrackBar", &TWinControl::StaticClass(), {
        EnumProp(L"Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation),
        IntProp(L"Min", &TTrackBar::Min, &TTrackBar::SetMin),
        IntProp(L"Max", &TTrackBar::Max, &TTrackBar::SetMax),
        IntProp(L"Position", &TTrackBar::Position, &TTrackBar::SetPosition),
        IntProp(L"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency),
        IntProp(L"LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize),
        IntProp(L"PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize),
        EventProp(L"OnChange", &TTrackBar::OnChange),
    });
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = TRACKBAR_CLASSW;
    params.Style |= TBS_AUTOTICKS | (FOrientation == trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateWindow();
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation)
{
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    // The direction is a creation style: the window is made again, length and thickness
    // trading places.
    SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::SetMin(int v)
{
    FMin = v;
    FMax = std::max(FMax, v);
    SetPosition(FPosition);
    UpdateWindow();
}

void TTrackBar::SetMax(int v)
{
    FMax = v;
    FMin = std::min(FMin, v);
    SetPosition(FPosition);
    UpdateWindow();
}

void TTrackBar::SetPosition(int v)
{
    v = std::clamp(v, FMin, FMax);
    if (v == FPosition)
        return;
    FPosition = v;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETPOS, TRUE, FPosition);
    OnChange(this);
}

void TTrackBar::SetFrequency(int v)
{
    FFrequency = std::max(v, 1);
    UpdateWindow();
}

void TTrackBar::SetLineSize(int v)
{
    FLineSize = v;
    UpdateWindow();
}

void TTrackBar::SetPageSize(int v)
{
    FPageSize = v;
    UpdateWindow();
}

void TTrackBar::UpdateWindow()
{
    if (!HandleAllocated())
        return;
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    SendMessageW(Handle(), TBM_SETLINESIZE, 0, FLineSize);
    SendMessageW(Handle(), TBM_SETPAGESIZE, 0, FPageSize);
    SendMessageW(Handle(), TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        // The control has moved its thumb already; the position follows it.
        const int position = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
        if (position != FPosition) {
            FPosition = position;
            OnChange(this);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
