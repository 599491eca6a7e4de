// The test camera as a program sees it: found by name, its capture pin, its formats,
// the frames it delivers in each of them, their rate, and its property page.
#include "CaptureTestSupport.h"
#include "TestProcess.h"
#include "devices/DeviceIds.h"
#include "devices/TestPattern.h"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <cmath>

namespace kivora::test {
namespace {

using devices::BarColours;
using devices::TRgb;

struct TTakenFrames {
    size_t count = 0;
    TReceived received;
    dshow::TMediaType type;
};

// Connects the camera straight to a sink, runs the graph until `frames` frames
// arrived (or the timeout), and returns what arrived.
TTakenFrames TakeFrames(IBaseFilter* camera, size_t frames,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    TSourceGraph run(camera, MEDIATYPE_Video);
    EXPECT_HRESULT_SUCCEEDED(run.connected);
    EXPECT_HRESULT_SUCCEEDED(run.graph.control->Run());
    WaitUntil([&] { return run.sink->Count() >= frames; }, timeout);
    run.graph.control->Stop();
    return {run.sink->Count(), run.sink->Received(), run.sink->ConnectionType()};
}

const VIDEOINFOHEADER& Video(const AM_MEDIA_TYPE& type)
{
    return *reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

// The pixel at (x, y) from the top of a frame, as RGB24 or as the Y, U, V of YUY2.
TRgb RgbPixel(const std::vector<BYTE>& frame, int width, int height, int x, int y)
{
    const BYTE* pixel = frame.data() + (static_cast<size_t>(height - 1 - y) * width + x) * 3;
    return {pixel[2], pixel[1], pixel[0]};
}

struct TYuv {
    int y, u, v;
};
TYuv YuvPixel(const std::vector<BYTE>& frame, int width, int x, int y)
{
    const BYTE* pair = frame.data() + (static_cast<size_t>(y) * width + (x & ~1)) * 2;
    return {pair[(x & 1) ? 2 : 0], pair[1], pair[3]};
}

TEST(TestCamera, IsListedAsVideoInputDeviceAndBindsToTheCamera)
{
    ComPtr<IMoniker> moniker = FindDevice(CLSID_VideoInputDeviceCategory, devices::TestCameraName);
    ASSERT_TRUE(moniker) << "no video input device named Kivora Test Camera";
    ComPtr<IBaseFilter> camera;
    ASSERT_HRESULT_SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&camera)));
    CLSID clsid{};
    ASSERT_HRESULT_SUCCEEDED(camera->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(clsid, devices::CLSID_TestCamera));
    EXPECT_EQ(PinNames(camera.Get(), PINDIR_OUTPUT), std::vector<std::wstring>{L"Capture"});
    EXPECT_TRUE(PinNames(camera.Get(), PINDIR_INPUT).empty());
}

TEST(TestCamera, PinReportsTheCaptureCategory)
{
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    ASSERT_TRUE(camera);
    ComPtr<IKsPropertySet> properties;
    ASSERT_HRESULT_SUCCEEDED(FindPin(camera.Get(), PINDIR_OUTPUT).As(&properties));
    GUID category{};
    DWORD returned = 0;
    ASSERT_HRESULT_SUCCEEDED(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category,
                                             sizeof category, &returned));
    EXPECT_EQ(returned, sizeof(GUID));
    EXPECT_TRUE(IsEqualGUID(category, PIN_CATEGORY_CAPTURE));
    EXPECT_EQ(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_MEDIUM, nullptr, 0, &category, sizeof category,
                              &returned),
              E_PROP_ID_UNSUPPORTED);
}

TEST(TestCamera, OffersRgb24AndYuy2AtFourSizesAt30FramesPerSecond)
{
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    ComPtr<IAMStreamConfig> config = StreamConfig(camera.Get());
    ASSERT_TRUE(config);
    int count = 0;
    int size = 0;
    ASSERT_HRESULT_SUCCEEDED(config->GetNumberOfCapabilities(&count, &size));
    ASSERT_EQ(count, 8);
    ASSERT_EQ(size, static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS)));

    const SIZE sizes[] = {{640, 480}, {160, 120}, {320, 240}, {1280, 720}};
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* type = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps{};
        ASSERT_EQ(config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps)), S_OK);
        EXPECT_TRUE(IsEqualGUID(type->subtype, i < 4 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_YUY2)) << i;
        EXPECT_EQ(Video(*type).bmiHeader.biWidth, sizes[i % 4].cx) << i;
        EXPECT_EQ(Video(*type).bmiHeader.biHeight, sizes[i % 4].cy) << i;
        EXPECT_EQ(Video(*type).AvgTimePerFrame, 333333) << i;
        EXPECT_EQ(caps.MaxOutputSize.cx, sizes[i % 4].cx) << i;
        EXPECT_EQ(caps.MinFrameInterval, 333333) << i;
        dshow::DeleteTaskMediaType(type);
    }
    AM_MEDIA_TYPE* type = nullptr;
    VIDEO_STREAM_CONFIG_CAPS caps{};
    EXPECT_EQ(config->GetStreamCaps(8, &type, reinterpret_cast<BYTE*>(&caps)), S_FALSE);

    // Before any choice the camera's format is its first one.
    ASSERT_HRESULT_SUCCEEDED(config->GetFormat(&type));
    EXPECT_TRUE(IsEqualGUID(type->subtype, MEDIASUBTYPE_RGB24));
    EXPECT_EQ(Video(*type).bmiHeader.biWidth, 640);
    dshow::DeleteTaskMediaType(type);
}

// Each offered format, chosen with SetFormat, is what the camera then delivers: frame
// size, sample size and the colour bars at the right places.
TEST(TestCamera, EveryFormatSwitchesTheDeliveredFrames)
{
    const std::vector<dshow::TMediaType> formats = OfferedFormats(CreateFilter(devices::CLSID_TestCamera).Get());
    ASSERT_EQ(formats.size(), 8u);
    for (const dshow::TMediaType& wanted : formats) {
        const int width = Video(wanted.Get()).bmiHeader.biWidth;
        const int height = Video(wanted.Get()).bmiHeader.biHeight;
        const bool yuy2 = IsEqualGUID(wanted.Get().subtype, MEDIASUBTYPE_YUY2);
        SCOPED_TRACE(testing::Message() << (yuy2 ? "YUY2 " : "RGB24 ") << width << "x" << height);

        ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
        ComPtr<IAMStreamConfig> config = StreamConfig(camera.Get());
        ASSERT_HRESULT_SUCCEEDED(config->SetFormat(const_cast<AM_MEDIA_TYPE*>(&wanted.Get())));
        AM_MEDIA_TYPE* current = nullptr;
        ASSERT_HRESULT_SUCCEEDED(config->GetFormat(&current));
        EXPECT_TRUE(dshow::SameMediaType(*current, wanted.Get()));
        dshow::DeleteTaskMediaType(current);

        const TTakenFrames taken = TakeFrames(camera.Get(), 2);
        ASSERT_GE(taken.count, 2u);
        EXPECT_TRUE(dshow::SameMediaType(taken.type.Get(), wanted.Get()));
        const size_t frameBytes = static_cast<size_t>(width) * height * (yuy2 ? 2 : 3);
        ASSERT_EQ(taken.received.last.size(), frameBytes);

        // Sample the middle of bars 0, 1, 2 and 5, a third of the way down.
        for (int bar : {0, 1, 2, 5}) {
            const int x = width * (2 * bar + 1) / 16;
            const TRgb want = BarColours[bar];
            if (yuy2) {
                const TYuv got = YuvPixel(taken.received.last, width, x, height / 3);
                const double y = 16 + (65.481 * want.r + 128.553 * want.g + 24.966 * want.b) / 255;
                EXPECT_NEAR(got.y, y, 1.0) << "bar " << bar;
            } else {
                const TRgb got = RgbPixel(taken.received.last, width, height, x, height / 3);
                EXPECT_EQ(got.r, want.r) << "bar " << bar;
                EXPECT_EQ(got.g, want.g) << "bar " << bar;
                EXPECT_EQ(got.b, want.b) << "bar " << bar;
            }
        }
    }
}

TEST(TestCamera, RefusesFormatsItDoesNotOffer)
{
    ComPtr<IAMStreamConfig> config = StreamConfig(CreateFilter(devices::CLSID_TestCamera).Get());
    AM_MEDIA_TYPE* type = nullptr;
    ASSERT_HRESULT_SUCCEEDED(config->GetFormat(&type));
    reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat)->bmiHeader.biWidth = 800;
    EXPECT_EQ(config->SetFormat(type), VFW_E_INVALIDMEDIATYPE);
    type->subtype = MEDIASUBTYPE_RGB32;
    reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat)->bmiHeader.biWidth = 640;
    EXPECT_EQ(config->SetFormat(type), VFW_E_INVALIDMEDIATYPE);
    dshow::DeleteTaskMediaType(type);
}

// Frames come at 30 per second, stamped one period apart, and the picture moves.
TEST(TestCamera, DeliversTimeStampedMovingFramesAtTheNominalRate)
{
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    TSourceGraph run(camera.Get(), MEDIATYPE_Video);
    ASSERT_HRESULT_SUCCEEDED(run.connected);
    TTestSink* sink = run.sink.Get();
    TGraph& graph = run.graph;
    ASSERT_HRESULT_SUCCEEDED(graph.control->Run());
    ASSERT_TRUE(WaitUntil([&] { return sink->Count() >= 1; }, std::chrono::seconds(10)));
    const size_t firstCount = sink->Count();
    const auto started = std::chrono::steady_clock::now();
    WaitUntil([] { return false; }, std::chrono::seconds(3));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const size_t frames = sink->Count() - firstCount;
    graph.control->Stop();
    const double rate = frames / seconds;
    RecordProperty("frames_per_second", std::to_string(rate));
    std::printf("delivered frame rate: %.2f frames per second\n", rate);
    EXPECT_NEAR(rate, 30.0, 3.0);

    const TReceived received = sink->Received();
    for (size_t i = 1; i < received.starts.size(); ++i) {
        EXPECT_EQ(received.starts[i] - received.starts[i - 1], 333333) << "frame " << i;
        EXPECT_EQ(received.ends[i - 1], received.starts[i]) << "frame " << i;
    }
    EXPECT_NE(received.first, received.last) << "the picture does not move";
}

// SetFormat on a connected pin (stopped graph) reconnects it in the new format.
TEST(TestCamera, SetFormatWhileConnectedReconnects)
{
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    TSourceGraph run(camera.Get(), MEDIATYPE_Video);
    ASSERT_HRESULT_SUCCEEDED(run.connected);
    TTestSink* sink = run.sink.Get();
    ComPtr<IAMStreamConfig> config = StreamConfig(camera.Get());
    AM_MEDIA_TYPE* type = nullptr;
    VIDEO_STREAM_CONFIG_CAPS caps{};
    ASSERT_EQ(config->GetStreamCaps(5, &type, reinterpret_cast<BYTE*>(&caps)), S_OK);     // YUY2 160x120
    ASSERT_HRESULT_SUCCEEDED(config->SetFormat(type));
    dshow::DeleteTaskMediaType(type);
    EXPECT_TRUE(IsEqualGUID(sink->ConnectionType().Get().subtype, MEDIASUBTYPE_YUY2));
    EXPECT_EQ(Video(sink->ConnectionType().Get()).bmiHeader.biWidth, 160);
}

// The page the settings dialog's property button shows names the device and its format.
TEST(TestCamera, PropertyPageShowsNameAndFormat)
{
    ComPtr<IBaseFilter> camera = CreateFilter(devices::CLSID_TestCamera);
    ComPtr<ISpecifyPropertyPages> specify;
    ASSERT_HRESULT_SUCCEEDED(camera.As(&specify));
    CAUUID pages{};
    ASSERT_HRESULT_SUCCEEDED(specify->GetPages(&pages));
    ASSERT_EQ(pages.cElems, 1u);
    ComPtr<IPropertyPage> page;
    const HRESULT created = CoCreateInstance(pages.pElems[0], nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page));
    CoTaskMemFree(pages.pElems);
    ASSERT_HRESULT_SUCCEEDED(created);

    PROPPAGEINFO info{};
    ASSERT_HRESULT_SUCCEEDED(page->GetPageInfo(&info));
    EXPECT_STREQ(info.pszTitle, L"Device");
    CoTaskMemFree(info.pszTitle);

    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    IUnknown* objects[] = {camera.Get()};
    ASSERT_HRESULT_SUCCEEDED(page->SetObjects(1, objects));
    const RECT area = {0, 0, info.size.cx, info.size.cy};
    ASSERT_HRESULT_SUCCEEDED(page->Activate(parent, &area, TRUE));
    HWND text = GetWindow(parent, GW_CHILD);
    ASSERT_TRUE(text);
    const std::wstring shown = WindowText(text);
    EXPECT_NE(shown.find(L"Kivora Test Camera"), std::wstring::npos) << std::string(shown.begin(), shown.end());
    EXPECT_NE(shown.find(L"RGB24 640 x 480"), std::wstring::npos);
    page->Deactivate();
    page->SetObjects(0, nullptr);
    DestroyWindow(parent);
}

} // namespace
} // namespace kivora::test
