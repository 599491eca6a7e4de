#include "framework/Timer.h"

const TClassInfo& TTimer::StaticClass()
{
    static const TClassInfo info(L"TTimer", &TComponent::StaticClass(), {
        BoolProp(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
        IntProp(L"Interval", &TTimer::Interval, &TTimer::SetInterval),
        EventProp(L"OnTimer", &TTimer::OnTimer),
    });
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    if (FWindow)
        KillTimer(FWindow->Handle(), 1);
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled != FEnabled) {
        FEnabled = enabled;
        UpdateTimer();
    }
}

void TTimer::SetInterval(unsigned interval)
{
    if (interval != FInterval) {
        FInterval = interval;
        UpdateTimer();
    }
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FWindow)
        KillTimer(FWindow->Handle(), 1);
    if (!FEnabled || FInterval == 0 || ComponentState().Contains(csLoading))
        return;
    if (!FWindow)
        FWindow = std::make_unique<TUtilityWindow>(TWndMethod(this, &TTimer::TimerWndProc));
    SetTimer(FWindow->Handle(), 1, FInterval, nullptr);
}

void TTimer::TimerWndProc(TMessage& message)
{
    if (message.Msg == WM_TIMER) {
        OnTimer(this);
        return;
    }
    message.Result = DefWindowProcW(FWindow->Handle(), message.Msg, message.WParam, message.LParam);
}
