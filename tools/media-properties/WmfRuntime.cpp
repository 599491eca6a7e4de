#include "WmfRuntime.h"

namespace {

template <typename T> bool Resolve(HMODULE module, const char* name, T& entry)
{
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return entry != nullptr;
}

} // namespace

TWmfRuntime::~TWmfRuntime()
{
    if (FModule)
        FreeLibrary(FModule);
}

DWORD TWmfRuntime::Load()
{
    FModule = LoadLibraryW(L"wmvcore.dll");
    if (!FModule)
        return GetLastError();
    if (!Resolve(FModule, "WMCreateEditor", CreateEditor) || !Resolve(FModule, "WMCreateReader", CreateReader))
        return GetLastError();
    return ERROR_SUCCESS;
}
