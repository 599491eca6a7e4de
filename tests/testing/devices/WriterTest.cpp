// The stand-in WM ASF writer: its identity, profiles and pins, parameters, file name,
// what its pins accept, and the files it writes from a recording graph.
#include "WriterTestSupport.h"
#include "TestSink.h"
#include "TestProcess.h"

#include "AsfBytes.h"
#include "AsfHeader.h"
#include "AsfWriter.h"
#include "MediaType.h"
#include "asf-writer/ConfigAsfWriter.h"
#include "asf-writer/SystemProfiles.h"
#include "asf-writer/WriterFaults.h"
#include "devices/DeviceIds.h"

#include <gtest/gtest.h>

#include <uuids.h>
#include <amvideo.h>
#include <evcode.h>
#include <mmreg.h>

namespace kivora::test {
namespace {

using asfwriter::SystemProfiles;
using asfwriter::TSystemProfile;

ComPtr<IConfigAsfWriter2> Config(IBaseFilter* writer)
{
    ComPtr<IConfigAsfWriter2> config;
    if (writer)
        writer->QueryInterface(IID_IConfigAsfWriter2, reinterpret_cast<void**>(config.GetAddressOf()));
    return config;
}

// A file in the test's temporary folder, removed with the object.
class TTemporaryFile {
public:
    explicit TTemporaryFile(const wchar_t* name)
    {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        FPath = std::wstring(folder) + name;
        DeleteFileW(FPath.c_str());
    }
    ~TTemporaryFile() { DeleteFileW(FPath.c_str()); }
    const std::wstring& Path() const { return FPath; }

private:
    std::wstring FPath;
};

asf::TAsfResult ReadAsf(const std::wstring& path, asf::TAsfFileInfo& info)
{
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    asf::TAsfMemorySource source(bytes);
    return asf::ReadAsfFile(source, info);
}

// The first parameters of the EC_ERRORABORT events queued so far, added to aborts.
void TakeAborts(TGraph& graph, std::vector<LONG_PTR>& aborts)
{
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    while (graph.events->GetEvent(&code, &first, &second, 0) == S_OK) {
        if (code == EC_ERRORABORT)
            aborts.push_back(first);
        graph.events->FreeEventParams(code, first, second);
    }
}

// What the pin answers to a sample of a few bytes of silence.
HRESULT ReceiveSilence(IPin* pin)
{
    ComPtr<IMemInputPin> input;
    ComPtr<IMemAllocator> allocator;
    ComPtr<IMediaSample> sample;
    ALLOCATOR_PROPERTIES wanted = {1, 4, 1, 0};
    ALLOCATOR_PROPERTIES actual{};
    HRESULT hr = pin->QueryInterface(IID_PPV_ARGS(&input));
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&allocator));
    if (SUCCEEDED(hr))
        hr = allocator->SetProperties(&wanted, &actual);
    if (SUCCEEDED(hr))
        hr = allocator->Commit();
    if (SUCCEEDED(hr))
        hr = allocator->GetBuffer(&sample, nullptr, nullptr, 0);
    BYTE* data = nullptr;
    if (SUCCEEDED(hr))
        hr = sample->GetPointer(&data);
    if (SUCCEEDED(hr)) {
        ZeroMemory(data, 4);
        sample->SetActualDataLength(4);
        hr = input->Receive(sample.Get());
    }
    return hr;
}

// The packet count in the Data Object's own header (the File Properties has the other).
uint64_t DataObjectPackets(const std::vector<uint8_t>& file, const asf::TAsfFileInfo& info)
{
    uint64_t packets = 0;
    if (info.dataObjectOffset + 48 <= file.size())
        asf::TAsfByteReader(std::span(file).subspan(info.dataObjectOffset + 40)).U64(packets);
    return packets;
}

TEST(AsfWriter, IsCreatedUnderTheWmAsfWriterClassWithItsInterfaces)
{
    ComPtr<IBaseFilter> writer = CreateFilter(CLSID_WMAsfWriter);
    ASSERT_TRUE(writer) << "the stand-in writer is not registered";
    CLSID clsid{};
    writer->GetClassID(&clsid);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_WMAsfWriter));
    ComPtr<IFileSinkFilter> sink;
    EXPECT_HRESULT_SUCCEEDED(writer.As(&sink));
    ComPtr<IUnknown> config;
    EXPECT_HRESULT_SUCCEEDED(writer->QueryInterface(IID_IConfigAsfWriter, reinterpret_cast<void**>(config.GetAddressOf())));
    EXPECT_TRUE(Config(writer.Get()));
    // The other configuration methods are not there.
    EXPECT_EQ(Config(writer.Get())->ConfigureFilterUsingProfileId(0), E_NOTIMPL);
    EXPECT_EQ(Config(writer.Get())->ConfigureFilterUsingProfile(nullptr), E_NOTIMPL);
}

// Every system profile gives its pins, video first; the profile reads back.
TEST(AsfWriter, EachSystemProfileGivesItsInputPinsVideoFirst)
{
    ComPtr<IBaseFilter> writer = CreateFilter(CLSID_WMAsfWriter);
    ComPtr<IConfigAsfWriter2> config = Config(writer.Get());
    ASSERT_TRUE(config);
    ASSERT_EQ(SystemProfiles().size(), 28u);
    for (const TSystemProfile& profile : SystemProfiles()) {
        SCOPED_TRACE(std::wstring(profile.name).size());
        ASSERT_HRESULT_SUCCEEDED(config->ConfigureFilterUsingProfileGuid(profile.id));
        GUID current{};
        ASSERT_HRESULT_SUCCEEDED(config->GetCurrentProfileGuid(&current));
        EXPECT_TRUE(IsEqualGUID(current, profile.id));
        std::vector<std::wstring> expected;
        if (profile.video)
            expected.push_back(L"Video Input 01");
        if (profile.audio)
            expected.push_back(L"Audio Input 01");
        EXPECT_EQ(PinNames(writer.Get(), PINDIR_INPUT), expected);
        EXPECT_TRUE(PinNames(writer.Get(), PINDIR_OUTPUT).empty());
    }
    // A profile that is not a system profile is refused and changes nothing.
    const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(config->ConfigureFilterUsingProfileGuid(unknown), E_INVALIDARG);
    GUID current{};
    config->GetCurrentProfileGuid(&current);
    EXPECT_TRUE(IsEqualGUID(current, SystemProfiles().back().id));
}

TEST(AsfWriter, KeepsItsThreeParametersAndRefusesOthers)
{
    ComPtr<IConfigAsfWriter2> config = Config(CreateFilter(CLSID_WMAsfWriter).Get());
    ASSERT_TRUE(config);
    const DWORD defaults[] = {1, 0, 0};     // auto index on, multi-pass off, compress
    for (DWORD param = 1; param <= 3; ++param) {
        DWORD value = 99;
        DWORD second = 99;
        ASSERT_HRESULT_SUCCEEDED(config->GetParam(param, &value, &second));
        EXPECT_EQ(value, defaults[param - 1]) << param;
        ASSERT_HRESULT_SUCCEEDED(config->SetParam(param, !defaults[param - 1], 0));
        config->GetParam(param, &value, &second);
        EXPECT_EQ(value, static_cast<DWORD>(!defaults[param - 1])) << param;
    }
    DWORD value = 0;
    EXPECT_EQ(config->SetParam(4, 1, 0), E_INVALIDARG);
    EXPECT_EQ(config->GetParam(0, &value, nullptr), E_INVALIDARG);
}

TEST(AsfWriter, ReportsTheFileNameItWasGiven)
{
    ComPtr<IFileSinkFilter> sink;
    ASSERT_HRESULT_SUCCEEDED(CreateFilter(CLSID_WMAsfWriter).As(&sink));
    LPOLESTR name = nullptr;
    EXPECT_HRESULT_FAILED(sink->GetCurFile(&name, nullptr));
    ASSERT_HRESULT_SUCCEEDED(sink->SetFileName(L"C:\\users\\Video 1.wmv", nullptr));
    AM_MEDIA_TYPE type{};
    ASSERT_HRESULT_SUCCEEDED(sink->GetCurFile(&name, &type));
    EXPECT_STREQ(name, L"C:\\users\\Video 1.wmv");
    EXPECT_TRUE(IsEqualGUID(type.majortype, GUID_NULL));
    CoTaskMemFree(name);
}

// Partial types (as a Smart Tee passes them on) and types of the other kind are refused;
// complete types of the pin's kind are taken.
TEST(AsfWriter, PinsTakeOnlyCompleteTypesOfTheirKind)
{
    ComPtr<IBaseFilter> writer = CreateFilter(CLSID_WMAsfWriter);
    ComPtr<IPin> video = FindPin(writer.Get(), PINDIR_INPUT, 0);
    ComPtr<IPin> audio = FindPin(writer.Get(), PINDIR_INPUT, 1);
    ASSERT_TRUE(video && audio);

    VIDEOINFOHEADER header{};
    header.bmiHeader = {sizeof(BITMAPINFOHEADER), 320, 240, 1, 24, BI_RGB, 320 * 240 * 3, 0, 0, 0, 0};
    AM_MEDIA_TYPE rgb{};
    rgb.majortype = MEDIATYPE_Video;
    rgb.subtype = MEDIASUBTYPE_RGB24;
    rgb.formattype = FORMAT_VideoInfo;
    rgb.cbFormat = sizeof header;
    rgb.pbFormat = reinterpret_cast<BYTE*>(&header);
    WAVEFORMATEX wave = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    AM_MEDIA_TYPE pcm{};
    pcm.majortype = MEDIATYPE_Audio;
    pcm.subtype = MEDIASUBTYPE_PCM;
    pcm.formattype = FORMAT_WaveFormatEx;
    pcm.cbFormat = sizeof wave;
    pcm.pbFormat = reinterpret_cast<BYTE*>(&wave);
    AM_MEDIA_TYPE majorOnly{};
    majorOnly.majortype = MEDIATYPE_Video;
    AM_MEDIA_TYPE noFormat = rgb;
    noFormat.cbFormat = 0;
    noFormat.pbFormat = nullptr;
    AM_MEDIA_TYPE mpeg = rgb;
    mpeg.subtype = MEDIASUBTYPE_MPEG1Payload;

    struct TCase {
        const char* name;
        IPin* pin;
        const AM_MEDIA_TYPE* type;
        bool accepted;
    };
    const TCase cases[] = {
        {"video RGB24 on video", video.Get(), &rgb, true},
        {"PCM on audio", audio.Get(), &pcm, true},
        {"PCM on video", video.Get(), &pcm, false},
        {"RGB24 on audio", audio.Get(), &rgb, false},
        {"major type only", video.Get(), &majorOnly, false},
        {"no format block", video.Get(), &noFormat, false},
        {"compressed video", video.Get(), &mpeg, false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.pin->QueryAccept(c.type), c.accepted ? S_OK : S_FALSE) << c.name;

    // The same through ReceiveConnection, as an upstream pin would connect.
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    ComPtr<IPin> cameraPin = FindPin(camera.Get(), PINDIR_OUTPUT);
    EXPECT_EQ(video->ReceiveConnection(cameraPin.Get(), &majorOnly), VFW_E_TYPE_NOT_ACCEPTED);
    EXPECT_EQ(audio->ReceiveConnection(cameraPin.Get(), &rgb), VFW_E_TYPE_NOT_ACCEPTED);
}

// A recording as the program makes it gives a complete, indexed file with both
// streams and the recording's length; done for the default (compressed) and the
// "don't compress" setting.
TEST(AsfWriter, RecordingGraphWritesACompleteFile)
{
    for (const DWORD dontCompress : {0u, 1u}) {
        SCOPED_TRACE(dontCompress ? "don't compress" : "JPEG");
        TTemporaryFile file(L"kivora-writer-test.wmv");
        {
            TRecording recording;
            ASSERT_HRESULT_SUCCEEDED(BuildRecording(recording, SystemProfiles()[0].id, file.Path()));
            ASSERT_HRESULT_SUCCEEDED(Config(recording.writer.Get())->SetParam(AM_CONFIGASFWRITER_PARAM_DONTCOMPRESS, dontCompress, 0));
            ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Run());
            ASSERT_TRUE(WaitUntil([&] { return GraphPosition(recording.graph) >= 20000000; }, std::chrono::seconds(20)));
            ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Stop());
        }
        asf::TAsfFileInfo info;
        ASSERT_EQ(ReadAsf(file.Path(), info), asf::asfOk);
        ASSERT_EQ(info.streams.size(), 2u);
        EXPECT_TRUE(info.streams[0].IsVideo());
        EXPECT_TRUE(info.streams[1].IsAudio());
        EXPECT_EQ(info.streams[0].bitmap.width, 640);
        EXPECT_EQ(info.streams[0].bitmap.compression, dontCompress ? 0u : kivora::asf::asfFourccMjpg);
        EXPECT_EQ(info.streams[1].wave.samplesPerSec, 44100u);
        EXPECT_TRUE(info.Seekable());
        EXPECT_GT(info.simpleIndexEntries, 0u);
        EXPECT_NEAR(info.file.playDuration / 1e7, 2.0, 0.4);
    }
}

// The program's recording graph: the preview (through the Smart Tee the capture graph
// builder puts in for a camera with only a capture pin) and the recording at once.
TEST(AsfWriter, RecordsWhileThePreviewRuns)
{
    TTemporaryFile file(L"kivora-writer-preview.wmv");
    auto preview = TTestSink::Create(MEDIATYPE_Video);
    {
        TRecording recording;
        ASSERT_HRESULT_SUCCEEDED(BuildRecording(recording, SystemProfiles()[0].id, file.Path(), preview.Get()));
        ComPtr<IPin> connected;
        EXPECT_HRESULT_SUCCEEDED(FindPin(recording.writer.Get(), PINDIR_INPUT, 0)->ConnectedTo(&connected));
        EXPECT_HRESULT_SUCCEEDED(FindPin(recording.writer.Get(), PINDIR_INPUT, 1)->ConnectedTo(&connected));
        ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Run());
        ASSERT_TRUE(WaitUntil([&] { return GraphPosition(recording.graph) >= 10000000; }, std::chrono::seconds(20)));
        ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Stop());
    }
    EXPECT_GE(preview->Count(), 20u);
    asf::TAsfFileInfo info;
    ASSERT_EQ(ReadAsf(file.Path(), info), asf::asfOk);
    ASSERT_EQ(info.streams.size(), 2u);
    EXPECT_TRUE(info.streams[0].IsVideo());
    EXPECT_TRUE(info.streams[1].IsAudio());
}

// Released while running, without a stop, the writer still finishes the file.
TEST(AsfWriter, FileIsFinishedWhenTheGraphIsReleasedWithoutStop)
{
    TTemporaryFile file(L"kivora-writer-teardown.wmv");
    {
        TRecording recording;
        ASSERT_HRESULT_SUCCEEDED(BuildRecording(recording, SystemProfiles()[24].id, file.Path()));     // video only
        ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Run());
        ASSERT_TRUE(WaitUntil([&] { return GraphPosition(recording.graph) >= 10000000; }, std::chrono::seconds(20)));
        recording.graph.control.Reset();    // no Stop on the way out
    }
    asf::TAsfFileInfo info;
    ASSERT_EQ(ReadAsf(file.Path(), info), asf::asfOk);
    ASSERT_EQ(info.streams.size(), 1u);
    EXPECT_TRUE(info.streams[0].IsVideo());
    EXPECT_GT(info.file.dataPacketsCount, 0u);
    // The header was rewritten at the end: a duration (the first frame comes a little
    // after the start, so it is somewhat under the second run) and an index.
    EXPECT_GE(info.file.playDuration, 5000000u);
    EXPECT_GT(info.simpleIndexEntries, 0u);
}

// A full disk while recording, as the platform writer reports it: the graph gets
// EC_ERRORABORT with the disk-full error once, the pins refuse samples with that error,
// and the file is finished where the disk filled, its header saying what is in it. The
// stop afterwards writes nothing. (ffprobe decodes such a file:
// AsfWriter.FfprobeReadsTheDiskFullRecording.)
TEST(AsfWriter, FullDiskFinishesTheFileAndAbortsTheRecordingOnce)
{
    constexpr size_t diskSize = 200000;
    const HRESULT diskFull = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    TScopedVariable fault(asfwriter::WriterDiskFullAfterVariable, std::to_wstring(diskSize).c_str());
    TTemporaryFile file(L"kivora-writer-disk-full.wmv");
    std::vector<LONG_PTR> aborts;
    std::vector<uint8_t> atAbort;
    {
        TRecording recording;
        ASSERT_HRESULT_SUCCEEDED(BuildRecording(recording, SystemProfiles()[0].id, file.Path()));
        ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Run());
        ASSERT_TRUE(WaitUntil([&] { TakeAborts(recording.graph, aborts); return !aborts.empty(); },
                              std::chrono::seconds(20)));
        atAbort = ReadFileBytes(file.Path());
        EXPECT_EQ(ReceiveSilence(FindPin(recording.writer.Get(), PINDIR_INPUT, 1).Get()), diskFull);
        // Another second of the devices delivering into the refusing writer, then the stop.
        const LONGLONG position = GraphPosition(recording.graph);
        ASSERT_TRUE(WaitUntil([&] { return GraphPosition(recording.graph) >= position + 10000000; },
                              std::chrono::seconds(20)));
        ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Stop());
        TakeAborts(recording.graph, aborts);
    }
    ASSERT_EQ(aborts.size(), 1u);
    EXPECT_EQ(static_cast<HRESULT>(aborts[0]), diskFull);

    const std::vector<uint8_t> bytes = ReadFileBytes(file.Path());
    EXPECT_EQ(bytes, atAbort);
    EXPECT_LE(bytes.size(), diskSize);
    asf::TAsfMemorySource source(bytes);
    asf::TAsfFileInfo info;
    ASSERT_EQ(asf::ReadAsfFile(source, info), asf::asfOk);
    ASSERT_EQ(info.streams.size(), 2u);
    const uint64_t packetSize = info.file.minDataPacketSize;
    ASSERT_GT(packetSize, 0u);
    EXPECT_EQ(info.file.fileSize, bytes.size());
    // The Data Object runs to the end of the file (no index), whole packets only.
    EXPECT_EQ(info.dataObjectOffset + info.dataObjectSize, bytes.size());
    EXPECT_GT(info.file.dataPacketsCount, 0u);
    EXPECT_EQ(info.dataObjectSize, 50 + info.file.dataPacketsCount * packetSize);
    EXPECT_EQ(DataObjectPackets(bytes, info), info.file.dataPacketsCount);
    EXPECT_EQ(info.simpleIndexEntries, 0u);
    EXPECT_GT(info.file.playDuration, 0u);
}

// A disk without room even for the header: the writer cannot pause, so the graph cannot
// start, with the disk-full error; the file stays empty.
TEST(AsfWriter, FullDiskBeforeTheHeaderFailsTheStart)
{
    TScopedVariable fault(asfwriter::WriterDiskFullAfterVariable, L"0");
    TTemporaryFile file(L"kivora-writer-no-room.wmv");
    {
        TRecording recording;
        ASSERT_HRESULT_SUCCEEDED(BuildRecording(recording, SystemProfiles()[0].id, file.Path()));
        EXPECT_EQ(recording.graph.control->Pause(), HRESULT_FROM_WIN32(ERROR_DISK_FULL));
        recording.graph.control->Stop();
    }
    EXPECT_TRUE(ReadFileBytes(file.Path()).empty());
}

// Started and stopped before any sample came (Pause and Stop: the live devices deliver
// only while running): the file is the header alone, and both of its packet counts say
// so, which is how the program recognises a recording with nothing in it.
TEST(AsfWriter, RecordingWithoutSamplesLeavesAHeaderThatSaysNoPackets)
{
    TTemporaryFile file(L"kivora-writer-empty.wmv");
    {
        TRecording recording;
        ASSERT_HRESULT_SUCCEEDED(BuildRecording(recording, SystemProfiles()[0].id, file.Path()));
        ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Pause());
        ASSERT_HRESULT_SUCCEEDED(recording.graph.control->Stop());
    }
    const std::vector<uint8_t> bytes = ReadFileBytes(file.Path());
    asf::TAsfMemorySource source(bytes);
    asf::TAsfFileInfo info;
    ASSERT_EQ(asf::ReadAsfFile(source, info), asf::asfOk);
    EXPECT_EQ(info.file.dataPacketsCount, 0u);
    EXPECT_EQ(DataObjectPackets(bytes, info), 0u);
    EXPECT_EQ(info.dataObjectSize, 50u);
    EXPECT_EQ(info.dataObjectOffset + info.dataObjectSize, bytes.size());
    EXPECT_EQ(info.file.fileSize, bytes.size());
    EXPECT_EQ(info.file.playDuration, 0u);
}

} // namespace
} // namespace kivora::test
