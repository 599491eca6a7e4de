// A live preview graph as the program builds it: the test camera's stream through the
// sample grabber into the video window, then a frame copied out of the grabber.
#include "media/MediaKit/Filter.h"
#include "media/MediaKit/FilterGraph.h"
#include "media/MediaKit/SampleGrabber.h"
#include "media/MediaUtil/SysDevEnum.h"
#include "media/MediaKit/VideoWindow.h"

#include "framework/Application.h"
#include "framework/Form.h"

#include "TestProcess.h"

#include <uuids.h>

#include <gtest/gtest.h>

using Microsoft::WRL::ComPtr;
using namespace std::chrono_literals;

namespace {

int CameraIndex(const TSysDevEnum& devices)
{
    for (int i = 0; i < devices.FilterCount(); ++i)
        if (devices.FilterEntry(i).FriendlyName == L"Kivora Test Camera")
            return i;
    return -1;
}

// The bar at x of a frame of the given width: the camera draws eight equal bars.
COLORREF ExpectedBar(int x, int width)
{
    static const COLORREF bars[8] = {RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 255, 255), RGB(0, 255, 0),
                                     RGB(255, 0, 255),   RGB(255, 0, 0),   RGB(0, 0, 255),   RGB(0, 0, 0)};
    return bars[x * 8 / width];
}

struct TPreview {
    TForm form{nullptr};
    TFilterGraph* graph = new TFilterGraph(&form);
    TFilter* source = new TFilter(&form);
    TVideoWindow* video = new TVideoWindow(&form);
    TSampleGrabber* grabber = new TSampleGrabber(&form);

    explicit TPreview(TVMRVideoMode vmrMode)
    {
        source->SetName(L"VideoSourceFilter");
        video->SetName(L"VideoWindow");
        grabber->SetName(L"SampleGrabber");
        video->SetParent(&form);
        video->SetBounds(0, 0, 320, 240);
        video->SetMode(vmVMR);
        video->VMROptions()->SetMode(vmrMode);
        form.SetClientWidth(320);
        form.SetClientHeight(240);
        form.Show();
        graph->SetMode(gmCapture);
        source->SetFilterGraph(graph);
        video->SetFilterGraph(graph);
        grabber->SetFilterGraph(graph);
        TSysDevEnum devices(CLSID_VideoInputDeviceCategory);
        source->BaseFilter().SetMoniker(devices.GetMoniker(CameraIndex(devices)).Get());
    }

    void Start()
    {
        graph->SetActive(true);
        auto builder = graph->As<ICaptureGraphBuilder2>();
        ASSERT_TRUE(SUCCEEDED(builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, source->MemberFilter().Get(),
                                                    grabber->MemberFilter().Get(), video->MemberFilter().Get())));
        ASSERT_TRUE(graph->RunGraph());
    }
};

class PreviewGraphTest : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

} // namespace

TEST_F(PreviewGraphTest, GrabFrameReturnsTheCameraPicture)
{
    TPreview preview(vmrWindowless);
    TBitmap bitmap;
    EXPECT_FALSE(preview.grabber->GrabFrame(&bitmap)) << "no graph yet";
    ASSERT_NO_FATAL_FAILURE(preview.Start());

    ASSERT_TRUE(kivora::test::WaitUntil([&] { return preview.grabber->GrabFrame(&bitmap); }, 10s));
    ASSERT_GT(bitmap.Width(), 0);
    const int width = bitmap.Width();
    // A row in the bars, the top of the picture: each bar's middle has the bar's colour.
    const uint8_t* row = bitmap.ScanLine(bitmap.Height() / 4);
    for (int bar = 0; bar < 8; ++bar) {
        const int x = bar * width / 8 + width / 16;
        const uint8_t* pixel = row + x * 3;
        EXPECT_EQ(RGB(pixel[2], pixel[1], pixel[0]), ExpectedBar(x, width)) << "bar " << bar;
    }
    preview.graph->StopGraph();
    preview.graph->SetActive(false);
    EXPECT_FALSE(preview.grabber->GrabFrame(&bitmap));
}

TEST_F(PreviewGraphTest, FullScreenAndBackRestoresTheRendererWindow)
{
    TPreview preview(vmrWindowed);
    preview.video->SetMode(vmNormal);  // the classic renderer: a window of its own
    ASSERT_NO_FATAL_FAILURE(preview.Start());
    HWND renderer = preview.video->VideoHandle();
    ASSERT_NE(renderer, nullptr);
    ASSERT_NE(renderer, preview.video->Handle());
    RECT before;
    GetWindowRect(renderer, &before);

    preview.video->SetFullScreen(true);
    RECT full;
    GetWindowRect(renderer, &full);
    EXPECT_EQ(full.right - full.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(full.bottom - full.top, GetSystemMetrics(SM_CYSCREEN));

    preview.video->SetFullScreen(false);
    RECT after;
    GetWindowRect(renderer, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(GetWindowLongW(renderer, GWL_STYLE) & WS_CHILD);
    preview.graph->StopGraph();
    preview.graph->SetActive(false);
}
