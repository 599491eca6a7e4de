// Kivora's start to a visible, skinned main window against a plain Win32 window program's
// start to its visible window, measured side by side in one run: the two programs are
// started in turns (so a slow moment of the machine hits both), each time from process
// creation until its window is visible (for Kivora: and its skin has taken the frame), then
// closed. Prints the medians and their ratio (the goal is at most 1.5).
//   KIVORA_PREFIX=devices scripts/wine-run --build build build/bin/kivora-startup-bench.exe [runs]
#include "skin/engine/SkinMessages.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

// The visible top-level window of a process with this class, or nullptr.
HWND VisibleWindowOf(DWORD processId, const wchar_t* className)
{
    struct TSearch {
        DWORD ProcessId;
        const wchar_t* ClassName;
        HWND Found;
    } search{processId, className, nullptr};
    EnumWindows([](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<TSearch*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner == s.ProcessId && IsWindowVisible(window) && std::wcscmp(name, s.ClassName) == 0) {
            s.Found = window;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool Skinned(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_SKINQUERY, 0, 0, SMTO_NORMAL, 1000, &answer) && answer == 1;
}

// Milliseconds from starting the program beside this one until its window is ready;
// negative when it did not start or show in 60 seconds.
double StartMs(const wchar_t* program, const wchar_t* className, bool skinned)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring commandLine(path, length);
    commandLine = L"\"" + commandLine.substr(0, commandLine.find_last_of(L"\\/") + 1) + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = TClock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    double took = -1;
    HWND window = nullptr;
    while (TClock::now() - start < std::chrono::seconds(60)) {
        window = VisibleWindowOf(process.dwProcessId, className);
        if (window && (!skinned || Skinned(window))) {
            took = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
            break;
        }
        Sleep(1);
    }
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return took;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
    std::vector<double> plain, kivora;
    // One start of each first, unmeasured: the system's caches warm for both.
    StartMs(L"kivora-plain-window.exe", L"KivoraPlainWindow", false);
    StartMs(L"Kivora.exe", L"TMainForm", true);
    for (int run = 0; run < runs; ++run) {
        const double p = StartMs(L"kivora-plain-window.exe", L"KivoraPlainWindow", false);
        const double k = StartMs(L"Kivora.exe", L"TMainForm", true);
        if (p < 0 || k < 0) {
            std::printf("a program did not show its window (plain %.0f ms, Kivora %.0f ms)\n", p, k);
            return 1;
        }
        plain.push_back(p);
        kivora.push_back(k);
    }
    const double p = Median(plain), k = Median(kivora);
    std::printf("start to a visible window, median of %d: plain Win32 program %.1f ms, Kivora skinned %.1f ms\n", runs,
                p, k);
    std::printf("ratio Kivora / plain: %.2f (goal at most 1.5)\n", k / p);
    return 0;
}
