// The Windows Media writer component against the ASF writer filter: profile and file name
// with and without a writer, the writer parameters, the kept pins, the network sink
// conditions, what is held after removal, and a recording from the test devices.
#include "media/MediaKit/ASFWriter.h"
#include "media/MediaKit/Filter.h"
#include "media/MediaKit/FilterGraph.h"
#include "media/MediaUtil/SysDevEnum.h"
#include "TestProcess.h"

#include <uuids.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

class ASFWriterTest : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        FWriter.SetName(L"ASFWriter");
    }
    void TearDown() override
    {
        FWriter.SetFilterGraph(nullptr);
        FGraph.SetActive(false);
        CoUninitialize();
    }

    // The writer filter as the graph holds it, and its configuration interface.
    ComPtr<IConfigAsfWriter2> WriterConfig() { return FWriter.As<IConfigAsfWriter2>(); }
    GUID WriterProfile()
    {
        GUID profile = GUID_NULL;
        WriterConfig()->GetCurrentProfileGuid(&profile);
        return profile;
    }

    TFilterGraph FGraph{nullptr};
    TASFWriter FWriter{nullptr};
};

bool HoldsNothing(const TAsfWriterObjects& held)
{
    return !held.Writer && !held.AdvancedWriter && !held.NetworkSink && !held.Pins[0] && !held.Pins[1]
        && !held.StreamConfigs[0] && !held.StreamConfigs[1];
}

ComPtr<IMoniker> DeviceMoniker(const GUID& category, const wchar_t* name)
{
    TSysDevEnum devices(category);
    for (int i = 0; i < devices.FilterCount(); ++i)
        if (devices.FilterEntry(i).FriendlyName == name)
            return devices.GetMoniker(i);
    return nullptr;
}

} // namespace

TEST_F(ASFWriterTest, ProfileIsStoredWhileInactiveAndTheWritersWhileActive)
{
    FWriter.SetProfile(wmp_V80_288MonoAudio);
    EXPECT_EQ(FWriter.Profile(), wmp_V80_288MonoAudio);
    FWriter.SetFilterGraph(&FGraph);
    FGraph.SetActive(true);
    ASSERT_NE(FWriter.MemberFilter(), nullptr) << "the ASF writer is not registered in this prefix";

    // The stored profile reached the writer, and Profile now reads the writer's.
    EXPECT_TRUE(IsEqualGUID(WriterProfile(), SystemProfileGuids[wmp_V80_288MonoAudio]));
    EXPECT_EQ(FWriter.Profile(), wmp_V80_288MonoAudio);

    // Written while the writer exists: the writer changes, the stored value does not.
    FWriter.SetProfile(wmp_V80_56VideoOnly);
    EXPECT_TRUE(IsEqualGUID(WriterProfile(), SystemProfileGuids[wmp_V80_56VideoOnly]));
    EXPECT_EQ(FWriter.Profile(), wmp_V80_56VideoOnly);
    FGraph.SetActive(false);
    EXPECT_EQ(FWriter.Profile(), wmp_V80_288MonoAudio);

    // The next activation applies the stored profile again.
    FGraph.SetActive(true);
    EXPECT_EQ(FWriter.Profile(), wmp_V80_288MonoAudio);
    // 255 has no profile to apply: the writer keeps its own.
    FWriter.SetProfile(TWMPofiles8(255));
    EXPECT_EQ(FWriter.Profile(), wmp_V80_288MonoAudio);
}

TEST_F(ASFWriterTest, ActivationAddsTheConfiguredWriterUnderTheComponentName)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"kivora-writer.wmv";
    FWriter.SetFileName(file);
    FWriter.SetAutoIndex(false);
    FWriter.SetMultiPass(true);
    FWriter.SetDontCompress(true);
    FWriter.SetFilterGraph(&FGraph);
    FGraph.SetActive(true);

    ComPtr<IBaseFilter> named;
    ASSERT_HRESULT_SUCCEEDED(FGraph.As<IFilterGraph>()->FindFilterByName(L"ASFWriter", &named));
    EXPECT_EQ(named, FWriter.MemberFilter());
    EXPECT_EQ(FWriter.As<IBaseFilter>(), FWriter.MemberFilter());
    EXPECT_EQ(FWriter.FileName(), file);

    struct TParam { DWORD param; DWORD expected; };
    for (const TParam& p : {TParam{AM_CONFIGASFWRITER_PARAM_AUTOINDEX, 0}, TParam{AM_CONFIGASFWRITER_PARAM_MULTIPASS, 1},
                            TParam{AM_CONFIGASFWRITER_PARAM_DONTCOMPRESS, 1}}) {
        DWORD value = 99;
        DWORD unused = 0;
        EXPECT_HRESULT_SUCCEEDED(WriterConfig()->GetParam(p.param, &value, &unused));
        EXPECT_EQ(value, p.expected) << "parameter " << p.param;
    }

    // A new name goes to the writer and is stored for the next activation.
    const std::wstring other = std::wstring(folder) + L"kivora-writer-2.wmv";
    FWriter.SetFileName(other);
    EXPECT_EQ(FWriter.FileName(), other);
    FGraph.SetActive(false);
    EXPECT_EQ(FWriter.FileName(), other);
}

TEST_F(ASFWriterTest, PinsOfTheAppliedProfileAreKept)
{
    struct TCase { TWMPofiles8 profile; bool twoPins; };
    for (const TCase& c : {TCase{wmp_V80_256Video, true}, TCase{wmp_V80_288MonoAudio, false},
                           TCase{wmp_V80_56VideoOnly, false}}) {
        FGraph.SetActive(false);  // stored only while there is no writer
        FWriter.SetProfile(c.profile);
        FWriter.SetFilterGraph(&FGraph);
        FGraph.SetActive(true);
        const TAsfWriterObjects& held = FWriter.Objects();
        EXPECT_NE(held.Pins[0], nullptr) << int(c.profile);
        EXPECT_EQ(held.Pins[1] != nullptr, c.twoPins) << int(c.profile);
        PIN_DIRECTION direction = PINDIR_OUTPUT;
        held.Pins[0]->QueryDirection(&direction);
        EXPECT_EQ(direction, PINDIR_INPUT);
    }
}

TEST_F(ASFWriterTest, NetworkSinkOnlyWithPortAndMaxUsers)
{
    struct TCase { DWORD port; DWORD maxUsers; };
    for (const TCase& c : {TCase{80, 0}, TCase{0, 5}, TCase{80, 5}}) {
        FWriter.SetPort(c.port);
        FWriter.SetMaxUsers(c.maxUsers);
        FGraph.SetActive(false);
        FWriter.SetFilterGraph(&FGraph);
        FGraph.SetActive(true);
        // Port 80 with MaxUsers 0 (or the reverse) never asks for a sink; with both set a
        // sink needs the writer's advanced interface, which this writer does not offer,
        // so none is opened and Port keeps its value.
        EXPECT_EQ(FWriter.Objects().NetworkSink, nullptr) << c.port << " " << c.maxUsers;
        EXPECT_EQ(FWriter.Port(), c.port);
    }
}

TEST_F(ASFWriterTest, RemovalReleasesEveryPlatformInterface)
{
    FWriter.SetProfile(wmp_V80_256Video);
    FWriter.SetFilterGraph(&FGraph);
    FGraph.SetActive(true);
    ComPtr<IBaseFilter> writer = FWriter.MemberFilter();
    ASSERT_NE(writer, nullptr);
    EXPECT_NE(FWriter.Objects().Pins[1], nullptr);

    FGraph.SetActive(false);
    EXPECT_TRUE(HoldsNothing(FWriter.Objects()));
    EXPECT_EQ(FWriter.Supports<IBaseFilter>(), nullptr);
    // Nobody but this test holds the writer any more.
    writer->AddRef();
    EXPECT_EQ(writer->Release(), 1u);

    // Leaving an active graph releases everything too.
    FGraph.SetActive(true);
    writer = FWriter.MemberFilter();
    FWriter.SetFilterGraph(nullptr);
    EXPECT_TRUE(HoldsNothing(FWriter.Objects()));
    writer->AddRef();
    EXPECT_EQ(writer->Release(), 1u);
}

// Records from the test camera and the tone microphone through the writer. With
// KIVORA_RECORDING set, the file goes there for the check by ffprobe on the build machine.
TEST(ASFWriterRecording, TestDevicesIntoAFile)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        const char* target = std::getenv("KIVORA_RECORDING");
        std::wstring file = std::wstring(folder) + L"kivora-recording.wmv";
        if (target && *target)
            file.assign(target, target + std::strlen(target));
        DeleteFileW(file.c_str());

        TFilterGraph graph(nullptr);
        graph.SetMode(gmCapture);
        TFilter camera(nullptr);
        camera.SetName(L"VideoSourceFilter");
        camera.BaseFilter().SetMoniker(DeviceMoniker(CLSID_VideoInputDeviceCategory, L"Kivora Test Camera").Get());
        TFilter microphone(nullptr);
        microphone.SetName(L"AudioSourceFilter");
        microphone.BaseFilter().SetMoniker(DeviceMoniker(CLSID_AudioInputDeviceCategory, L"Kivora Tone Microphone").Get());
        TASFWriter writer(nullptr);
        writer.SetName(L"ASFWriter");
        writer.SetProfile(wmp_V80_256Video);
        writer.SetFileName(file);
        camera.SetFilterGraph(&graph);
        microphone.SetFilterGraph(&graph);
        writer.SetFilterGraph(&graph);
        graph.SetActive(true);

        auto builder = graph.As<ICaptureGraphBuilder2>();
        ComPtr<IBaseFilter> sink = writer.As<IBaseFilter>();
        ASSERT_HRESULT_SUCCEEDED(builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video,
                                                       camera.As<IBaseFilter>().Get(), nullptr, sink.Get()));
        ASSERT_HRESULT_SUCCEEDED(builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio,
                                                       microphone.As<IBaseFilter>().Get(), nullptr, sink.Get()));
        ASSERT_TRUE(graph.RunGraph());
        auto seeking = graph.As<IMediaSeeking>();
        const LONGLONG threeSeconds = 30'000'000;
        EXPECT_TRUE(kivora::test::WaitUntil([&] {
            LONGLONG position = 0;
            seeking->GetCurrentPosition(&position);
            return position >= threeSeconds;
        }, std::chrono::seconds(30)));
        graph.StopGraph();
        graph.SetActive(false);
        camera.SetFilterGraph(nullptr);
        microphone.SetFilterGraph(nullptr);
        writer.SetFilterGraph(nullptr);

        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        ASSERT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &attributes));
        EXPECT_GT(attributes.nFileSizeLow, 10'000u);
        if (!target || !*target)
            DeleteFileW(file.c_str());
    }
    CoUninitialize();
}
