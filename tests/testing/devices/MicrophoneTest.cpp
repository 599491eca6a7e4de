// The tone microphone: found by name, its PCM formats, the tone it delivers and its two
// input lines.
#include "CaptureTestSupport.h"
#include "TestProcess.h"
#include "devices/DeviceIds.h"

#include <gtest/gtest.h>
#include <mmreg.h>

namespace kivora::test {
namespace {

const WAVEFORMATEX& Wave(const AM_MEDIA_TYPE& type)
{
    return *reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}

ComPtr<IAMAudioInputMixer> LineMixer(IBaseFilter* filter, int line)
{
    ComPtr<IAMAudioInputMixer> mixer;
    if (ComPtr<IPin> pin = FindPin(filter, PINDIR_INPUT, line))
        pin->QueryInterface(IID_IAMAudioInputMixer, reinterpret_cast<void**>(mixer.GetAddressOf()));
    return mixer;
}

// Signed level of sample frame i, first channel.
int Level(const std::vector<BYTE>& pcm, const WAVEFORMATEX& wave, size_t i)
{
    const BYTE* frame = pcm.data() + i * wave.nBlockAlign;
    if (wave.wBitsPerSample == 8)
        return frame[0] - 128;
    return static_cast<short>(frame[0] | (frame[1] << 8));
}

// Frequency from rising zero crossings of the first channel.
double ToneFrequency(const std::vector<BYTE>& pcm, const WAVEFORMATEX& wave)
{
    const size_t frames = pcm.size() / wave.nBlockAlign;
    size_t firstCrossing = 0;
    size_t lastCrossing = 0;
    int crossings = 0;
    for (size_t i = 1; i < frames; ++i) {
        if (Level(pcm, wave, i - 1) < 0 && Level(pcm, wave, i) >= 0) {
            if (crossings == 0)
                firstCrossing = i;
            lastCrossing = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0.0;
    return (crossings - 1) * static_cast<double>(wave.nSamplesPerSec) / static_cast<double>(lastCrossing - firstCrossing);
}

TEST(ToneMicrophone, IsListedAsAudioInputDevice)
{
    ComPtr<IMoniker> moniker = FindDevice(CLSID_AudioInputDeviceCategory, devices::ToneMicrophoneName);
    ASSERT_TRUE(moniker) << "no audio input device named Kivora Tone Microphone";
    ComPtr<IBaseFilter> microphone;
    ASSERT_HRESULT_SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&microphone)));
    EXPECT_EQ(PinNames(microphone.Get(), PINDIR_OUTPUT), std::vector<std::wstring>{L"Capture"});
    EXPECT_EQ(PinNames(microphone.Get(), PINDIR_INPUT), (std::vector<std::wstring>{L"Line In", L"Microphone"}));
}

TEST(ToneMicrophone, OffersPcmFormatsOfBothSampleSizesAndChannelCounts)
{
    ComPtr<IAMStreamConfig> config = StreamConfig(CreateFilter(devices::CLSID_ToneMicrophone).Get());
    ASSERT_TRUE(config);
    int count = 0;
    int size = 0;
    ASSERT_HRESULT_SUCCEEDED(config->GetNumberOfCapabilities(&count, &size));
    ASSERT_EQ(size, static_cast<int>(sizeof(AUDIO_STREAM_CONFIG_CAPS)));
    bool bits[17] = {};
    bool channels[3] = {};
    DWORD lowest = 1000000;
    DWORD highest = 0;
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* type = nullptr;
        AUDIO_STREAM_CONFIG_CAPS caps{};
        ASSERT_EQ(config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps)), S_OK);
        const WAVEFORMATEX& wave = Wave(*type);
        EXPECT_TRUE(IsEqualGUID(type->subtype, MEDIASUBTYPE_PCM));
        EXPECT_EQ(wave.nBlockAlign, wave.nChannels * wave.wBitsPerSample / 8);
        EXPECT_EQ(wave.nAvgBytesPerSec, wave.nSamplesPerSec * wave.nBlockAlign);
        EXPECT_EQ(caps.MaximumSampleFrequency, wave.nSamplesPerSec);
        bits[wave.wBitsPerSample] = true;
        channels[wave.nChannels] = true;
        lowest = std::min(lowest, wave.nSamplesPerSec);
        highest = std::max(highest, wave.nSamplesPerSec);
        dshow::DeleteTaskMediaType(type);
    }
    EXPECT_TRUE(bits[8] && bits[16]);
    EXPECT_TRUE(channels[1] && channels[2]);
    EXPECT_EQ(lowest, 8000u);
    EXPECT_EQ(highest, 48000u);
}

// Every format delivers the tone at its pitch, with sample times that follow the
// sample count.
TEST(ToneMicrophone, EveryFormatDeliversTheTone)
{
    const std::vector<dshow::TMediaType> formats = OfferedFormats(CreateFilter(devices::CLSID_ToneMicrophone).Get());
    ASSERT_FALSE(formats.empty());
    for (const dshow::TMediaType& wanted : formats) {
        const WAVEFORMATEX& wave = Wave(wanted.Get());
        SCOPED_TRACE(testing::Message() << wave.nSamplesPerSec << " Hz " << wave.wBitsPerSample << " bits "
                                        << wave.nChannels << " channels");

        ComPtr<IBaseFilter> microphone = CreateFilter(devices::CLSID_ToneMicrophone);
        ASSERT_HRESULT_SUCCEEDED(StreamConfig(microphone.Get())->SetFormat(const_cast<AM_MEDIA_TYPE*>(&wanted.Get())));
        TSourceGraph run(microphone.Get(), MEDIATYPE_Audio);
        ASSERT_HRESULT_SUCCEEDED(run.connected);
        TTestSink* sink = run.sink.Get();
        TGraph& graph = run.graph;
        EXPECT_TRUE(dshow::SameMediaType(sink->ConnectionType().Get(), wanted.Get()));
        ASSERT_HRESULT_SUCCEEDED(graph.control->Run());
        ASSERT_TRUE(WaitUntil([&] { return sink->Count() >= 5; }, std::chrono::seconds(10)));
        graph.control->Stop();

        const TReceived received = sink->Received();
        EXPECT_NEAR(ToneFrequency(received.all, wave), devices::ToneFrequency, devices::ToneFrequency * 0.01);
        for (size_t s = 1; s < received.starts.size(); ++s)
            EXPECT_EQ(received.ends[s - 1], received.starts[s]) << "sample " << s;
        const size_t frames = received.all.size() / wave.nBlockAlign;
        const REFERENCE_TIME covered = received.ends.back() - received.starts.front();
        EXPECT_NEAR(static_cast<double>(covered), frames * 1e7 / wave.nSamplesPerSec, 2.0);
    }
}

TEST(ToneMicrophone, InputLinesSwitchOnAndOffWithTheMicrophoneOnAtFirst)
{
    ComPtr<IBaseFilter> microphone = CreateFilter(devices::CLSID_ToneMicrophone);
    ComPtr<IAMAudioInputMixer> lineIn = LineMixer(microphone.Get(), 0);
    ComPtr<IAMAudioInputMixer> mic = LineMixer(microphone.Get(), 1);
    ASSERT_TRUE(lineIn && mic);
    BOOL enabled = TRUE;
    ASSERT_HRESULT_SUCCEEDED(lineIn->get_Enable(&enabled));
    EXPECT_FALSE(enabled);
    ASSERT_HRESULT_SUCCEEDED(mic->get_Enable(&enabled));
    EXPECT_TRUE(enabled);

    ASSERT_HRESULT_SUCCEEDED(lineIn->put_Enable(TRUE));
    ASSERT_HRESULT_SUCCEEDED(mic->put_Enable(FALSE));
    lineIn->get_Enable(&enabled);
    EXPECT_TRUE(enabled);
    mic->get_Enable(&enabled);
    EXPECT_FALSE(enabled);

    // The lines take no connection: they stand for analog inputs.
    auto sink = TTestSink::Create(MEDIATYPE_Audio);
    ComPtr<IPin> line = FindPin(microphone.Get(), PINDIR_INPUT, 0);
    EXPECT_HRESULT_FAILED(sink->InputPin()->Connect(line.Get(), nullptr));
}

} // namespace
} // namespace kivora::test
