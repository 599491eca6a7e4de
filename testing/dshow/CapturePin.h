// TCapturePin: the output pin of a live capture source. It
//  - tells graph builders it is a capture pin (IKsPropertySet, AMPROPSETID_Pin),
//  - offers a fixed list of formats through IAMStreamConfig (optionally left out, for
//    tests of callers that need it) and switches to the one SetFormat picks,
//  - delivers time-stamped samples from its own streaming thread while the filter runs,
//    each at its due stream time, filled by the derived pin.
#pragma once

#include "Pin.h"

#include <atomic>
#include <thread>
#include <vector>

namespace kivora::dshow {

// One format the pin offers: the media type and the capability record that
// IAMStreamConfig::GetStreamCaps hands out with it (VIDEO_ or AUDIO_STREAM_CONFIG_CAPS).
struct TOfferedFormat {
    TMediaType type;
    std::vector<BYTE> caps;
};

class TCapturePin : public TOutputPin, public IKsPropertySet, public IAMStreamConfig {
public:
    TCapturePin(TFilter& filter, std::wstring name, std::vector<TOfferedFormat> formats, bool offerStreamConfig);
    ~TCapturePin() override;

    KIVORA_FORWARD_IUNKNOWN(TOutputPin)
    // IKsPropertySet: only the pin category, read-only.
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD size) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD size,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;
    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    // After SetFormat the pin offers only the chosen format, so that the next
    // connection uses it; before, all of them.
    bool GetMediaType(int index, TMediaType& type) override;
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT Active() override;
    void Inactive() override;

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override;
    // Index of the offered format that type stands for, or -1.
    virtual int FindFormat(const AM_MEDIA_TYPE& type) const = 0;
    // Fills the next sample for the connection type and gives its duration. S_FALSE
    // means the device is gone: nothing more is delivered and the graph is told.
    virtual HRESULT FillSample(IMediaSample& sample, REFERENCE_TIME& duration) = 0;
    const std::vector<TOfferedFormat>& Formats() const { return FFormats; }

private:
    void Stream();
    // The format in force: the connection's, or SetFormat's, or the first offered.
    const AM_MEDIA_TYPE* CurrentFormat() const;

    std::vector<TOfferedFormat> FFormats;
    bool FOfferStreamConfig;
    int FChosen = -1;               // SetFormat's choice

    std::thread FThread;
    std::atomic<bool> FQuit{false};
    HANDLE FWake = nullptr;         // set to end a wait early
};

} // namespace kivora::dshow
