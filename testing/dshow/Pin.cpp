#include "Pin.h"

#include "Enumerators.h"
#include "Filter.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <algorithm>
#include <mutex>

using Microsoft::WRL::ComPtr;

namespace kivora::dshow {

// ---- TPin ----------------------------------------------------------------------------

TPin::TPin(TFilter& filter, std::wstring name, PIN_DIRECTION direction)
    : FFilter(filter), FName(std::move(name)), FDirection(direction) {}

STDMETHODIMP TPin::QueryInterface(REFIID iid, void** out)
{
    return QueryPinInterface(iid, out);
}

HRESULT TPin::QueryPinInterface(REFIID iid, void** out)
{
    return AnswerInterface(iid, out, {{&IID_IUnknown, static_cast<IPin*>(this)}, {&IID_IPin, static_cast<IPin*>(this)}});
}

STDMETHODIMP_(ULONG) TPin::AddRef()
{
    return FFilter.AddRef();
}

STDMETHODIMP_(ULONG) TPin::Release()
{
    return FFilter.Release();
}

bool TPin::FilterStopped()
{
    return FFilter.StreamState() == State_Stopped;
}

HRESULT TPin::CheckFreeToConnect()
{
    if (FConnected)
        return VFW_E_ALREADY_CONNECTED;
    return FilterStopped() ? S_OK : VFW_E_NOT_STOPPED;
}

STDMETHODIMP TPin::Disconnect()
{
    std::lock_guard lock(FFilter.Lock());
    if (!FilterStopped())
        return VFW_E_NOT_STOPPED;
    if (!FConnected)
        return S_FALSE;
    BreakConnect();
    FConnected.Reset();
    FType.Clear();
    return S_OK;
}

STDMETHODIMP TPin::ConnectedTo(IPin** pin)
{
    if (!pin)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    *pin = FConnected.Get();
    if (!*pin)
        return VFW_E_NOT_CONNECTED;
    (*pin)->AddRef();
    return S_OK;
}

STDMETHODIMP TPin::ConnectionMediaType(AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    *type = AM_MEDIA_TYPE{};
    if (!FConnected)
        return VFW_E_NOT_CONNECTED;
    return CopyMediaTypeInto(*type, FType.Get());
}

STDMETHODIMP TPin::QueryPinInfo(PIN_INFO* info)
{
    if (!info)
        return E_POINTER;
    info->pFilter = &FFilter;
    FFilter.AddRef();
    info->dir = FDirection;
    lstrcpynW(info->achName, FName.c_str(), MAX_PIN_NAME);
    return S_OK;
}

STDMETHODIMP TPin::QueryDirection(PIN_DIRECTION* direction)
{
    if (!direction)
        return E_POINTER;
    *direction = FDirection;
    return S_OK;
}

STDMETHODIMP TPin::QueryId(LPWSTR* id)
{
    if (!id)
        return E_POINTER;
    *id = TaskString(FName);
    return *id ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TPin::QueryAccept(const AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    return IsFullySpecified(*type) && CheckMediaType(*type) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP TPin::EnumMediaTypes(IEnumMediaTypes** types)
{
    return CreateMediaTypeEnumerator(*this, types);
}

STDMETHODIMP TPin::QueryInternalConnections(IPin**, ULONG*)
{
    return E_NOTIMPL;
}

bool TPin::GetMediaType(int, TMediaType&)
{
    return false;
}

// ---- TOutputPin ----------------------------------------------------------------------

TOutputPin::TOutputPin(TFilter& filter, std::wstring name) : TPin(filter, std::move(name), PINDIR_OUTPUT) {}

STDMETHODIMP TOutputPin::Connect(IPin* receiver, const AM_MEDIA_TYPE* wish)
{
    if (!receiver)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    if (const HRESULT free = CheckFreeToConnect(); FAILED(free))
        return free;

    // A complete type is tried as it is; a partial one (or none) is a pattern for our own
    // types first, then for the receiver's.
    if (wish && IsFullySpecified(*wish))
        return AttemptConnection(receiver, *wish);
    const AM_MEDIA_TYPE any{};
    const AM_MEDIA_TYPE& pattern = wish ? *wish : any;

    TMediaType type;
    for (int i = 0; GetMediaType(i, type); ++i, type.Clear()) {
        if (MatchesPattern(type.Get(), pattern) && SUCCEEDED(AttemptConnection(receiver, type.Get())))
            return S_OK;
    }
    ComPtr<IEnumMediaTypes> theirs;
    if (SUCCEEDED(receiver->EnumMediaTypes(&theirs))) {
        AM_MEDIA_TYPE* offered = nullptr;
        while (theirs->Next(1, &offered, nullptr) == S_OK) {
            const bool fits = IsFullySpecified(*offered) && MatchesPattern(*offered, pattern);
            const bool connected = fits && SUCCEEDED(AttemptConnection(receiver, *offered));
            DeleteTaskMediaType(offered);
            if (connected)
                return S_OK;
        }
    }
    return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT TOutputPin::AttemptConnection(IPin* receiver, const AM_MEDIA_TYPE& type)
{
    if (CheckMediaType(type) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    ComPtr<IMemInputPin> input;
    if (FAILED(receiver->QueryInterface(IID_PPV_ARGS(&input))))
        return VFW_E_NO_TRANSPORT;
    FConnected = receiver;
    FType = TMediaType(type);
    HRESULT hr = receiver->ReceiveConnection(this, &type);
    if (SUCCEEDED(hr)) {
        hr = DecideAllocator(input.Get());
        if (FAILED(hr))
            receiver->Disconnect();
    }
    if (FAILED(hr)) {
        BreakConnect();
        FConnected.Reset();
        FType.Clear();
        return hr;
    }
    FInput = input;
    return S_OK;
}

HRESULT TOutputPin::DecideAllocator(IMemInputPin* input)
{
    ALLOCATOR_PROPERTIES wanted{};
    input->GetAllocatorRequirements(&wanted);
    ALLOCATOR_PROPERTIES ours{};
    DecideBufferSize(ours);
    wanted.cBuffers = std::max(wanted.cBuffers, ours.cBuffers);
    wanted.cbBuffer = std::max(wanted.cbBuffer, ours.cbBuffer);
    wanted.cbAlign = std::max(wanted.cbAlign, 1L);

    // The receiver's allocator when it has one that gives big enough buffers; otherwise a
    // standard memory allocator of our own.
    ComPtr<IMemAllocator> allocator;
    ALLOCATOR_PROPERTIES actual{};
    if (SUCCEEDED(input->GetAllocator(&allocator)) && SUCCEEDED(allocator->SetProperties(&wanted, &actual))
        && actual.cbBuffer >= ours.cbBuffer && SUCCEEDED(input->NotifyAllocator(allocator.Get(), FALSE))) {
        FAllocator = allocator;
        return S_OK;
    }
    allocator.Reset();
    HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&allocator));
    if (SUCCEEDED(hr))
        hr = allocator->SetProperties(&wanted, &actual);
    if (SUCCEEDED(hr) && actual.cbBuffer < ours.cbBuffer)
        hr = E_FAIL;
    if (SUCCEEDED(hr))
        hr = input->NotifyAllocator(allocator.Get(), FALSE);
    if (FAILED(hr))
        return hr;
    FAllocator = allocator;
    return S_OK;
}

STDMETHODIMP TOutputPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*)
{
    return E_UNEXPECTED;
}

HRESULT TOutputPin::Active()
{
    return FAllocator ? FAllocator->Commit() : S_OK;
}

void TOutputPin::Inactive()
{
    if (FAllocator)
        FAllocator->Decommit();
}

void TOutputPin::BreakConnect()
{
    FAllocator.Reset();
    FInput.Reset();
}

HRESULT TOutputPin::GetDeliveryBuffer(ComPtr<IMediaSample>& sample)
{
    if (!FAllocator)
        return VFW_E_NOT_CONNECTED;
    return FAllocator->GetBuffer(sample.ReleaseAndGetAddressOf(), nullptr, nullptr, 0);
}

HRESULT TOutputPin::Deliver(IMediaSample* sample)
{
    return FInput ? FInput->Receive(sample) : VFW_E_NOT_CONNECTED;
}

// ---- TInputPin -----------------------------------------------------------------------

TInputPin::TInputPin(TFilter& filter, std::wstring name) : TPin(filter, std::move(name), PINDIR_INPUT) {}

HRESULT TInputPin::QueryPinInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IMemInputPin))
        return AnswerInterface(iid, out, {{&IID_IMemInputPin, static_cast<IMemInputPin*>(this)}});
    return TPin::QueryPinInterface(iid, out);
}

STDMETHODIMP TInputPin::Connect(IPin*, const AM_MEDIA_TYPE*)
{
    return E_UNEXPECTED;
}

STDMETHODIMP TInputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type)
{
    if (!connector || !type)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    if (const HRESULT free = CheckFreeToConnect(); FAILED(free))
        return free;
    // A partial type is a wish, not a stream: taking it would leave the pin not knowing
    // what arrives.
    if (!IsFullySpecified(*type) || CheckMediaType(*type) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    FConnected = connector;
    FType = TMediaType(*type);
    return S_OK;
}

void TInputPin::BreakConnect()
{
    FAllocator.Reset();
}

HRESULT TInputPin::Active()
{
    FFlushing = false;
    FEndOfStream = false;
    return S_OK;
}

STDMETHODIMP TInputPin::EndOfStream()
{
    std::lock_guard lock(FFilter.Lock());
    if (FFlushing || FEndOfStream)
        return S_OK;
    FEndOfStream = true;
    OnEndOfStream();
    return S_OK;
}

STDMETHODIMP TInputPin::BeginFlush()
{
    std::lock_guard lock(FFilter.Lock());
    FFlushing = true;
    return S_OK;
}

STDMETHODIMP TInputPin::EndFlush()
{
    std::lock_guard lock(FFilter.Lock());
    FFlushing = false;
    FEndOfStream = false;
    return S_OK;
}

STDMETHODIMP TInputPin::GetAllocator(IMemAllocator** allocator)
{
    if (!allocator)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    if (!FAllocator) {
        const HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&FAllocator));
        if (FAILED(hr))
            return hr;
    }
    *allocator = FAllocator.Get();
    (*allocator)->AddRef();
    return S_OK;
}

STDMETHODIMP TInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL)
{
    if (!allocator)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    FAllocator = allocator;
    return S_OK;
}

STDMETHODIMP TInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}

STDMETHODIMP TInputPin::Receive(IMediaSample* sample)
{
    if (!sample)
        return E_POINTER;
    std::lock_guard lock(FFilter.Lock());
    if (FilterStopped())
        return VFW_E_WRONG_STATE;
    if (FFlushing)
        return S_FALSE;
    if (FEndOfStream)
        return VFW_E_SAMPLE_REJECTED_EOS;
    return OnReceive(sample);
}

STDMETHODIMP TInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed)
{
    if (!samples || !processed)
        return E_POINTER;
    *processed = 0;
    HRESULT hr = S_OK;
    while (*processed < count && (hr = Receive(samples[*processed])) == S_OK)
        ++*processed;
    return hr;
}

} // namespace kivora::dshow
