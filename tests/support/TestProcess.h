// Starting the programs under test and waiting on them from a test.
//
// A test finds the programs beside its own executable (every target of the build lands
// in one folder). Waits poll a condition with a deadline instead of sleeping a fixed time.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kivora::test {

// The folder of the running test executable, with a trailing backslash.
std::wstring ExeFolder();

// Output and exit code of a program run to its end.
struct ProcessResult {
    DWORD exitCode = 0;
    std::string output;     // standard output, as bytes
    bool timedOut = false;
};

// Runs ExeFolder() + program with the given command-line arguments (already quoted),
// capturing standard output; kills it after the timeout.
ProcessResult RunProgram(const std::wstring& program, const std::wstring& arguments,
                         std::chrono::milliseconds timeout = std::chrono::seconds(60));

// A started program; killed when the object goes out of scope while still running.
class TProcess {
public:
    TProcess(const std::wstring& program, const std::wstring& arguments);
    ~TProcess();
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    DWORD Id() const { return FInfo.dwProcessId; }
    HANDLE Handle() const { return FInfo.hProcess; }
    // Waits for the program to end; false on timeout.
    bool WaitForExit(std::chrono::milliseconds timeout, DWORD* exitCode = nullptr);

private:
    PROCESS_INFORMATION FInfo{};
};

// Polls the condition every few milliseconds, pumping this thread's messages, until it
// holds or the timeout passes. Returns whether it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Top-level windows of a process, optionally of one window class.
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className = nullptr);

// Waits for a visible top-level window of the process of this class ("#32770" for a
// message box); nullptr when none appears in time.
HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className,
                          std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The window's text.
std::wstring WindowText(HWND window);

} // namespace kivora::test
