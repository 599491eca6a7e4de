// Running the test thread's messages: all that are waiting, or until a condition holds
// (with a time limit, never a fixed sleep).
#pragma once

#include <windows.h>

#include <chrono>

inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

template <class F>
bool PumpUntil(F done, std::chrono::milliseconds limit = std::chrono::milliseconds(3000))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Pump();
        Sleep(5);
    }
    return true;
}
