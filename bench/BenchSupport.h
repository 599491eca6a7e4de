// What the Windows benchmarks share: running the thread's waiting messages, and the median
// of a run's results.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
