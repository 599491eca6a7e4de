// The Windows Media Format runtime (wmvcore.dll), loaded at run time: there is no import
// library for it in the toolchain, and a system without it must get a clear error.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

class TWmfRuntime {
public:
    using TCreateEditor = HRESULT(WINAPI*)(IWMMetadataEditor**);
    using TCreateReader = HRESULT(WINAPI*)(IUnknown*, DWORD, IWMReader**);

    TWmfRuntime() = default;
    ~TWmfRuntime();
    TWmfRuntime(const TWmfRuntime&) = delete;
    TWmfRuntime& operator=(const TWmfRuntime&) = delete;

    // Loads the library and finds both entry points; on failure returns the platform's
    // error code (GetLastError), else ERROR_SUCCESS.
    DWORD Load();

    TCreateEditor CreateEditor = nullptr;
    TCreateReader CreateReader = nullptr;

private:
    HMODULE FModule = nullptr;
};
