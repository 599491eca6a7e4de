#include "TestCamera.h"

#include "DeviceIds.h"
#include "FaultSwitches.h"
#include "TestPattern.h"
#include "../dshow/CaptureFilter.h"
#include "../dshow/CapturePin.h"

#include <amvideo.h>
#include <uuids.h>

#include <memory>

using namespace kivora::dshow;

namespace kivora::devices {
namespace {

constexpr REFERENCE_TIME FramePeriod = 333333;      // 30 frames per second

// Frame sizes in the order the pin offers them, for each of RGB24 then YUY2. The first
// is the format the camera starts with.
constexpr SIZE FrameSizes[] = {{640, 480}, {160, 120}, {320, 240}, {1280, 720}};

struct TPixelFormat {
    const GUID* subtype;
    WORD bitCount;
    DWORD compression;
};
const TPixelFormat PixelFormats[] = {
    {&MEDIASUBTYPE_RGB24, 24, BI_RGB},
    {&MEDIASUBTYPE_YUY2, 16, MAKEFOURCC('Y', 'U', 'Y', '2')},
};

TOfferedFormat MakeFormat(const TPixelFormat& pixels, SIZE size)
{
    VIDEOINFOHEADER video{};
    video.AvgTimePerFrame = FramePeriod;
    video.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    video.bmiHeader.biWidth = size.cx;
    video.bmiHeader.biHeight = size.cy;
    video.bmiHeader.biPlanes = 1;
    video.bmiHeader.biBitCount = pixels.bitCount;
    video.bmiHeader.biCompression = pixels.compression;
    video.bmiHeader.biSizeImage = static_cast<DWORD>(size.cx * size.cy * pixels.bitCount / 8);
    video.dwBitRate = video.bmiHeader.biSizeImage * 8 * 30;

    TOfferedFormat format;
    AM_MEDIA_TYPE& type = *format.type.Raw();
    type.majortype = MEDIATYPE_Video;
    type.subtype = *pixels.subtype;
    type.bFixedSizeSamples = TRUE;
    type.bTemporalCompression = FALSE;
    type.lSampleSize = video.bmiHeader.biSizeImage;
    type.formattype = FORMAT_VideoInfo;
    format.type.SetFormat(&video, sizeof video);

    VIDEO_STREAM_CONFIG_CAPS caps{};
    caps.guid = FORMAT_VideoInfo;
    caps.InputSize = caps.MinCroppingSize = caps.MaxCroppingSize = size;
    caps.MinOutputSize = caps.MaxOutputSize = size;
    caps.CropGranularityX = caps.CropGranularityY = 1;
    caps.MinFrameInterval = caps.MaxFrameInterval = FramePeriod;
    caps.MinBitsPerSecond = caps.MaxBitsPerSecond = static_cast<LONG>(video.dwBitRate);
    const auto* bytes = reinterpret_cast<const BYTE*>(&caps);
    format.caps.assign(bytes, bytes + sizeof caps);
    return format;
}

std::vector<TOfferedFormat> CameraFormats(const TCameraFaults& faults)
{
    std::vector<TOfferedFormat> formats;
    if (faults.noFormats)
        return formats;
    for (const TPixelFormat& pixels : PixelFormats)
        for (SIZE size : FrameSizes)
            formats.push_back(MakeFormat(pixels, size));
    return formats;
}

class TCameraPin : public TCapturePin {
public:
    TCameraPin(TFilter& filter, const TCameraFaults& faults)
        : TCapturePin(filter, L"Capture", CameraFormats(faults), !faults.noStreamConfig),
          FStopAfter(faults.stopAfterFrames) {}

    HRESULT Active() override
    {
        // The picture for the connection's format, made before streaming starts.
        if (const VIDEOINFOHEADER* video = IsConnected() ? VideoInfoOf(FType.Get()) : nullptr)
            FPattern = std::make_unique<TTestPattern>(video->bmiHeader.biWidth, video->bmiHeader.biHeight,
                                                      IsEqualGUID(FType.Get().subtype, MEDIASUBTYPE_YUY2));
        return TCapturePin::Active();
    }

protected:
    void DecideBufferSize(ALLOCATOR_PROPERTIES& wanted) override
    {
        wanted.cBuffers = 4;
        wanted.cbBuffer = static_cast<long>(FType.Get().lSampleSize);
        wanted.cbAlign = 1;
    }

    // A format is one of ours when subtype and frame size match; the caller's frame
    // rate and other header fields do not matter, the camera always runs at 30.
    int FindFormat(const AM_MEDIA_TYPE& type) const override
    {
        const VIDEOINFOHEADER* wanted = VideoInfoOf(type);
        if (!wanted)
            return -1;
        for (size_t i = 0; i < Formats().size(); ++i) {
            const AM_MEDIA_TYPE& offered = Formats()[i].type.Get();
            const VIDEOINFOHEADER* video = VideoInfoOf(offered);
            if (IsEqualGUID(type.subtype, offered.subtype) && wanted->bmiHeader.biWidth == video->bmiHeader.biWidth
                && wanted->bmiHeader.biHeight == video->bmiHeader.biHeight)
                return static_cast<int>(i);
        }
        return -1;
    }

    HRESULT FillSample(IMediaSample& sample, REFERENCE_TIME& duration) override
    {
        if (FStopAfter >= 0 && static_cast<std::int64_t>(FFrame) >= FStopAfter)
            return S_FALSE;
        BYTE* data = nullptr;
        if (!FPattern || FAILED(sample.GetPointer(&data))
            || static_cast<size_t>(sample.GetSize()) < FPattern->FrameSize())
            return E_UNEXPECTED;
        FPattern->Draw(data, FFrame);
        sample.SetActualDataLength(static_cast<long>(FPattern->FrameSize()));
        ++FFrame;
        duration = FramePeriod;
        return S_OK;
    }

private:
    std::unique_ptr<TTestPattern> FPattern;
    std::uint64_t FFrame = 0;       // frames delivered so far, across runs
    std::int64_t FStopAfter;
};

class TTestCamera : public TCaptureFilter {
public:
    TTestCamera() : TCaptureFilter(CLSID_TestCamera, TestCameraName), FFaults(ReadCameraFaults())
    {
        if (!FFaults.noPins)
            AddPin(std::make_unique<TCameraPin>(*this, FFaults));
    }

protected:
    HRESULT OnActivate() override
    {
        return FFaults.failStart ? HRESULT_FROM_WIN32(ERROR_GEN_FAILURE) : S_OK;
    }

private:
    TCameraFaults FFaults;
};

} // namespace

IUnknown* CreateTestCamera()
{
    return static_cast<IBaseFilter*>(new TTestCamera());
}

} // namespace kivora::devices
