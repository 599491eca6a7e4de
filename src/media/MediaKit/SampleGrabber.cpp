#include "media/MediaKit/SampleGrabber.h"
#include "framework/ScopeExit.h"

#include "media/MediaUtil/MediaErrors.h"

#include "framework/Filer.h"
#include "framework/Stream.h"

#include <uuids.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// mingw-w64's qedit.h declares no class identifier for the filter.
constexpr CLSID kSampleGrabberClsid = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// Where the BITMAPINFOHEADER sits in the format block, by format type.
constexpr size_t kVideoInfoBitmapOffset = 48;
constexpr size_t kVideoInfo2BitmapOffset = 72;

} // namespace

// The grabber's callback object: hands buffers to the component. It does not keep the
// component alive; the component removes it from the filter before it goes.
class TSampleGrabber::TCallback : public ISampleGrabberCB {
public:
    explicit TCallback(TSampleGrabber& owner) : FOwner(owner) {}
    virtual ~TCallback() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
            *object = static_cast<ISampleGrabberCB*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --FReferences;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE BufferCB(double sampleTime, BYTE* buffer, long length) override
    {
        FOwner.BufferReceived(sampleTime, buffer, length);
        return S_OK;
    }

private:
    TSampleGrabber& FOwner;
    std::atomic<ULONG> FReferences{0};
};

const TClassInfo& TSampleGrabber::StaticClass()
{
    static const TClassInfo info(L"TSampleGrabber", &TMediaComponent::StaticClass(), {
        ObjProp(L"FilterGraph", &TSampleGrabber::FilterGraph, &TSampleGrabber::SetFilterGraph),
        EventProp(L"OnBuffer", &TSampleGrabber::OnBuffer),
    });
    return info;
}

TSampleGrabber::TSampleGrabber(TComponent* owner) : TMediaComponent(owner), FMediaType(MEDIATYPE_Video)
{
    ComPtr<IBaseFilter> trial;
    MediaAssert(SUCCEEDED(CoCreateInstance(kSampleGrabberClsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                           IID_PPV_ARGS(&trial))),
                L"The SampleGrabber Filter is not available on this system.");
    FMediaType.SetSubType(MEDIASUBTYPE_RGB24);
    FMediaType.SetFormatType(FORMAT_VideoInfo);
}

TSampleGrabber::~TSampleGrabber()
{
    SetFilterGraph(nullptr);
}

void TSampleGrabber::Notification(TComponent* component, TOperation operation)
{
    TMediaComponent::Notification(component, operation);
    FGraphLink.Notification(component, operation);
}

void TSampleGrabber::DefineProperties(TFiler& filer)
{
    TMediaComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        L"MediaType.data",
        [this](TStream& stream) {
            std::vector<uint8_t> bytes(size_t(stream.Remaining()));
            stream.Read(bytes.data(), bytes.size());
            if (!FMediaType.LoadData(bytes))
                throw EReadError(L"The stored media type of " + Name() + L" is damaged.");
        },
        [this](TStream& stream) {
            std::vector<uint8_t> bytes = FMediaType.SaveData();
            stream.Write(bytes.data(), bytes.size());
        },
        true);
}

HRESULT TSampleGrabber::QueryInterface(REFIID iid, void** object)
{
    HRESULT hr = TMediaComponent::QueryInterface(iid, object);
    if (FAILED(hr) && FFilter)
        hr = FFilter->QueryInterface(iid, object);
    return hr;
}

void TSampleGrabber::ApplyMediaType()
{
    if (!FGrabber)
        return;
    FFilter->Stop();
    if (FInputPin)
        FInputPin->Disconnect();
    FGrabber->SetMediaType(&FMediaType.MediaRecord);
}

void TSampleGrabber::MemberNotify(TMemberOperation operation, int)
{
    switch (operation) {
    case moAdding:
        CoCreateInstance(kSampleGrabberClsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_PPV_ARGS(&FFilter));
        break;
    case moAdded: {
        if (!FFilter)
            break;
        FFilter.As(&FGrabber);
        ComPtr<IEnumPins> pins;
        if (SUCCEEDED(FFilter->EnumPins(&pins))) {
            pins->Next(1, &FInputPin, nullptr);
            pins->Next(1, &FOutputPin, nullptr);
        }
        ApplyMediaType();
        if (FGrabber) {
            FGrabber->SetBufferSamples(TRUE);
            if (OnBuffer.Assigned()) {
                FCallback = new TCallback(*this);
                FGrabber->SetCallback(FCallback.Get(), 1);
            }
        }
        break;
    }
    case moRemoving:
        if (FFilter)
            FFilter->Stop();
        if (FInputPin)
            FInputPin->Disconnect();
        if (FOutputPin)
            FOutputPin->Disconnect();
        break;
    case moRemoved:
        if (FGrabber) {
            FGrabber->SetCallback(nullptr, 1);
            FGrabber->SetBufferSamples(FALSE);
        }
        FCallback.Reset();
        FInputPin.Reset();
        FOutputPin.Reset();
        FGrabber.Reset();
        FFilter.Reset();
        break;
    }
}

void TSampleGrabber::BufferReceived(double sampleTime, BYTE* buffer, long length)
{
    if (!OnBuffer.Assigned())
        return;
    std::lock_guard lock(FBufferLock);
    OnBuffer(this, sampleTime, buffer, int(length));
}

bool TSampleGrabber::GrabFrame(TBitmap* bitmap)
{
    if (!bitmap || !FGrabber)
        return false;
    AM_MEDIA_TYPE connected{};
    if (FGrabber->GetConnectedMediaType(&connected) != S_OK)
        return false;
    const TScopeExit clear([&] { ClearMediaType(connected); });

    if (connected.majortype != MEDIATYPE_Video)
        return false;
    size_t offset;
    if (connected.formattype.Data1 == FORMAT_VideoInfo2.Data1)
        offset = kVideoInfo2BitmapOffset;
    else if (connected.formattype.Data1 == FORMAT_VideoInfo.Data1)
        offset = kVideoInfoBitmapOffset;
    else
        return false;
    // A format block too short to hold the header is not read.
    if (!connected.pbFormat || connected.cbFormat < offset + sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, connected.pbFormat + offset, sizeof header);
    if (header.biCompression != BI_RGB || (header.biBitCount != 24 && header.biBitCount != 32) ||
        header.biWidth <= 0 || header.biHeight == 0)
        return false;

    const int width = header.biWidth;
    const int height = std::abs(header.biHeight);
    const size_t stride = ((size_t(width) * header.biBitCount + 31) / 32) * 4;
    std::vector<uint8_t> frame(stride * size_t(height));
    long size = long(frame.size());
    if (FGrabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(frame.data())) != S_OK)
        return false;

    // The bitmap's rows run top to bottom; a bottom-up frame (positive height) is read
    // from its last row.
    bitmap->SetPixelFormat(header.biBitCount == 24 ? pf24bit : pf32bit);
    bitmap->SetSize(width, height);
    const size_t rowBytes = std::min<size_t>(stride, size_t(bitmap->BytesPerScanLine()));
    for (int row = 0; row < height; ++row) {
        const int source = header.biHeight > 0 ? height - 1 - row : row;
        std::memcpy(bitmap->ScanLine(row), frame.data() + size_t(source) * stride, rowBytes);
    }
    return true;
}
