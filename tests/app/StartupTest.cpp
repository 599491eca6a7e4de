// Kivora as a user starts it: its main window appears with the program's caption and
// the program ends when the window is closed.
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

    EXPECT_EQ(WindowText(windows.front()), L"Kivora 视频捕捉");

    PostMessageW(windows.front(), WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(kivora.WaitForExit(30s, &exitCode)) << "Kivora did not end after WM_CLOSE";
    EXPECT_EQ(exitCode, 0u);
}
