#include "TestProcess.h"

#include <iterator>
#include <stdexcept>
#include <thread>

namespace kivora::test {

namespace {

struct HandleCloser {
    HANDLE handle = nullptr;
    ~HandleCloser() { if (handle) CloseHandle(handle); }
};

std::wstring CommandLine(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring line = L"\"" + ExeFolder() + program + L"\"";
    if (!arguments.empty())
        line += L" " + arguments;
    return line;
}

} // namespace

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

ProcessResult RunProgram(const std::wstring& program, const std::wstring& arguments,
                         std::chrono::milliseconds timeout)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HandleCloser readEnd, writeEnd;
    if (!CreatePipe(&readEnd.handle, &writeEnd.handle, &inherit, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(readEnd.handle, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.handle;
    startup.hStdError = writeEnd.handle;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);

    std::wstring line = CommandLine(program, arguments);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("CreateProcess failed");
    HandleCloser process{info.hProcess}, thread{info.hThread};
    CloseHandle(writeEnd.handle);
    writeEnd.handle = nullptr;

    ProcessResult result;
    std::thread reader([&] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd.handle, buffer, sizeof buffer, &got, nullptr) && got)
            result.output.append(buffer, got);
    });
    if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        result.timedOut = true;
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, INFINITE);
    }
    reader.join();
    GetExitCodeProcess(info.hProcess, &result.exitCode);
    return result;
}

TProcess::TProcess(const std::wstring& program, const std::wstring& arguments)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = CommandLine(program, arguments);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &FInfo))
        throw std::runtime_error("CreateProcess failed");
}

TProcess::~TProcess()
{
    if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(FInfo.hProcess, 1);
        WaitForSingleObject(FInfo.hProcess, 5000);
    }
    CloseHandle(FInfo.hThread);
    CloseHandle(FInfo.hProcess);
}

bool TProcess::WaitForExit(std::chrono::milliseconds timeout, DWORD* exitCode)
{
    if (WaitForSingleObject(FInfo.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(FInfo.hProcess, exitCode);
    return true;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, std::chrono::milliseconds timeout)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindows(processId, className))
            if (IsWindowVisible(window))
                found = window;
        return found != nullptr;
    }, timeout);
    return found;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className)
{
    struct Search {
        DWORD processId;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows([](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s.processId)
            return TRUE;
        if (s.className) {
            wchar_t name[256];
            if (!GetClassNameW(window, name, 256) || lstrcmpW(name, s.className) != 0)
                return TRUE;
        }
        s.found.push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), length + 1));
    return text;
}

} // namespace kivora::test
