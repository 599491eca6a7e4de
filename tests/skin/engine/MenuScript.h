// TMenuScript: steps run while a menu (or another modal loop of the thread) is open.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Runs steps while a menu is open (its loop dispatches the thread's timer): one step per
// tick; a step answers true when it is done. A script that stalls ends the menu, so a
// failing test never hangs in the menu loop (nor in a menu bar lit for the keyboard).
class TMenuScript {
public:
    explicit TMenuScript(std::vector<std::function<bool()>> steps) : FSteps(std::move(steps))
    {
        gCurrent = this;
        FTimer = SetTimer(nullptr, 0, 10, Tick);
    }
    ~TMenuScript()
    {
        KillTimer(nullptr, FTimer);
        gCurrent = nullptr;
    }
    TMenuScript(const TMenuScript&) = delete;
    TMenuScript& operator=(const TMenuScript&) = delete;
    bool Finished() const { return FNext == FSteps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TMenuScript* s = gCurrent;
        if (!s || s->Finished())
            return;
        if (s->FSteps[s->FNext]()) {
            ++s->FNext;
            s->FStalled = 0;
        } else if (++s->FStalled > 300) {
            ADD_FAILURE() << "menu script stalled at step " << s->FNext;
            s->FNext = s->FSteps.size();
            EndMenu();
            // A lit menu bar is left with Escape.
            PostMessageW(GetActiveWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }
    static inline TMenuScript* gCurrent = nullptr;
    std::vector<std::function<bool()>> FSteps;
    std::size_t FNext = 0;
    int FStalled = 0;
    UINT_PTR FTimer = 0;
};
