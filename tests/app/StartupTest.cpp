// Kivora as a user starts it: with a camera the main window appears with the program's
// caption and ends when closed.
#include "TestProcess.h"

#include <gtest/gtest.h>

using namespace kivora::test;
using namespace std::chrono_literals;

TEST(Startup, MainWindowOpensWithCaptionAndClosesOnRequest)
{
    TProcess kivora(L"Kivora.exe", L"");
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitUntil([&] {
        windows = TopLevelWindows(kivora.Id(), L"TMainForm");
        return !windows.empty() && IsWindowVisible(windows.front());
    })) << "Kivora's main window did not appear";
    EXPECT_TRUE(WaitUntil([&] { return WindowText(windows.front()) == L"Kivora 视频捕捉"; }, 10s));

    PostMessageW(windows.front(), WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(kivora.WaitForExit(30s, &exitCode)) << "Kivora did not end after WM_CLOSE";
    EXPECT_EQ(exitCode, 0u);
}
