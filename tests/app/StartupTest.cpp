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

TEST(Startup, ACameraThatCannotBeReadIsReportedOnceAndTheProgramStaysUsable)
{
    // A camera whose driver offers no pin: the settings dialog cannot read its formats.
    SetEnvironmentVariableW(L"KIVORA_TESTCAM_NO_PINS", L"1");
    TProcess kivora(L"Kivora.exe", L"");
    SetEnvironmentVariableW(L"KIVORA_TESTCAM_NO_PINS", nullptr);
    HWND box = WaitForVisibleWindow(kivora.Id(), L"#32770");
    ASSERT_TRUE(box) << "the error was not shown";
    EXPECT_EQ(WindowText(box), L"Kivora");
    std::wstring text;
    EnumChildWindows(box, [](HWND child, LPARAM out) {
        *reinterpret_cast<std::wstring*>(out) += WindowText(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&text));
    EXPECT_NE(text.find(L"List index out of bounds (0)"), std::wstring::npos) << "the framework's own words";

    // After the message the program runs, and ends in order when closed.
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitUntil([&] {
        windows = TopLevelWindows(kivora.Id(), L"TMainForm");
        return !windows.empty() && IsWindowVisible(windows.front());
    }));
    PostMessageW(windows.front(), WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(kivora.WaitForExit(30s, &exitCode)) << "Kivora did not end";
    EXPECT_EQ(exitCode, 0u);
}
