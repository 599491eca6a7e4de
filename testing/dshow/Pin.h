// Pins of our filters: TPin (IPin common to both directions), TOutputPin (connects to a
// downstream IMemInputPin and agrees on an allocator) and TInputPin (accepts a
// connection and receives samples).
#pragma once

#include "Com.h"
#include "MediaType.h"

#include <strmif.h>
#include <wrl/client.h>

#include <string>

namespace kivora::dshow {

class TFilter;

class TPin : public IPin {
public:
    TPin(TFilter& filter, std::wstring name, PIN_DIRECTION direction);
    virtual ~TPin() = default;
    TPin(const TPin&) = delete;
    TPin& operator=(const TPin&) = delete;

    // IUnknown: the filter's count; interfaces from QueryPinInterface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPin, the parts both directions share
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;

    // The types this pin can stream, listed by EnumMediaTypes; false past the end.
    virtual bool GetMediaType(int index, TMediaType& type);
    // S_OK when the pin can stream this (fully specified) type.
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) = 0;
    // State changes of the filter: Stopped→Paused, Paused→Stopped.
    virtual HRESULT Active() { return S_OK; }
    virtual void Inactive() {}

    const std::wstring& Name() const { return FName; }
    bool IsConnected() const { return FConnected != nullptr; }
    const TMediaType& ConnectionType() const { return FType; }
    TFilter& Filter() { return FFilter; }

protected:
    virtual HRESULT QueryPinInterface(REFIID iid, void** out);
    // Drops what the connection set up (allocator, downstream interfaces).
    virtual void BreakConnect() {}
    bool FilterStopped();
    // A new connection needs an unconnected pin on a stopped filter (lock held).
    HRESULT CheckFreeToConnect();

    TFilter& FFilter;
    std::wstring FName;
    PIN_DIRECTION FDirection;
    Microsoft::WRL::ComPtr<IPin> FConnected;
    TMediaType FType;
};

class TOutputPin : public TPin {
public:
    TOutputPin(TFilter& filter, std::wstring name);

    STDMETHODIMP Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
    STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

    HRESULT Active() override;
    void Inactive() override;

protected:
    // Buffer count and size this pin needs for the connection type.
    virtual void DecideBufferSize(ALLOCATOR_PROPERTIES& wanted) = 0;
    void BreakConnect() override;
    // A free buffer (blocks until one is free; fails once the allocator is decommitted).
    HRESULT GetDeliveryBuffer(Microsoft::WRL::ComPtr<IMediaSample>& sample);
    HRESULT Deliver(IMediaSample* sample);

private:
    HRESULT AttemptConnection(IPin* receiver, const AM_MEDIA_TYPE& type);
    HRESULT DecideAllocator(IMemInputPin* input);

    Microsoft::WRL::ComPtr<IMemInputPin> FInput;
    Microsoft::WRL::ComPtr<IMemAllocator> FAllocator;
};

class TInputPin : public TPin, public IMemInputPin {
public:
    TInputPin(TFilter& filter, std::wstring name);

    KIVORA_FORWARD_IUNKNOWN(TPin)
    STDMETHODIMP Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }
    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* props) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override { return S_OK; }

    HRESULT Active() override;

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override;
    void BreakConnect() override;
    // A sample while running or paused; never called while flushing or after the end.
    virtual HRESULT OnReceive(IMediaSample* sample) = 0;
    virtual void OnEndOfStream() {}
    bool EndOfStreamReached() const { return FEndOfStream; }

private:
    Microsoft::WRL::ComPtr<IMemAllocator> FAllocator;
    bool FFlushing = false;
    bool FEndOfStream = false;
};

} // namespace kivora::dshow
