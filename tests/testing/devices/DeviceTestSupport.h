// Helpers shared by the device and writer tests: COM, devices by name, pins, a small
// graph with a run/stop scope, and environment switches set for one test.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <chrono>
#include <string>
#include <vector>

namespace kivora::test {

using Microsoft::WRL::ComPtr;

// The moniker of the device with this friendly name in the category, or empty.
ComPtr<IMoniker> FindDevice(const GUID& category, const std::wstring& name);
// Friendly names of a category's devices.
std::vector<std::wstring> DeviceNames(const GUID& category);
ComPtr<IBaseFilter> CreateFilter(const CLSID& clsid);
// The index-th pin of that direction, or empty.
ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction, int index = 0);
std::vector<std::wstring> PinNames(IBaseFilter* filter, PIN_DIRECTION direction);

// An environment variable set while the object lives (fault switches are read when a
// filter is created, so create the filter inside the scope).
class TScopedVariable {
public:
    TScopedVariable(const wchar_t* name, const wchar_t* value);
    ~TScopedVariable();
    TScopedVariable(const TScopedVariable&) = delete;
    TScopedVariable& operator=(const TScopedVariable&) = delete;

private:
    std::wstring FName;
};

// A filter graph with the interfaces tests use.
struct TGraph {
    TGraph();
    ~TGraph();      // stops the graph
    HRESULT Add(IBaseFilter* filter, const wchar_t* name);
    // Waits for an event with this code; false on timeout.
    bool WaitForEvent(long code, std::chrono::milliseconds timeout);

    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaEventEx> events;
};

} // namespace kivora::test
