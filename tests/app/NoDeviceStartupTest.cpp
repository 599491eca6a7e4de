// Without any video capture device Kivora shows one message box and ends; its main
// window never appears.
#include "TestProcess.h"

#include <gtest/gtest.h>

using namespace kivora::test;
using namespace std::chrono_literals;

TEST(StartupWithoutCamera, OneMessageThenTheProgramEnds)
{
    TProcess kivora(L"Kivora.exe", L"");
    HWND box = WaitForVisibleWindow(kivora.Id(), L"#32770");
    ASSERT_TRUE(box) << "no message box appeared";
    std::wstring text;
    EnumChildWindows(box, [](HWND child, LPARAM out) {
        std::wstring t = WindowText(child);
        if (t.find(L"视频设备") != std::wstring::npos)
            *reinterpret_cast<std::wstring*>(out) = t;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text, L"未找到视频设备, 请连接好设备再重新运行程序.");
    EXPECT_TRUE(TopLevelWindows(kivora.Id(), L"TMainForm").empty() ||
                !IsWindowVisible(TopLevelWindows(kivora.Id(), L"TMainForm").front()));

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(kivora.WaitForExit(30s, &exitCode)) << "Kivora did not end after the message";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(TopLevelWindows(kivora.Id(), L"TMainForm").empty());
}
