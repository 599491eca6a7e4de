// The settings dialog's OK, Cancel and close, full screen and stay on top, and playback
// of files that cannot be played, as a user meets them, under Wine with the test devices.
#include "KivoraDriver.h"

#include "framework/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace kivora::test;
using namespace std::chrono_literals;

namespace {

// The short clip made for the tests (a one-second .avi).
std::wstring ShortClip()
{
    const char* clip = std::getenv("KIVORA_SHORT_AVI");
    if (!clip)
        return L"";
    std::wstring fileName = Utf8ToWide(clip);
    std::replace(fileName.begin(), fileName.end(), L'/', L'\\');
    return fileName;
}

// A file named like a video that holds nothing at all (a download that never arrived).
// Noise after a RIFF header would do too on Windows, but Wine's media parser can hang on
// the second attempt at such a file.
std::wstring DamagedClip()
{
    const std::wstring name = FreshFolder(L"kivora-damaged") + L"\\损坏的视频.avi";
    std::ofstream(std::filesystem::path(name), std::ios::binary).flush();
    return name;
}

// Chooses a file in the open dialog the open command shows, and waits until the dialog
// has gone (a message box the program shows next is then the only dialog).
bool OpenFile(TKivoraDriver& kivora, const std::wstring& fileName)
{
    if (!kivora.Do(L"click MainForm.Action_OpenFile"))
        return false;
    HWND dialog = kivora.WaitForWindow(L"#32770");
    return dialog && WaitUntil([&] { return TKivoraDriver::ChooseFile(dialog, fileName); }, 10s)
        && WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

// The window a settings dialog shows now; nullptr when none is visible.
HWND OpenSettings(TKivoraDriver& kivora)
{
    return kivora.Do(L"click MainForm.TB_SetupVideoCtrol") ? kivora.WaitForWindow(L"Tfrm_Option") : nullptr;
}

} // namespace

TEST(SettingsDialog, OkWhenThePreviewCannotStartAgainEndsTheDialogWithOneMessage)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));

    // From now on the camera refuses to start: OK's restart of the preview fails.
    ASSERT_TRUE(kivora.Do(L"env KIVORA_TESTCAM_FAIL_START 1"));
    HWND dialog = OpenSettings(kivora);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(kivora.Do(L"click frm_Option.Btn_OK"));
    HWND box = kivora.WaitForWindow(L"#32770");
    ASSERT_TRUE(box) << "no message about the failed restart; shown: " << WideToUtf8(kivora.VisibleWindows());
    EXPECT_FALSE(IsWindowVisible(dialog));
    ASSERT_TRUE(kivora.CloseWindow(box));
    EXPECT_FALSE(kivora.Shows(L"#32770")) << "one message only";

    // The program is usable: the main window takes input again and is idle.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(kivora.MainWindow()) != FALSE; }))
        << "the main window stays disabled after the dialog";
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmIdle");
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_Preview.Hint"), L"开始预览");
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_Preview.Checked"), L"False");
    EXPECT_EQ(kivora.Ask(L"prop frm_Option.FilterGraph.Active"), L"False");
    ASSERT_TRUE(kivora.Do(L"env KIVORA_TESTCAM_FAIL_START"));
    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    EXPECT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    EXPECT_TRUE(kivora.ChangeSettings({})) << "the dialog opens and closes again";
    EXPECT_TRUE(kivora.Quit());
}

TEST(SettingsDialog, OnlyOkTakesTheChoicesCancelAndTheCloseBoxKeepThem)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    const std::wstring folder = kivora.Ask(L"savedir");
    const std::wstring other = FreshFolder(L"kivora-other-folder");
    const int row = kivora.FormatRow(L"320X240");
    ASSERT_GT(row, 0);
    const std::wstring formatBefore = kivora.Ask(L"prop frm_Option.CB_VideoFormats.ItemIndex");

    // Cancel and the title bar's close box each leave the rows and the folder as they were.
    for (const char* way : {"cancel", "close box"}) {
        SCOPED_TRACE(way);
        HWND dialog = OpenSettings(kivora);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(kivora.Do(L"select frm_Option.CB_VideoFormats " + std::to_wstring(row)));
        ASSERT_TRUE(kivora.Do(L"text frm_Option.Edit_SaveDir " + other));
        ASSERT_TRUE(kivora.WaitFor(L"prop frm_Option.Edit_SaveDir.Text", other));
        if (std::string(way) == "cancel")
            ASSERT_TRUE(kivora.Do(L"click frm_Option.Btn_Cancel"));
        else
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
        EXPECT_EQ(kivora.Ask(L"prop frm_Option.CB_VideoFormats.ItemIndex"), formatBefore);
        EXPECT_EQ(kivora.Ask(L"prop frm_Option.Edit_SaveDir.Text"), folder);
        EXPECT_EQ(kivora.Ask(L"savedir"), folder);
    }

    // OK takes them.
    ASSERT_TRUE(kivora.ChangeSettings({L"select frm_Option.CB_VideoFormats " + std::to_wstring(row),
                                       L"text frm_Option.Edit_SaveDir " + other}));
    EXPECT_EQ(kivora.Ask(L"savedir"), other);
    EXPECT_EQ(kivora.Ask(L"prop frm_Option.CB_VideoFormats.ItemIndex"), std::to_wstring(row));
    EXPECT_TRUE(kivora.Quit());
}

TEST(MainWindow, FullScreenAndStayOnTopToggleAndComeBack)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    HWND video = FindWindowExW(kivora.MainWindow(), nullptr, L"TVideoWindow", nullptr);
    ASSERT_TRUE(video);
    // With nothing running a double click on the black picture changes nothing.
    PostMessageW(video, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageW(video, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.VideoWindow.FullScreen"), L"False");
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_FullScreen.Checked"), L"False");

    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    RECT before{};
    GetWindowRect(kivora.MainWindow(), &before);

    ASSERT_TRUE(kivora.Do(L"click MainForm.Pop_OnTop"));
    EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(kivora.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_OnTop.Checked"), L"True");
    ASSERT_TRUE(kivora.Do(L"click MainForm.Pop_OnTop"));
    EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(kivora.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_OnTop.Checked"), L"False");
    RECT after{};
    GetWindowRect(kivora.MainWindow(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "the window keeps its place and size";

    ASSERT_TRUE(kivora.Do(L"click MainForm.Pop_FullScreen"));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.VideoWindow.FullScreen", L"True"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_FullScreen.Checked"), L"True");
    ASSERT_TRUE(kivora.Do(L"click MainForm.Pop_FullScreen"));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.VideoWindow.FullScreen", L"False"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_FullScreen.Checked"), L"False");

    // A double click on the running picture goes full screen; Esc comes back.
    PostMessageW(video, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageW(video, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.VideoWindow.FullScreen", L"True"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_FullScreen.Checked"), L"True");
    PostMessageW(video, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.VideoWindow.FullScreen", L"False"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_FullScreen.Checked"), L"False");
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmPreview");
    EXPECT_TRUE(kivora.Quit());
}

TEST(Playback, AFileThatCannotBePlayedLeavesTheWindowAsItWas)
{
    const std::wstring clip = ShortClip();
    ASSERT_FALSE(clip.empty()) << "KIVORA_SHORT_AVI names the clip made for the test";
    const std::wstring damaged = DamagedClip();
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());

    // From idle, twice: each attempt names the file, and the window stays as it was.
    const std::wstring idleHeight = kivora.Ask(L"prop MainForm.Height");
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        ASSERT_TRUE(OpenFile(kivora, damaged));
        HWND box = kivora.WaitForWindow(L"#32770");
        ASSERT_TRUE(box) << WideToUtf8(kivora.VisibleWindows()) << " mode " << WideToUtf8(kivora.Ask(L"mode"));
        const std::wstring message = TKivoraDriver::MessageLine(box);
        EXPECT_NE(message.find(damaged), std::wstring::npos) << "the message names the file: " << WideToUtf8(message);
        EXPECT_NE(message.find(L"文件格式无法识别或文件已损坏"), std::wstring::npos) << WideToUtf8(message);
        ASSERT_TRUE(kivora.CloseWindow(box));
        EXPECT_EQ(kivora.Ask(L"mode"), L"mmIdle");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.Panel_PlayBack.Visible"), L"False");
        EXPECT_EQ(kivora.Ask(L"prop frm_Option.FilterGraph.Active"), L"False");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.Height"), idleHeight);
    }

    // From playback: the bar stays and the play button plays the file that played.
    ASSERT_TRUE(OpenFile(kivora, clip));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPlayback"));
    ASSERT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"False", 20s));
    const std::wstring playbackHeight = kivora.Ask(L"prop MainForm.Height");
    ASSERT_TRUE(OpenFile(kivora, damaged));
    HWND box = kivora.WaitForWindow(L"#32770");
    ASSERT_TRUE(box);
    ASSERT_TRUE(kivora.CloseWindow(box));
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmPlayback");
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Panel_PlayBack.Visible"), L"True");
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Height"), playbackHeight);
    ASSERT_TRUE(kivora.Do(L"click MainForm.Action_Play"));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"True"));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"False", 20s)) << "the clip plays to its end";
    EXPECT_TRUE(kivora.Quit());
}

TEST(Playback, CancellingTheOpenDialogLetsThePlayButtonPlayThePreviousFileAgain)
{
    const std::wstring clip = ShortClip();
    ASSERT_FALSE(clip.empty());
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    ASSERT_TRUE(OpenFile(kivora, clip));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPlayback"));
    const std::wstring height = kivora.Ask(L"prop MainForm.Height");

    // Opened again while playing, and cancelled.
    ASSERT_TRUE(kivora.Do(L"click MainForm.Action_OpenFile"));
    HWND dialog = kivora.WaitForWindow(L"#32770");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(kivora.CloseWindow(dialog));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Action_Play.Checked"), L"False") << "nothing plays";
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Panel_PlayBack.Visible"), L"True");
    ASSERT_TRUE(kivora.Do(L"click MainForm.Action_Play"));
    EXPECT_TRUE(kivora.WaitFor(L"prop frm_Option.FilterGraph.Active", L"True"));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"False", 20s)) << "the clip plays to its end";

    // A second file chosen while in playback does not make the window taller again.
    ASSERT_TRUE(OpenFile(kivora, clip));
    ASSERT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"True"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Height"), height);

    // Preview from playback hides the bar.
    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Panel_PlayBack.Visible"), L"False");
    EXPECT_TRUE(kivora.Quit());
}

TEST(MainWindow, AFormatLargerThanTheScreenKeepsTheWholeWindowOnIt)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    const int row = kivora.FormatRow(L"1280X720");
    ASSERT_GE(row, 0) << "the test camera offers 1280x720";
    ASSERT_TRUE(kivora.ChangeSettings({L"select frm_Option.CB_VideoFormats " + std::to_wstring(row)}));
    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    ASSERT_TRUE(WaitUntil([&] { return kivora.Ask(L"frame") != L"none"; }));
    EXPECT_EQ(kivora.Ask(L"frame"), L"1280x720") << "the picture itself keeps its size";

    RECT area{}, window{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(kivora.MainWindow(), &window);
    EXPECT_GE(window.left, area.left);
    EXPECT_GE(window.top, area.top);
    EXPECT_LE(window.right, area.right) << "the close box is on the screen";
    EXPECT_LE(window.bottom, area.bottom);
    // The video is shown smaller, its aspect kept.
    const int width = std::stoi(kivora.Ask(L"prop MainForm.VideoWindow.Width"));
    const int height = std::stoi(kivora.Ask(L"prop MainForm.VideoWindow.Height"));
    EXPECT_LT(width, 1280);
    EXPECT_NEAR(width * 720.0 / 1280.0, height, 1.0);
    EXPECT_TRUE(kivora.Quit());
}

TEST(SettingsDialog, TabFollowsTheRowsAndTheDevicePagesOpenOverTheDialog)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    HWND dialog = OpenSettings(kivora);
    ASSERT_TRUE(dialog);
    // The dialog's client area as designed, inside a 6-pixel band within its frame.
    RECT client{}, window{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 399);
    EXPECT_EQ(client.bottom, 259);
    GetWindowRect(dialog, &window);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_GE(origin.x - window.left, 6 + 1) << "the band lies inside the frame";
    EXPECT_GE(window.right - (origin.x + client.right), 6 + 1);
    EXPECT_EQ(kivora.Ask(L"prop frm_Option.BorderWidth"), L"6");
    EXPECT_EQ(kivora.Ask(L"tabs frm_Option"),
              L"CB_VideoCapFilters\nBtn_Video_Property\nCB_VideoFormats\nCB_AudioCapFilters\nBtn_Audio_Property\n"
              L"CB_AudioFormats\nCB_InputLines\nEdit_SaveDir\nBtn_SaveDir\nBtn_OK\nBtn_Cancel\n");

    // The device's pages, titled with its name, centred over the dialog.
    ASSERT_TRUE(kivora.Do(L"click frm_Option.Btn_Video_Property"));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : TopLevelWindows(kivora.Process().Id(), L"#32770"))
            if (IsWindowVisible(window) && WindowText(window).find(L"Kivora Test Camera") != std::wstring::npos)
                frame = window;
        return frame != nullptr;
    })) << WideToUtf8(kivora.VisibleWindows());
    RECT over{}, page{};
    GetWindowRect(dialog, &over);
    GetWindowRect(frame, &page);
    // Centred when it is made; the skin's frame, fitted afterwards, may move its edges a
    // few pixels.
    EXPECT_NEAR((page.left + page.right) / 2, (over.left + over.right) / 2, 8) << "centred over the dialog";
    EXPECT_NEAR((page.top + page.bottom) / 2, (over.top + over.bottom) / 2, 8);
    PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(frame) || !IsWindowVisible(frame); }));
    ASSERT_TRUE(kivora.Do(L"click frm_Option.Btn_Cancel"));
    EXPECT_TRUE(kivora.Quit());
}
