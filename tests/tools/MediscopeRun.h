// Running Mediscope against the stand-in Windows Media Format runtime, and the test files.
#pragma once

#include "TestProcess.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace mediscope::test {

// Sets environment variables for the programs this process starts; restores them after.
class TScopedEnvironment {
public:
    explicit TScopedEnvironment(std::vector<std::pair<std::wstring, std::wstring>> variables);
    ~TScopedEnvironment();
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
    std::vector<std::pair<std::wstring, std::wstring>> FSaved;
    std::vector<bool> FHadValue;
};

// Mediscope's output with "\r\n" turned into "\n", and its exit code.
struct TRun {
    std::string output;
    DWORD exitCode = 0;
};

// A Mediscope copy (path relative to the test's folder). Wine, like Windows, loads a
// wmvcore.dll found beside the program before its own.
TRun RunMediscope(const std::wstring& program, const std::wstring& arguments);
// Mediscope from bin/wmf/, beside the stand-in runtime, optionally with injected faults
// (KIVORA_WMF_FAULT, e.g. L"GetBitrate=0xC00D0BBD").
TRun RunWithStandIn(const std::wstring& arguments, const std::wstring& faults = L"");

// A file the build made in build/media/.
std::wstring MediaPath(const std::wstring& name);
// A file a test writes, in build/media/scratch/; deleted when the object goes.
struct TScratchFile {
    explicit TScratchFile(const std::wstring& name);
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;
    std::wstring path;
};
std::wstring Quoted(const std::wstring& text);
std::string Narrow(const std::wstring& text);

std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

// "Properties for <file> are:" and the lines an unprotected file's attributes give.
std::string Heading(const std::wstring& file);

} // namespace mediscope::test
