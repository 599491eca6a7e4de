// Stands in for a skin engine's creation hook: a WH_CBT hook on this thread that runs an
// action for the next window being created, at HCBT_CREATEWND — before that window has
// had any message — once.
#pragma once
#include <windows.h>

#include <functional>
#include <utility>

class TCreationHook {
public:
    explicit TCreationHook(std::function<void(HWND)> action) : FAction(std::move(action))
    {
        Active() = this;
        FHook = SetWindowsHookExW(WH_CBT, Proc, nullptr, GetCurrentThreadId());
    }
    ~TCreationHook()
    {
        UnhookWindowsHookEx(FHook);
        Active() = nullptr;
    }
    TCreationHook(const TCreationHook&) = delete;
    TCreationHook& operator=(const TCreationHook&) = delete;
    bool Ran() const { return !FAction; }

private:
    static TCreationHook*& Active()
    {
        static TCreationHook* active = nullptr;
        return active;
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        TCreationHook* self = Active();
        if (code == HCBT_CREATEWND && self && self->FAction) {
            auto action = std::move(self->FAction); // windows the action makes do not run it again
            self->FAction = nullptr;
            action(reinterpret_cast<HWND>(wParam));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK FHook;
    std::function<void(HWND)> FAction;
};
