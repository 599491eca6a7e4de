// Registration of a filter graph in the running object table under
// "FilterGraph %p pid %x", so that graph inspection tools can attach to it.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <string>

// The item name under which the graph is registered, e.g. "FilterGraph 0A1B2C3D pid 1F4".
std::wstring GraphItemName(const void* graph, uint32_t processId);

HRESULT RegisterGraphInROT(IUnknown* graph, DWORD& cookie);
HRESULT RevokeGraphFromROT(DWORD cookie);
