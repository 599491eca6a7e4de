#include "AsfWriterFilter.h"

#include "ConfigAsfWriter.h"
#include "JpegFrameEncoder.h"
#include "SampleInterleaver.h"
#include "SystemProfiles.h"
#include "WriterFaults.h"
#include "WriterFileSink.h"
#include "../dshow/Filter.h"
#include "../dshow/Pin.h"

#include "AsfWriter.h"

#include <amvideo.h>
#include <evcode.h>
#include <mmreg.h>
#include <uuids.h>

#include <memory>
#include <optional>

using namespace kivora::dshow;
using kivora::asf::TAsfWriter;

namespace kivora::asfwriter {
namespace {

constexpr int JpegQuality = 85;
// Bounds on what an input pin takes, so that no format makes the writer allocate or
// read without limit.
constexpr LONG MaxFrameSide = 4096;
constexpr WORD MaxChannels = 8;

const wchar_t WriterName[] = L"WM ASF Writer";

// Why the ASF writer failed: the file's write error, or a write fault when the file saw
// none.
HRESULT WriteError(const TWriterFileSink& sink)
{
    return FAILED(sink.Failure()) ? sink.Failure() : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
}

std::optional<TFrameLayout> VideoLayout(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* video = VideoInfoOf(type);
    if (!video)
        return std::nullopt;
    const BITMAPINFOHEADER& header = video->bmiHeader;
    TFrameLayout layout;
    if (IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB24) && header.biBitCount == 24)
        layout.pixels = plRgb24;
    else if (IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB32) && header.biBitCount == 32)
        layout.pixels = plRgb32;
    else if (IsEqualGUID(type.subtype, MEDIASUBTYPE_YUY2) && header.biBitCount == 16 && header.biWidth % 2 == 0)
        layout.pixels = plYuy2;
    else
        return std::nullopt;
    if (header.biWidth <= 0 || header.biWidth > MaxFrameSide || header.biHeight == 0
        || header.biHeight > MaxFrameSide || header.biHeight < -MaxFrameSide)
        return std::nullopt;
    layout.width = header.biWidth;
    layout.height = header.biHeight;
    return layout;
}

const WAVEFORMATEX* PcmFormat(const AM_MEDIA_TYPE& type)
{
    const WAVEFORMATEX* wave = PcmFormatOf(type);
    const bool sane = wave && wave->wFormatTag == WAVE_FORMAT_PCM && wave->nChannels >= 1 && wave->nChannels <= MaxChannels
        && (wave->wBitsPerSample == 8 || wave->wBitsPerSample == 16) && wave->nSamplesPerSec >= 1000
        && wave->nSamplesPerSec <= 192000 && wave->nBlockAlign == wave->nChannels * wave->wBitsPerSample / 8;
    return sane ? wave : nullptr;
}

class TAsfWriterFilter;

class TWriterPin : public TInputPin {
public:
    TWriterPin(TAsfWriterFilter& writer, std::wstring name, bool video);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override
    {
        return (FVideo ? VideoLayout(type).has_value() : PcmFormat(type) != nullptr) ? S_OK : S_FALSE;
    }
    bool IsVideo() const { return FVideo; }
    // The ASF stream number while a file is written, 0 otherwise.
    uint16_t FStream = 0;

protected:
    HRESULT OnReceive(IMediaSample* sample) override;

private:
    TAsfWriterFilter& FWriter;
    bool FVideo;
    uint64_t FNextTime = 0;     // for samples without a time
};

class TAsfWriterFilter : public TFilter, public IFileSinkFilter, public IConfigAsfWriter2 {
public:
    TAsfWriterFilter() : TFilter(CLSID_WMAsfWriter, WriterName), FFaults(ReadWriterFaults())
    {
        ApplyProfile(DefaultSystemProfile());
    }
    // Released without a stop: the file is finished; there is no graph left to tell.
    ~TAsfWriterFilter() override { CloseFile(); }

    KIVORA_FORWARD_IUNKNOWN(TFilter)

    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*) override
    {
        if (!name)
            return E_POINTER;
        std::lock_guard lock(FLock);
        if (StreamState() != State_Stopped)
            return VFW_E_NOT_STOPPED;
        FFileName = name;
        return S_OK;
    }
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override
    {
        if (!name)
            return E_POINTER;
        std::lock_guard lock(FLock);
        *name = nullptr;
        if (type)
            *type = AM_MEDIA_TYPE{};
        if (FFileName.empty())
            return E_FAIL;
        *name = TaskString(FFileName);
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    // IConfigAsfWriter: the system profiles by identifier; nothing else.
    STDMETHODIMP ConfigureFilterUsingProfileId(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentProfileId(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP ConfigureFilterUsingProfileGuid(REFGUID id) override
    {
        const TSystemProfile* profile = FindSystemProfile(id);
        if (!profile)
            return E_INVALIDARG;
        std::lock_guard lock(FLock);
        if (StreamState() != State_Stopped)
            return VFW_E_NOT_STOPPED;
        for (int i = 0; i < PinCount(); ++i)
            if (PinAt(i)->IsConnected())
                return VFW_E_ALREADY_CONNECTED;
        ApplyProfile(*profile);
        return S_OK;
    }
    STDMETHODIMP GetCurrentProfileGuid(GUID* id) override
    {
        if (!id)
            return E_POINTER;
        std::lock_guard lock(FLock);
        *id = FProfile->id;
        return S_OK;
    }
    STDMETHODIMP ConfigureFilterUsingProfile(IWMProfile*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCurrentProfile(IWMProfile**) override { return E_NOTIMPL; }
    STDMETHODIMP SetIndexMode(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetIndexMode(BOOL*) override { return E_NOTIMPL; }

    // IConfigAsfWriter2
    STDMETHODIMP StreamNumFromPin(IPin* pin, WORD* stream) override
    {
        if (!pin || !stream)
            return E_POINTER;
        std::lock_guard lock(FLock);
        for (int i = 0; i < PinCount(); ++i) {
            if (PinAt(i) == pin) {
                *stream = static_cast<WORD>(i + 1);
                return S_OK;
            }
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP SetParam(DWORD param, DWORD value, DWORD) override
    {
        std::lock_guard lock(FLock);
        DWORD* field = Param(param);
        if (!field)
            return E_INVALIDARG;
        *field = value;
        return S_OK;
    }
    STDMETHODIMP GetParam(DWORD param, DWORD* value1, DWORD* value2) override
    {
        if (!value1)
            return E_POINTER;
        std::lock_guard lock(FLock);
        DWORD* field = Param(param);
        if (!field)
            return E_INVALIDARG;
        *value1 = *field;
        if (value2)
            *value2 = 0;
        return S_OK;
    }
    STDMETHODIMP ResetMultiPassState() override { return E_NOTIMPL; }

    // After a failed write every sample is refused with that write's error until the
    // graph stops.
    HRESULT WriteFailure() const { return FWriteFailure; }
    // A received sample of a pin's stream (called with the filter lock held).
    HRESULT Write(TWriterPin& pin, TQueuedSample sample)
    {
        if (!FInterleaver || pin.FStream == 0)
            return VFW_E_WRONG_STATE;
        sample.stream = pin.FStream;
        FInterleaver->Push(std::move(sample));
        if (FFailed)
            ReportFailure(CloseFile());
        return FWriteFailure;
    }
    bool StoresJpeg() const { return FDontCompress == 0; }

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override
    {
        if (AnswerInterface(iid, out, {{&IID_IFileSinkFilter, static_cast<IFileSinkFilter*>(this)},
                                       {&IID_IConfigAsfWriter, static_cast<IConfigAsfWriter*>(this)},
                                       {&IID_IConfigAsfWriter2, static_cast<IConfigAsfWriter2*>(this)}})
            == S_OK)
            return S_OK;
        return TFilter::QueryFilterInterface(iid, out);
    }

    // Stopped→Paused: the file is created with a stream for every connected pin.
    HRESULT OnActivate() override
    {
        FWriteFailure = S_OK;
        if (FFileName.empty())
            return E_INVALIDARG;
        auto sink = std::make_unique<TWriterFileSink>(FFileName, FFaults.diskFullAfter);
        if (!sink->Ok())
            return HRESULT_FROM_WIN32(ERROR_OPEN_FAILED);
        auto writer = std::make_unique<TAsfWriter>(*sink);
        bool any = false;
        for (int i = 0; i < PinCount(); ++i) {
            auto& pin = static_cast<TWriterPin&>(*PinAt(i));
            pin.FStream = 0;
            if (!pin.IsConnected())
                continue;
            pin.FStream = pin.IsVideo() ? AddVideoStream(*writer, pin.ConnectionType().Get())
                                        : AddAudioStream(*writer, pin.ConnectionType().Get());
            any = any || pin.FStream != 0;
        }
        if (!any)
            return VFW_E_NOT_CONNECTED;
        if (!writer->Begin())
            return WriteError(*sink);
        FFailed = false;
        FSink = std::move(sink);
        FWriter = std::move(writer);
        FInterleaver = std::make_unique<TSampleInterleaver>([this](const TQueuedSample& sample) {
            if (!FWriter->WriteSample(sample.stream, sample.time, sample.data, sample.keyFrame, sample.duration))
                FFailed = true;
        });
        for (int i = 0; i < PinCount(); ++i)
            if (const uint16_t stream = static_cast<TWriterPin&>(*PinAt(i)).FStream)
                FInterleaver->AddStream(stream);
        return S_OK;
    }
    void OnDeactivated() override { ReportFailure(CloseFile()); }

private:
    void ApplyProfile(const TSystemProfile& profile)
    {
        std::vector<std::unique_ptr<TPin>> pins;
        if (profile.video)
            pins.push_back(std::make_unique<TWriterPin>(*this, L"Video Input 01", true));
        if (profile.audio)
            pins.push_back(std::make_unique<TWriterPin>(*this, L"Audio Input 01", false));
        ReplacePins(std::move(pins));
        FProfile = &profile;
    }

    uint16_t AddVideoStream(TAsfWriter& writer, const AM_MEDIA_TYPE& type)
    {
        const std::optional<TFrameLayout> layout = VideoLayout(type);
        kivora::asf::TAsfVideoFormat format;
        format.width = layout->width;
        format.height = layout->height;
        if (StoresJpeg()) {
            format.compression = kivora::asf::asfFourccMjpg;
            format.bitCount = 24;
        } else {
            const BITMAPINFOHEADER& header = VideoInfoOf(type)->bmiHeader;
            format.compression = header.biCompression;
            format.bitCount = header.biBitCount;
        }
        return writer.AddVideoStream(format);
    }

    static uint16_t AddAudioStream(TAsfWriter& writer, const AM_MEDIA_TYPE& type)
    {
        const WAVEFORMATEX* wave = PcmFormat(type);
        kivora::asf::TAsfAudioFormat format;
        format.channels = wave->nChannels;
        format.samplesPerSec = wave->nSamplesPerSec;
        format.bitsPerSample = wave->wBitsPerSample;
        return writer.AddAudioStream(format);
    }

    // Writes what is still queued, the index and the final header, and closes the file.
    // After a failed write only the header is rewritten in place, so that the file plays
    // up to the last packet that reached the disk. S_OK, or the failed write's error.
    HRESULT CloseFile()
    {
        std::lock_guard lock(FLock);
        if (!FWriter)
            return S_OK;
        FInterleaver->Flush();
        const bool finished = FWriter->Finish();
        FSink->Close();
        const HRESULT result = finished ? S_OK : WriteError(*FSink);
        FInterleaver.reset();
        FWriter.reset();
        FSink.reset();
        for (int i = 0; i < PinCount(); ++i)
            static_cast<TWriterPin&>(*PinAt(i)).FStream = 0;
        return result;
    }

    // As the platform writer reports a write that failed (a full disk): the graph gets
    // EC_ERRORABORT with the error, once; the pins refuse samples with it from then on.
    void ReportFailure(HRESULT failure)
    {
        if (SUCCEEDED(failure) || FAILED(FWriteFailure))
            return;
        FWriteFailure = failure;
        NotifyEvent(EC_ERRORABORT, static_cast<LONG_PTR>(failure), 0);
    }

    DWORD* Param(DWORD param)
    {
        switch (param) {
        case AM_CONFIGASFWRITER_PARAM_AUTOINDEX: return &FAutoIndex;
        case AM_CONFIGASFWRITER_PARAM_MULTIPASS: return &FMultiPass;
        case AM_CONFIGASFWRITER_PARAM_DONTCOMPRESS: return &FDontCompress;
        default: return nullptr;
        }
    }

    const TWriterFaults FFaults;
    const TSystemProfile* FProfile = nullptr;
    std::wstring FFileName;
    // Kept and reported; the file is always indexed and written in one pass.
    DWORD FAutoIndex = 1;
    DWORD FMultiPass = 0;
    DWORD FDontCompress = 0;

    // While the graph runs: the file, its writer and the sample order.
    std::unique_ptr<TWriterFileSink> FSink;
    std::unique_ptr<TAsfWriter> FWriter;
    std::unique_ptr<TSampleInterleaver> FInterleaver;
    bool FFailed = false;               // a write of this file failed
    HRESULT FWriteFailure = S_OK;       // that failure, once reported
};

TWriterPin::TWriterPin(TAsfWriterFilter& writer, std::wstring name, bool video)
    : TInputPin(writer, std::move(name)), FWriter(writer), FVideo(video) {}

HRESULT TWriterPin::OnReceive(IMediaSample* sample)
{
    if (FAILED(FWriter.WriteFailure()))
        return FWriter.WriteFailure();
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return E_POINTER;
    const long length = sample->GetActualDataLength();
    if (length <= 0)
        return S_OK;

    TQueuedSample queued;
    REFERENCE_TIME start = 0;
    REFERENCE_TIME end = 0;
    const HRESULT timed = sample->GetTime(&start, &end);
    if (FAILED(timed) || timed == VFW_E_SAMPLE_TIME_NOT_SET) {
        queued.time = FNextTime;
    } else {
        queued.time = start > 0 ? static_cast<uint64_t>(start) : 0;
        if (timed == S_OK && end > start)
            queued.duration = static_cast<uint64_t>(end - start);
    }
    FNextTime = queued.time + queued.duration;

    if (FVideo && FWriter.StoresJpeg()) {
        if (!EncodeJpeg(*VideoLayout(FType.Get()), data, static_cast<size_t>(length), JpegQuality, queued.data))
            return VFW_E_INVALIDMEDIATYPE;
    } else {
        queued.data.assign(data, data + length);
    }
    queued.keyFrame = true;
    return FWriter.Write(*this, std::move(queued));
}

} // namespace

IUnknown* CreateAsfWriterFilter()
{
    return static_cast<IBaseFilter*>(new TAsfWriterFilter());
}

} // namespace kivora::asfwriter
