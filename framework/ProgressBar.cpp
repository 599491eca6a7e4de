#include "framework/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

const TClassInfo& TProgressBar::StaticClass()
{
    static const TClassInfo info(L"TProgressBar", &TWinControl::StaticClass(), {
        IntProp(L"Min", &TProgressBar::Min, &TProgressBar::SetMin),
        IntProp(L"Max", &TProgressBar::Max, &TProgressBar::SetMax),
        IntProp(L"Position", &TProgressBar::Position, &TProgressBar::SetPosition),
        IntProp(L"Step", &TProgressBar::Step, &TProgressBar::SetStep),
    });
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = PROGRESS_CLASSW;
}

void TProgressBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateWindow();
}

void TProgressBar::SetMin(int v)
{
    FMin = v;
    FMax = std::max(FMax, v);
    SetPosition(FPosition);
}

void TProgressBar::SetMax(int v)
{
    FMax = v;
    FMin = std::min(FMin, v);
    SetPosition(FPosition);
}

void TProgressBar::SetPosition(int v)
{
    FPosition = std::clamp(v, FMin, FMax);
    UpdateWindow();
}

void TProgressBar::UpdateWindow()
{
    if (!HandleAllocated())
        return;
    SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
    SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}
