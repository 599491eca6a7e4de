// TFilter: IBaseFilter for our own filters — state, reference clock, graph, pin list.
//
// Two locks: FLock serialises state changes and connections (held while a stop waits
// for a streaming thread to end); FStreamLock guards the few values a streaming thread
// reads (state, start time, clock) and is only ever held briefly, so a streaming thread
// never waits for a state change that is waiting for it.
#pragma once

#include "Com.h"

#include <strmif.h>
#include <wrl/client.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kivora::dshow {

class TPin;

class TFilter : public TRefCounted, public IBaseFilter {
public:
    TFilter(const CLSID& clsid, std::wstring name);
    ~TFilter() override;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefObject(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseObject(); }
    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

    // Pins, in order. The set changes only while stopped; PinVersion counts changes so
    // that enumerators can report that they are out of step.
    int PinCount();
    TPin* PinAt(int index);
    long PinVersion();

    // What a streaming thread needs, read under the short lock.
    FILTER_STATE StreamState();
    // Stream time now: reference clock time minus the run's start time (or, without a
    // clock, time since Run from the performance counter).
    REFERENCE_TIME StreamTimeNow();
    std::recursive_mutex& Lock() { return FLock; }
    // Sends an event to the graph (IMediaEventSink), when in one.
    void NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

protected:
    // Interfaces of a derived filter come first; it falls back to this one.
    virtual HRESULT QueryFilterInterface(REFIID iid, void** out);
    // A live source cannot cue data while paused (GetState answers VFW_S_CANT_CUE).
    virtual bool IsLiveSource() const { return false; }
    // Hooks around the pins' own Active/Inactive; Stop ignores the result.
    virtual HRESULT OnActivate() { return S_OK; }
    virtual void OnDeactivated() {}

    void AddPin(std::unique_ptr<TPin> pin);
    // Replaces the pin set (only while stopped). Removed pins stay allocated until the
    // filter dies, since callers may still hold a pointer to them.
    void ReplacePins(std::vector<std::unique_ptr<TPin>> pins);

    std::recursive_mutex FLock;

private:
    HRESULT ActivatePins();

    CLSID FClassId;
    std::wstring FName;
    std::vector<std::unique_ptr<TPin>> FPins;
    std::vector<std::unique_ptr<TPin>> FRetiredPins;
    long FPinVersion = 0;

    std::mutex FStreamLock;
    IFilterGraph* FGraph = nullptr;     // not counted: the graph owns the filter
    FILTER_STATE FState = State_Stopped;
    REFERENCE_TIME FStart = 0;
    LONGLONG FRunCounter = 0;           // performance counter at Run, for clock-less graphs
    Microsoft::WRL::ComPtr<IReferenceClock> FClock;
};

} // namespace kivora::dshow
