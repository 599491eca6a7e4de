#include "ToneMicrophone.h"

#include "DeviceIds.h"
#include "FaultSwitches.h"
#include "../dshow/CaptureFilter.h"
#include "../dshow/CapturePin.h"

#include <mmreg.h>
#include <vfwmsgs.h>
#include <uuids.h>

#include <cmath>
#include <memory>

using namespace kivora::dshow;

namespace kivora::devices {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr REFERENCE_TIME Second = 10000000;
constexpr int BuffersPerSecond = 10;

struct TPcmFormat {
    DWORD rate;
    WORD bits;
    WORD channels;
};

// The first is the format the microphone starts with.
constexpr TPcmFormat PcmFormats[] = {
    {44100, 16, 2}, {48000, 16, 2}, {22050, 16, 1}, {11025, 8, 1}, {8000, 8, 1}, {8000, 16, 2},
};

TOfferedFormat MakeFormat(const TPcmFormat& pcm)
{
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = pcm.channels;
    wave.nSamplesPerSec = pcm.rate;
    wave.wBitsPerSample = pcm.bits;
    wave.nBlockAlign = static_cast<WORD>(pcm.channels * pcm.bits / 8);
    wave.nAvgBytesPerSec = pcm.rate * wave.nBlockAlign;

    TOfferedFormat format;
    AM_MEDIA_TYPE& type = *format.type.Raw();
    type.majortype = MEDIATYPE_Audio;
    type.subtype = MEDIASUBTYPE_PCM;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = wave.nBlockAlign;
    type.formattype = FORMAT_WaveFormatEx;
    format.type.SetFormat(&wave, sizeof wave);

    AUDIO_STREAM_CONFIG_CAPS caps{};
    caps.guid = MEDIATYPE_Audio;
    caps.MinimumChannels = caps.MaximumChannels = pcm.channels;
    caps.ChannelsGranularity = 1;
    caps.MinimumBitsPerSample = caps.MaximumBitsPerSample = pcm.bits;
    caps.BitsPerSampleGranularity = 8;
    caps.MinimumSampleFrequency = caps.MaximumSampleFrequency = static_cast<ULONG>(pcm.rate);
    caps.SampleFrequencyGranularity = 1;
    const auto* bytes = reinterpret_cast<const BYTE*>(&caps);
    format.caps.assign(bytes, bytes + sizeof caps);
    return format;
}

std::vector<TOfferedFormat> MicrophoneFormats()
{
    std::vector<TOfferedFormat> formats;
    for (const TPcmFormat& pcm : PcmFormats)
        formats.push_back(MakeFormat(pcm));
    return formats;
}

class TTonePin : public TCapturePin {
public:
    explicit TTonePin(TFilter& filter) : TCapturePin(filter, L"Capture", MicrophoneFormats(), true) {}

protected:
    void DecideBufferSize(ALLOCATOR_PROPERTIES& wanted) override
    {
        const WAVEFORMATEX* wave = PcmFormatOf(FType.Get());
        wanted.cBuffers = 4;
        wanted.cbBuffer = wave ? static_cast<long>((wave->nSamplesPerSec / BuffersPerSecond + 1) * wave->nBlockAlign) : 0;
        wanted.cbAlign = 1;
    }

    int FindFormat(const AM_MEDIA_TYPE& type) const override
    {
        const WAVEFORMATEX* wanted = PcmFormatOf(type);
        if (!wanted || wanted->wFormatTag != WAVE_FORMAT_PCM)
            return -1;
        for (size_t i = 0; i < Formats().size(); ++i) {
            const WAVEFORMATEX* wave = PcmFormatOf(Formats()[i].type.Get());
            if (wave->nChannels == wanted->nChannels && wave->nSamplesPerSec == wanted->nSamplesPerSec
                && wave->wBitsPerSample == wanted->wBitsPerSample)
                return static_cast<int>(i);
        }
        return -1;
    }

    // A tenth of a second of the tone per sample, the same in every channel. Times come
    // from the sample position, so they neither drift nor round away.
    HRESULT FillSample(IMediaSample& sample, REFERENCE_TIME& duration) override
    {
        const WAVEFORMATEX* wave = PcmFormatOf(FType.Get());
        BYTE* data = nullptr;
        if (!wave || FAILED(sample.GetPointer(&data)))
            return E_UNEXPECTED;
        const DWORD rate = wave->nSamplesPerSec;
        const long frames = static_cast<long>(rate / BuffersPerSecond);
        if (sample.GetSize() < frames * wave->nBlockAlign)
            return E_UNEXPECTED;
        for (long i = 0; i < frames; ++i) {
            const double phase = 2.0 * Pi * ToneFrequency * static_cast<double>((FPosition + i) % rate) / rate;
            const double value = 0.5 * std::sin(phase);
            for (WORD channel = 0; channel < wave->nChannels; ++channel) {
                if (wave->wBitsPerSample == 8) {
                    *data++ = static_cast<BYTE>(128 + std::lround(value * 127.0));
                } else {
                    const auto level = static_cast<short>(std::lround(value * 32767.0));
                    *data++ = static_cast<BYTE>(level & 0xFF);
                    *data++ = static_cast<BYTE>((level >> 8) & 0xFF);
                }
            }
        }
        sample.SetActualDataLength(frames * wave->nBlockAlign);
        duration = (FPosition + frames) * Second / rate - FPosition * Second / rate;
        FPosition += frames;
        return S_OK;
    }

private:
    std::int64_t FPosition = 0;     // sample frames produced so far
};

// An analog input of the device: it takes no connection, only the enable switch matters.
class TLinePin : public TPin, public IAMAudioInputMixer {
public:
    TLinePin(TFilter& filter, std::wstring name, bool enabled)
        : TPin(filter, std::move(name), PINDIR_INPUT), FEnabled(enabled) {}

    KIVORA_FORWARD_IUNKNOWN(TPin)
    STDMETHODIMP Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    STDMETHODIMP ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return VFW_E_TYPE_NOT_ACCEPTED; }
    STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
    STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return E_UNEXPECTED; }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE&) override { return S_FALSE; }

    STDMETHODIMP put_Enable(BOOL enable) override
    {
        FEnabled = enable != FALSE;
        return S_OK;
    }
    STDMETHODIMP get_Enable(BOOL* enabled) override
    {
        if (!enabled)
            return E_POINTER;
        *enabled = FEnabled ? TRUE : FALSE;
        return S_OK;
    }
    // The tone is the same whatever the other controls say.
    STDMETHODIMP put_Mono(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Mono(BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_MixLevel(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_MixLevel(double*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Pan(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_Pan(double*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Loudness(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_Loudness(BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Treble(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_Treble(double*) override { return E_NOTIMPL; }
    STDMETHODIMP get_TrebleRange(double*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Bass(double) override { return E_NOTIMPL; }
    STDMETHODIMP get_Bass(double*) override { return E_NOTIMPL; }
    STDMETHODIMP get_BassRange(double*) override { return E_NOTIMPL; }

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IAMAudioInputMixer))
            return AnswerInterface(iid, out, {{&IID_IAMAudioInputMixer, static_cast<IAMAudioInputMixer*>(this)}});
        return TPin::QueryPinInterface(iid, out);
    }

private:
    std::atomic<bool> FEnabled;
};

class TToneMicrophone : public TCaptureFilter {
public:
    TToneMicrophone() : TCaptureFilter(CLSID_ToneMicrophone, ToneMicrophoneName)
    {
        AddPin(std::make_unique<TTonePin>(*this));
        if (!ReadMicrophoneFaults().noInputLines) {
            AddPin(std::make_unique<TLinePin>(*this, L"Line In", false));
            AddPin(std::make_unique<TLinePin>(*this, L"Microphone", true));
        }
    }
};

} // namespace

IUnknown* CreateToneMicrophone()
{
    return static_cast<IBaseFilter*>(new TToneMicrophone());
}

} // namespace kivora::devices
