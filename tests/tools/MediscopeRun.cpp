#include "MediscopeRun.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

using namespace kivora::test;

namespace mediscope::test {

namespace {

std::string UnixLines(std::string text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            result += text[i];
    return result;
}

// Closes a handle when it goes.
struct THandle {
    explicit THandle(HANDLE h) : handle(h) {}
    ~THandle() { Close(); }
    THandle(const THandle&) = delete;
    THandle& operator=(THandle&& other) noexcept
    {
        Close();
        handle = std::exchange(other.handle, INVALID_HANDLE_VALUE);
        return *this;
    }
    void Close()
    {
        if (handle && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    HANDLE handle;
};

} // namespace

TScopedEnvironment::TScopedEnvironment(std::vector<std::pair<std::wstring, std::wstring>> variables)
{
    for (auto& [name, value] : variables) {
        wchar_t old[4096];
        DWORD length = GetEnvironmentVariableW(name.c_str(), old, 4096);
        FHadValue.push_back(length > 0 && length < 4096);
        FSaved.emplace_back(name, FHadValue.back() ? std::wstring(old, length) : std::wstring());
        SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
    }
}

TScopedEnvironment::~TScopedEnvironment()
{
    for (size_t i = 0; i < FSaved.size(); ++i)
        SetEnvironmentVariableW(FSaved[i].first.c_str(), FHadValue[i] ? FSaved[i].second.c_str() : nullptr);
}

TRun RunMediscope(const std::wstring& program, const std::wstring& arguments)
{
    TScratchFile output(L"output.txt");
    {
        // Standard output goes to a file rather than a pipe: under Wine, COM start-up may
        // launch the desktop process from Mediscope, and that process inherits (and keeps)
        // Mediscope's standard handles; a pipe would then never report its end.
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        THandle file(CreateFileW(output.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        THandle nul(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
        if (file.handle == INVALID_HANDLE_VALUE || nul.handle == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot make Mediscope's standard handles");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nul.handle;
        startup.hStdOutput = file.handle;
        startup.hStdError = file.handle;
        std::wstring line = L"\"" + ExeFolder() + program + L"\" " + arguments;
        PROCESS_INFORMATION info{};
        // Under a loaded Wine a process start can fail once for reasons of its own; the
        // start is tried a few times, and a lasting failure says why.
        bool started = false;
        DWORD error = 0;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
            if (!started) {
                error = GetLastError();
                Sleep(200);
            }
        }
        if (!started)
            throw std::runtime_error("cannot start Mediscope (error " + std::to_string(error) + ")");
        THandle process(info.hProcess), thread(info.hThread);
        if (WaitForSingleObject(info.hProcess, 60'000) != WAIT_OBJECT_0) {
            TerminateProcess(info.hProcess, 1);
            throw std::runtime_error("Mediscope did not end");
        }
        DWORD exitCode = 0;
        GetExitCodeProcess(info.hProcess, &exitCode);
        file = THandle(INVALID_HANDLE_VALUE);
        std::vector<uint8_t> bytes = ReadFileBytes(output.path);
        return {UnixLines(std::string(bytes.begin(), bytes.end())), exitCode};
    }
}

TRun RunWithStandIn(const std::wstring& arguments, const std::wstring& faults)
{
    TScopedEnvironment environment({{L"KIVORA_WMF_FAULT", faults}});
    return RunMediscope(L"wmf\\Mediscope.exe", arguments);
}

std::wstring MediaPath(const std::wstring& name)
{
    return ExeFolder() + L"..\\media\\" + name;
}

TScratchFile::TScratchFile(const std::wstring& name)
{
    const std::wstring folder = ExeFolder() + L"..\\media\\scratch\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    // Tests may run side by side: the process id keeps their files apart.
    path = folder + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

TScratchFile::~TScratchFile()
{
    DeleteFileW(path.c_str());
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

std::string Narrow(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string Heading(const std::wstring& file)
{
    return "Properties for " + Narrow(file) + " are:\n";
}

} // namespace mediscope::test
