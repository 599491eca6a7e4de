#include "CapturePin.h"

#include "Filter.h"

#include <evcode.h>
#include <uuids.h>
#include <vfwmsgs.h>

#include <cstring>
#include <mutex>

using Microsoft::WRL::ComPtr;

namespace kivora::dshow {
namespace {

constexpr REFERENCE_TIME MillisecondUnits = 10000;
// Further behind than this (a slow consumer), the schedule restarts from now instead of
// delivering a burst of late samples.
constexpr REFERENCE_TIME MaxLag = 5000000;

} // namespace

TCapturePin::TCapturePin(TFilter& filter, std::wstring name, std::vector<TOfferedFormat> formats, bool offerStreamConfig)
    : TOutputPin(filter, std::move(name)), FFormats(std::move(formats)), FOfferStreamConfig(offerStreamConfig),
      FWake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

TCapturePin::~TCapturePin()
{
    Inactive();
    if (FWake)
        CloseHandle(FWake);
}

HRESULT TCapturePin::QueryPinInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IKsPropertySet))
        return AnswerInterface(iid, out, {{&IID_IKsPropertySet, static_cast<IKsPropertySet*>(this)}});
    if (IsEqualIID(iid, IID_IAMStreamConfig) && FOfferStreamConfig)
        return AnswerInterface(iid, out, {{&IID_IAMStreamConfig, static_cast<IAMStreamConfig*>(this)}});
    return TOutputPin::QueryPinInterface(iid, out);
}

// ---- IKsPropertySet ------------------------------------------------------------------

STDMETHODIMP TCapturePin::Set(REFGUID, DWORD, void*, DWORD, void*, DWORD)
{
    return E_PROP_SET_UNSUPPORTED;
}

STDMETHODIMP TCapturePin::Get(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD size, DWORD* returned)
{
    if (!IsEqualGUID(set, AMPROPSETID_Pin))
        return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY)
        return E_PROP_ID_UNSUPPORTED;
    if (returned)
        *returned = sizeof(GUID);
    if (!data)
        return returned ? S_OK : E_POINTER;
    if (size < sizeof(GUID))
        return E_UNEXPECTED;
    std::memcpy(data, &PIN_CATEGORY_CAPTURE, sizeof(GUID));
    return S_OK;
}

STDMETHODIMP TCapturePin::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (!IsEqualGUID(set, AMPROPSETID_Pin))
        return E_PROP_SET_UNSUPPORTED;
    if (id != AMPROPERTY_PIN_CATEGORY)
        return E_PROP_ID_UNSUPPORTED;
    if (support)
        *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}

// ---- IAMStreamConfig -----------------------------------------------------------------

const AM_MEDIA_TYPE* TCapturePin::CurrentFormat() const
{
    if (FConnected)
        return &FType.Get();
    if (FChosen >= 0)
        return &FFormats[FChosen].type.Get();
    return FFormats.empty() ? nullptr : &FFormats.front().type.Get();
}

STDMETHODIMP TCapturePin::SetFormat(AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    const int index = FindFormat(*type);
    if (index < 0)
        return VFW_E_INVALIDMEDIATYPE;
    if (!FConnected) {
        FChosen = index;
        return S_OK;
    }
    if (SameMediaType(FType.Get(), FFormats[index].type.Get())) {
        FChosen = index;
        return S_OK;
    }
    // Connected: only while stopped, and only when the downstream pin takes the new
    // format; the graph then reconnects the pin, which now offers just that format.
    if (!FilterStopped())
        return VFW_E_NOT_STOPPED;
    if (FConnected->QueryAccept(&FFormats[index].type.Get()) != S_OK)
        return VFW_E_INVALIDMEDIATYPE;
    FILTER_INFO info{};
    FFilter.QueryFilterInfo(&info);
    ComPtr<IFilterGraph> graph;
    graph.Attach(info.pGraph);
    if (!graph)
        return VFW_E_NOT_IN_GRAPH;
    const int previous = FChosen;
    FChosen = index;
    const HRESULT hr = graph->Reconnect(this);
    if (FAILED(hr))
        FChosen = previous;
    return hr;
}

STDMETHODIMP TCapturePin::GetFormat(AM_MEDIA_TYPE** type)
{
    if (!type)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    const AM_MEDIA_TYPE* current = CurrentFormat();
    *type = current ? NewTaskMediaType(*current) : nullptr;
    if (!current)
        return VFW_E_NO_ACCEPTABLE_TYPES;
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TCapturePin::GetNumberOfCapabilities(int* count, int* size)
{
    if (!count || !size)
        return E_POINTER;
    *count = static_cast<int>(FFormats.size());
    *size = FFormats.empty() ? 0 : static_cast<int>(FFormats.front().caps.size());
    return S_OK;
}

STDMETHODIMP TCapturePin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps)
{
    if (!type || !caps)
        return E_POINTER;
    *type = nullptr;
    if (index < 0 || index >= static_cast<int>(FFormats.size()))
        return S_FALSE;
    *type = NewTaskMediaType(FFormats[index].type.Get());
    if (!*type)
        return E_OUTOFMEMORY;
    std::memcpy(caps, FFormats[index].caps.data(), FFormats[index].caps.size());
    return S_OK;
}

// ---- Types and streaming -------------------------------------------------------------

bool TCapturePin::GetMediaType(int index, TMediaType& type)
{
    std::lock_guard lock(FFilter.Lock());
    if (FChosen >= 0) {
        if (index != 0)
            return false;
        type = FFormats[FChosen].type;
        return true;
    }
    if (index < 0 || index >= static_cast<int>(FFormats.size()))
        return false;
    type = FFormats[index].type;
    return true;
}

HRESULT TCapturePin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    const int index = FindFormat(type);
    if (index < 0 || (FChosen >= 0 && index != FChosen))
        return S_FALSE;
    return S_OK;
}

HRESULT TCapturePin::Active()
{
    const HRESULT hr = TOutputPin::Active();
    if (FAILED(hr) || !IsConnected())
        return hr;
    FQuit = false;
    FThread = std::thread([this] { Stream(); });
    return S_OK;
}

void TCapturePin::Inactive()
{
    FQuit = true;
    if (FWake)
        SetEvent(FWake);
    // Decommitting first releases a thread that waits for a free buffer.
    TOutputPin::Inactive();
    if (FThread.joinable())
        FThread.join();
}

void TCapturePin::Stream()
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    REFERENCE_TIME due = -1;        // stream time of the next sample; -1 until running
    bool lost = false;
    while (!FQuit) {
        if (lost || FFilter.StreamState() != State_Running) {
            // Paused or device gone: no samples; the schedule restarts at the next run.
            due = -1;
            WaitForSingleObject(FWake, 10);
            continue;
        }
        const REFERENCE_TIME now = FFilter.StreamTimeNow();
        if (due < 0 || now - due > MaxLag)
            due = now > 0 ? now : 0;
        if (now < due) {
            WaitForSingleObject(FWake, static_cast<DWORD>((due - now + MillisecondUnits - 1) / MillisecondUnits));
            continue;
        }
        ComPtr<IMediaSample> sample;
        if (FAILED(GetDeliveryBuffer(sample))) {
            WaitForSingleObject(FWake, 10);     // decommitted: the pin is stopping
            continue;
        }
        REFERENCE_TIME duration = 0;
        const HRESULT filled = FillSample(*sample.Get(), duration);
        if (filled == S_FALSE) {
            lost = true;
            FFilter.NotifyEvent(EC_DEVICE_LOST, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(&FFilter)), 0);
            continue;
        }
        if (FAILED(filled))
            continue;
        REFERENCE_TIME start = due;
        REFERENCE_TIME end = due + duration;
        sample->SetTime(&start, &end);
        sample->SetSyncPoint(TRUE);
        // A downstream pin that is stopped or refuses the sample costs this sample only:
        // a live device keeps producing.
        Deliver(sample.Get());
        due = end;
    }
    CoUninitialize();
}

} // namespace kivora::dshow
