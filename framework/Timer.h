// TTimer: fires OnTimer every Interval milliseconds while Enabled, on the GUI thread
// (a window timer on a hidden window of its own). A timer being loaded with its form
// starts when loading is finished.
#pragma once
#include "framework/Component.h"
#include "framework/Event.h"
#include "framework/UtilityWindow.h"

#include <memory>

class TTimer : public TComponent {
    KIVORA_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned interval);
    void Loaded() override;

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    void TimerWndProc(TMessage& message);
    bool FEnabled = true;
    unsigned FInterval = 1000;
    std::unique_ptr<TUtilityWindow> FWindow;
};
