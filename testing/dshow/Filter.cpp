#include "Filter.h"

#include "Enumerators.h"
#include "Pin.h"

using Microsoft::WRL::ComPtr;

namespace kivora::dshow {
namespace {

REFERENCE_TIME CounterToReferenceTime(LONGLONG counter)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    // Split to keep the product inside 64 bits.
    const LONGLONG seconds = counter / frequency.QuadPart;
    const LONGLONG rest = counter % frequency.QuadPart;
    return seconds * 10000000 + rest * 10000000 / frequency.QuadPart;
}

LONGLONG CounterNow()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

} // namespace

TFilter::TFilter(const CLSID& clsid, std::wstring name) : FClassId(clsid), FName(std::move(name)) {}

TFilter::~TFilter() = default;

STDMETHODIMP TFilter::QueryInterface(REFIID iid, void** out)
{
    return QueryFilterInterface(iid, out);
}

HRESULT TFilter::QueryFilterInterface(REFIID iid, void** out)
{
    return AnswerInterface(iid, out,
                           {{&IID_IUnknown, static_cast<IBaseFilter*>(this)},
                            {&IID_IBaseFilter, static_cast<IBaseFilter*>(this)},
                            {&IID_IMediaFilter, static_cast<IBaseFilter*>(this)},
                            {&IID_IPersist, static_cast<IBaseFilter*>(this)}});
}

STDMETHODIMP TFilter::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = FClassId;
    return S_OK;
}

HRESULT TFilter::ActivatePins()
{
    HRESULT hr = OnActivate();
    for (size_t i = 0; SUCCEEDED(hr) && i < FPins.size(); ++i)
        hr = FPins[i]->Active();
    if (FAILED(hr)) {
        for (auto& pin : FPins)
            pin->Inactive();
        OnDeactivated();
    }
    return hr;
}

STDMETHODIMP TFilter::Stop()
{
    std::lock_guard lock(FLock);
    FILTER_STATE previous;
    {
        std::lock_guard streamLock(FStreamLock);
        previous = FState;
        FState = State_Stopped;
    }
    if (previous != State_Stopped) {
        // Streaming threads see the state and end; Inactive waits for them.
        for (auto& pin : FPins)
            pin->Inactive();
        OnDeactivated();
    }
    return S_OK;
}

STDMETHODIMP TFilter::Pause()
{
    std::lock_guard lock(FLock);
    if (StreamState() == State_Stopped) {
        const HRESULT hr = ActivatePins();
        if (FAILED(hr))
            return hr;
    }
    std::lock_guard streamLock(FStreamLock);
    FState = State_Paused;
    return S_OK;
}

STDMETHODIMP TFilter::Run(REFERENCE_TIME start)
{
    std::lock_guard lock(FLock);
    if (StreamState() == State_Stopped) {
        const HRESULT hr = Pause();
        if (FAILED(hr))
            return hr;
    }
    std::lock_guard streamLock(FStreamLock);
    FStart = start;
    FRunCounter = CounterNow();
    FState = State_Running;
    return S_OK;
}

STDMETHODIMP TFilter::GetState(DWORD, FILTER_STATE* state)
{
    if (!state)
        return E_POINTER;
    *state = StreamState();
    return *state == State_Paused && IsLiveSource() ? VFW_S_CANT_CUE : S_OK;
}

STDMETHODIMP TFilter::SetSyncSource(IReferenceClock* clock)
{
    std::lock_guard streamLock(FStreamLock);
    FClock = clock;
    return S_OK;
}

STDMETHODIMP TFilter::GetSyncSource(IReferenceClock** clock)
{
    if (!clock)
        return E_POINTER;
    std::lock_guard streamLock(FStreamLock);
    *clock = FClock.Get();
    if (*clock)
        (*clock)->AddRef();
    return S_OK;
}

STDMETHODIMP TFilter::EnumPins(IEnumPins** pins)
{
    return CreatePinEnumerator(*this, pins);
}

STDMETHODIMP TFilter::FindPin(LPCWSTR id, IPin** pin)
{
    if (!id || !pin)
        return E_POINTER;
    *pin = nullptr;
    std::lock_guard lock(FLock);
    for (auto& candidate : FPins) {
        if (candidate->Name() == id) {
            *pin = candidate.get();
            candidate->AddRef();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP TFilter::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info)
        return E_POINTER;
    std::lock_guard lock(FLock);
    lstrcpynW(info->achName, FName.c_str(), MAX_FILTER_NAME);
    std::lock_guard streamLock(FStreamLock);
    info->pGraph = FGraph;
    if (FGraph)
        FGraph->AddRef();
    return S_OK;
}

STDMETHODIMP TFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    std::lock_guard lock(FLock);
    if (graph && name)
        FName = name;
    std::lock_guard streamLock(FStreamLock);
    FGraph = graph;
    return S_OK;
}

STDMETHODIMP TFilter::QueryVendorInfo(LPWSTR* info)
{
    if (!info)
        return E_POINTER;
    *info = TaskString(L"Kivora test stand-in");
    return *info ? S_OK : E_OUTOFMEMORY;
}

int TFilter::PinCount()
{
    std::lock_guard lock(FLock);
    return static_cast<int>(FPins.size());
}

TPin* TFilter::PinAt(int index)
{
    std::lock_guard lock(FLock);
    return index >= 0 && index < static_cast<int>(FPins.size()) ? FPins[index].get() : nullptr;
}

long TFilter::PinVersion()
{
    std::lock_guard lock(FLock);
    return FPinVersion;
}

FILTER_STATE TFilter::StreamState()
{
    std::lock_guard streamLock(FStreamLock);
    return FState;
}

REFERENCE_TIME TFilter::StreamTimeNow()
{
    ComPtr<IReferenceClock> clock;
    REFERENCE_TIME start;
    LONGLONG runCounter;
    {
        std::lock_guard streamLock(FStreamLock);
        clock = FClock;
        start = FStart;
        runCounter = FRunCounter;
    }
    REFERENCE_TIME now = 0;
    if (clock && SUCCEEDED(clock->GetTime(&now)))
        return now - start;
    return CounterToReferenceTime(CounterNow() - runCounter);
}

void TFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2)
{
    ComPtr<IFilterGraph> graph;
    {
        std::lock_guard streamLock(FStreamLock);
        graph = FGraph;
    }
    ComPtr<IMediaEventSink> sink;
    if (graph && SUCCEEDED(graph.As(&sink)))
        sink->Notify(code, param1, param2);
}

void TFilter::AddPin(std::unique_ptr<TPin> pin)
{
    std::lock_guard lock(FLock);
    FPins.push_back(std::move(pin));
    ++FPinVersion;
}

void TFilter::ReplacePins(std::vector<std::unique_ptr<TPin>> pins)
{
    std::lock_guard lock(FLock);
    for (auto& pin : FPins)
        FRetiredPins.push_back(std::move(pin));
    FPins = std::move(pins);
    ++FPinVersion;
}

} // namespace kivora::dshow
