// What the Windows benchmarks share: running the thread's waiting messages, the median of
// a run's results, and timing a paint (the median over 9 runs, each the mean of `repeats`
// calls, with the waiting messages run between the runs).
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
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

template <class F>
double MedianMs(F paintOnce, int repeats)
{
    std::vector<double> runs;
    for (int run = 0; run < 9; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeats; ++i)
            paintOnce();
        GdiFlush();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        runs.push_back(took.count() / repeats);
        Pump();
    }
    return Median(runs);
}
