#include "media/MediaUtil/GraphRegistration.h"

#include <objbase.h>
#include <wrl/client.h>

#include <cstdio>

using Microsoft::WRL::ComPtr;

std::wstring GraphItemName(const void* graph, uint32_t processId)
{
    // The pointer as eight upper-case hexadecimal digits, as inspection tools expect.
    wchar_t name[64];
    std::swprintf(name, std::size(name), L"FilterGraph %08X pid %X",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(graph)), static_cast<unsigned>(processId));
    return name;
}

HRESULT RegisterGraphInROT(IUnknown* graph, DWORD& cookie)
{
    ComPtr<IRunningObjectTable> table;
    HRESULT hr = GetRunningObjectTable(0, &table);
    if (FAILED(hr))
        return hr;
    ComPtr<IMoniker> moniker;
    hr = CreateItemMoniker(L"!", GraphItemName(graph, GetCurrentProcessId()).c_str(), &moniker);
    if (FAILED(hr))
        return hr;
    return table->Register(0, graph, moniker.Get(), &cookie);
}

HRESULT RevokeGraphFromROT(DWORD cookie)
{
    ComPtr<IRunningObjectTable> table;
    HRESULT hr = GetRunningObjectTable(0, &table);
    if (SUCCEEDED(hr))
        hr = table->Revoke(cookie);
    return hr;
}
