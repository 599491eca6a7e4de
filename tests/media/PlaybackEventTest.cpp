// A short file played to its end: EC_COMPLETE reaches OnGraphComplete on the thread that
// runs the component (the GUI thread), through the component's hidden window.
#include "media/MediaKit/FilterGraph.h"

#include "TestProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace std::chrono_literals;

TEST(PlaybackEvents, CompleteArrivesOnTheGuiThread)
{
    const char* file = std::getenv("KIVORA_SHORT_AVI");
    ASSERT_NE(file, nullptr) << "the test media fixture sets KIVORA_SHORT_AVI";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        TFilterGraph graph(nullptr);
        DWORD completeThread = 0;
        graph.OnGraphComplete = [&](TObject*, HRESULT, IBaseFilter*) { completeThread = GetCurrentThreadId(); };
        graph.SetActive(true);
        wchar_t path[MAX_PATH];
        MultiByteToWideChar(CP_UTF8, 0, file, -1, path, MAX_PATH);
        ASSERT_TRUE(SUCCEEDED(graph.RenderMediaFile(path)));
        ASSERT_TRUE(graph.RunGraph());
        EXPECT_TRUE(kivora::test::WaitUntil([&] { return completeThread != 0; }, 30s));
        EXPECT_EQ(completeThread, GetCurrentThreadId());
        graph.StopGraph();
        graph.SetActive(false);
    }
    CoUninitialize();
}
