// Mediscope: prints a Windows Media file's properties — DRM protection, seekable,
// stridable, and its streams with their numbers, bit rates and codecs.
#include "ConsoleText.h"
#include "PropertiesReport.h"
#include "ReaderCallback.h"
#include "WmfRuntime.h"

#include <cstdio>
#include <cwchar>

namespace {

// Ends COM on the thread when the run is over, after every COM object is gone.
struct TComScope {
    ~TComScope() { CoUninitialize(); }
};

// The name's length in bytes in the system's ANSI code page (without the terminator), or
// -1 when it cannot be converted.
int AnsiByteLength(const wchar_t* name)
{
    int bytes = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
    return bytes > 0 ? bytes - 1 : -1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::printf("Mediscope <infile>\n");
        std::printf("infile = Input Windows Media file for which properties are sought\n");
        return -1;
    }

    HRESULT hr = CoInitialize(nullptr);
    if (FAILED(hr)) {
        PrintFailure(L"CoInitialize failed", hr);
        return hr;
    }
    TComScope com;
    // The runtime outlives the objects it made: it is unloaded after the callback's teardown.
    TWmfRuntime runtime;
    ReaderCallback state;
    if (!state.CreateEvents()) {
        std::printf("Internal error %lu\n", static_cast<unsigned long>(E_OUTOFMEMORY));
        return E_OUTOFMEMORY;
    }

    // The name must fit the 260-character buffer, and 260 bytes as the system's code page
    // spells it, as for any path the older platform functions take.
    const wchar_t* name = argv[1];
    const int bytes = AnsiByteLength(name);
    if (bytes < 0) {
        std::printf("Internal error %lu\n", GetLastError());
        return E_UNEXPECTED;
    }
    if (bytes >= MAX_PATH || std::wcslen(name) >= MAX_PATH) {
        std::printf("File name argument is too long.\n");
        return E_INVALIDARG;
    }
    std::wcscpy(state.FileName, name);

    if (DWORD error = runtime.Load(); error != ERROR_SUCCESS) {
        std::printf("Internal error %lu\n", error);
        return E_UNEXPECTED;
    }
    hr = RunReport(state, runtime);
    return hr;
}
