// The fault switches make the devices fail the way real hardware does.
#include "CaptureTestSupport.h"
#include "TestProcess.h"

#include "devices/DeviceIds.h"
#include "devices/FaultSwitches.h"

#include <gtest/gtest.h>
#include <evcode.h>

namespace kivora::test {
namespace {

TEST(FaultSwitches, CameraThatFailsToStartMakesRunFail)
{
    TScopedVariable fault(devices::CameraFailStartVariable, L"1");
    TSourceGraph run(CreateFilter(devices::CLSID_TestCamera).Get(), MEDIATYPE_Video);
    ASSERT_HRESULT_SUCCEEDED(run.connected);
    TGraph& graph = run.graph;
    TTestSink* sink = run.sink.Get();
    EXPECT_EQ(graph.control->Run(), HRESULT_FROM_WIN32(ERROR_GEN_FAILURE));
    // Wine leaves the sink paused and its Stop does nothing after a failed Run; a
    // Pause (failing again) and then Stop bring every filter back to stopped.
    graph.control->Pause();
    graph.control->Stop();
    FILTER_STATE sinkState = State_Running;
    sink->GetState(0, &sinkState);
    EXPECT_EQ(sinkState, State_Stopped);
    EXPECT_EQ(sink->Count(), 0u);
}

TEST(FaultSwitches, PulledCameraStopsAfterNFramesAndReportsTheLoss)
{
    TScopedVariable fault(devices::CameraStopAfterVariable, L"5");
    TSourceGraph run(CreateFilter(devices::CLSID_TestCamera).Get(), MEDIATYPE_Video);
    ASSERT_HRESULT_SUCCEEDED(run.connected);
    ASSERT_HRESULT_SUCCEEDED(run.graph.control->Run());
    TTestSink* sink = run.sink.Get();
    EXPECT_TRUE(run.graph.WaitForEvent(EC_DEVICE_LOST, std::chrono::seconds(10)));
    // Half a second more: nothing else arrives.
    WaitUntil([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_EQ(sink->Count(), 5u);
}

TEST(FaultSwitches, CameraWithoutFormatsOffersNoneAndCannotConnect)
{
    TScopedVariable fault(devices::CameraNoFormatsVariable, L"1");
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    ComPtr<IPin> pin = FindPin(camera.Get(), PINDIR_OUTPUT);
    ComPtr<IAMStreamConfig> config;
    ASSERT_HRESULT_SUCCEEDED(pin.As(&config));
    int count = -1;
    int size = -1;
    ASSERT_HRESULT_SUCCEEDED(config->GetNumberOfCapabilities(&count, &size));
    EXPECT_EQ(count, 0);
    ComPtr<IEnumMediaTypes> types;
    ASSERT_HRESULT_SUCCEEDED(pin->EnumMediaTypes(&types));
    AM_MEDIA_TYPE* type = nullptr;
    EXPECT_EQ(types->Next(1, &type, nullptr), S_FALSE);

    EXPECT_HRESULT_FAILED(TSourceGraph(camera.Get(), MEDIATYPE_Video).connected);
}

TEST(FaultSwitches, CameraPinWithoutStreamConfigStillStreams)
{
    TScopedVariable fault(devices::CameraNoStreamConfigVariable, L"1");
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    ComPtr<IPin> pin = FindPin(camera.Get(), PINDIR_OUTPUT);
    ComPtr<IAMStreamConfig> config;
    EXPECT_EQ(pin.As(&config), E_NOINTERFACE);
    ComPtr<IKsPropertySet> category;
    EXPECT_HRESULT_SUCCEEDED(pin.As(&category));

    TSourceGraph run(camera.Get(), MEDIATYPE_Video);
    ASSERT_HRESULT_SUCCEEDED(run.connected);
    ASSERT_HRESULT_SUCCEEDED(run.graph.control->Run());
    EXPECT_TRUE(WaitUntil([&] { return run.sink->Count() >= 1; }, std::chrono::seconds(10)));
}

TEST(FaultSwitches, MicrophoneWithoutInputLinesHasOnlyItsOutput)
{
    TScopedVariable fault(devices::MicrophoneNoLinesVariable, L"1");
    ComPtr<IBaseFilter> microphone = CreateFilter(devices::CLSID_ToneMicrophone);
    EXPECT_TRUE(PinNames(microphone.Get(), PINDIR_INPUT).empty());
    EXPECT_EQ(PinNames(microphone.Get(), PINDIR_OUTPUT).size(), 1u);
}

// A switch set to 0 (or left unset) changes nothing; the switches are read per filter.
TEST(FaultSwitches, SwitchesAreReadWhenTheFilterIsCreated)
{
    ComPtr<IBaseFilter> before = CreateFilter(devices::CLSID_ToneMicrophone);
    {
        TScopedVariable off(devices::MicrophoneNoLinesVariable, L"0");
        EXPECT_EQ(PinNames(CreateFilter(devices::CLSID_ToneMicrophone).Get(), PINDIR_INPUT).size(), 2u);
        TScopedVariable on(devices::MicrophoneNoLinesVariable, L"1");
        EXPECT_EQ(PinNames(before.Get(), PINDIR_INPUT).size(), 2u);
    }
    EXPECT_EQ(PinNames(CreateFilter(devices::CLSID_ToneMicrophone).Get(), PINDIR_INPUT).size(), 2u);
}

} // namespace
} // namespace kivora::test
