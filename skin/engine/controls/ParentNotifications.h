// TParentNotifications: what a system control tells its parent about itself (WM_NOTIFY
// with its custom-draw requests, WM_HSCROLL/WM_VSCROLL of a scroll bar or track bar),
// heard by the control's skinning object on the parent's window before the parent's own
// handling (which, for framework parents, hands them to the control's window method, past
// the control's window hooks). The callback answers a message (true, Result set) or lets
// it go on to the parent.
#pragma once

#include "framework/WindowHooks.h"

#include <functional>

class TParentNotifications : private TWindowHook {
public:
    using THandler = std::function<bool(TWindowMessage&)>;
    // child: the control whose notifications are heard; handler: called for each of them.
    TParentNotifications(HWND child, THandler handler);
    ~TParentNotifications() override;
    TParentNotifications(const TParentNotifications&) = delete;
    TParentNotifications& operator=(const TParentNotifications&) = delete;

private:
    bool WndProc(TWindowMessage& message) override;
    void WindowDestroyed(HWND window) override;
    HWND FChild;
    HWND FParent;
    THandler FHandler;
};
