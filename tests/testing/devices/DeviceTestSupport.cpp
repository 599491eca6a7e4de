#include "DeviceTestSupport.h"

#include "TestProcess.h"

#include <gtest/gtest.h>

namespace kivora::test {
namespace {

// COM on the test thread, for the whole run.
class TComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

[[maybe_unused]] const auto* const ComEnvironment = ::testing::AddGlobalTestEnvironment(new TComEnvironment);

std::wstring FriendlyName(IMoniker* moniker)
{
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag))))
        return {};
    VARIANT value;
    VariantInit(&value);
    std::wstring name;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR)
        name = value.bstrVal;
    VariantClear(&value);
    return name;
}

template <class Visit>
void ForEachDevice(const GUID& category, Visit visit)
{
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices)))
        || devices->CreateClassEnumerator(category, &monikers, 0) != S_OK)
        return;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK)
        if (!visit(moniker, FriendlyName(moniker.Get())))
            return;
}

} // namespace

ComPtr<IMoniker> FindDevice(const GUID& category, const std::wstring& name)
{
    ComPtr<IMoniker> found;
    ForEachDevice(category, [&](const ComPtr<IMoniker>& moniker, const std::wstring& deviceName) {
        if (deviceName == name)
            found = moniker;
        return !found;
    });
    return found;
}

std::vector<std::wstring> DeviceNames(const GUID& category)
{
    std::vector<std::wstring> names;
    ForEachDevice(category, [&](const ComPtr<IMoniker>&, const std::wstring& name) {
        names.push_back(name);
        return true;
    });
    return names;
}

ComPtr<IBaseFilter> CreateFilter(const CLSID& clsid)
{
    ComPtr<IBaseFilter> filter;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&filter));
    return filter;
}

ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction, int index)
{
    ComPtr<IEnumPins> pins;
    if (!filter || FAILED(filter->EnumPins(&pins)))
        return nullptr;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION pinDirection;
        if (SUCCEEDED(pin->QueryDirection(&pinDirection)) && pinDirection == direction && index-- == 0)
            return pin;
    }
    return nullptr;
}

std::vector<std::wstring> PinNames(IBaseFilter* filter, PIN_DIRECTION direction)
{
    std::vector<std::wstring> names;
    for (int i = 0;; ++i) {
        ComPtr<IPin> pin = FindPin(filter, direction, i);
        if (!pin)
            return names;
        PIN_INFO info{};
        pin->QueryPinInfo(&info);
        if (info.pFilter)
            info.pFilter->Release();
        names.push_back(info.achName);
    }
}

TScopedVariable::TScopedVariable(const wchar_t* name, const wchar_t* value) : FName(name)
{
    SetEnvironmentVariableW(name, value);
}

TScopedVariable::~TScopedVariable()
{
    SetEnvironmentVariableW(FName.c_str(), nullptr);
}

TGraph::TGraph()
{
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph));
    if (graph) {
        graph.As(&control);
        graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events.GetAddressOf()));
    }
}

TGraph::~TGraph()
{
    if (control)
        control->Stop();
}

HRESULT TGraph::Add(IBaseFilter* filter, const wchar_t* name)
{
    return graph ? graph->AddFilter(filter, name) : E_POINTER;
}

bool TGraph::WaitForEvent(long code, std::chrono::milliseconds timeout)
{
    bool seen = false;
    WaitUntil(
        [&] {
            long eventCode = 0;
            LONG_PTR first = 0;
            LONG_PTR second = 0;
            while (!seen && events->GetEvent(&eventCode, &first, &second, 0) == S_OK) {
                events->FreeEventParams(eventCode, first, second);
                seen = eventCode == code;
            }
            return seen;
        },
        timeout);
    return seen;
}

} // namespace kivora::test
