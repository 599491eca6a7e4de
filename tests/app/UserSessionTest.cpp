// Kivora used as a user uses it, under Wine with the test camera and tone microphone:
// the test build is driven through its control point, and the windows it opens are found
// and closed like a user does.
#include "KivoraDriver.h"
#include "app/VideoLayout.h"

#include "framework/Jpeg.h"
#include "framework/Picture.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace kivora::test;
using namespace std::chrono_literals;

namespace {

// Opens the settings dialog, does the commands in it and presses OK.
void ChangeSettings(TKivoraDriver& kivora, const std::vector<std::wstring>& commands)
{
    ASSERT_TRUE(kivora.ChangeSettings(commands)) << "the settings were not taken";
    EXPECT_EQ(kivora.Ask(L"savedir"), kivora.Ask(L"prop frm_Option.Edit_SaveDir.Text"));
}

// The colour bars the test camera draws over the top of its picture.
constexpr COLORREF kBars[8] = {RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 255, 255), RGB(0, 255, 0),
                               RGB(255, 0, 255),   RGB(255, 0, 0),   RGB(0, 0, 255),   RGB(0, 0, 0)};

void ExpectTestPattern(const TBitmap& picture)
{
    const uint8_t* row = picture.ScanLine(picture.Height() / 4);
    for (int bar = 0; bar < 8; ++bar) {
        const int x = bar * picture.Width() / 8 + picture.Width() / 16;
        const uint8_t* pixel = row + x * 3;
        const COLORREF expected = kBars[bar];
        EXPECT_NEAR(pixel[2], GetRValue(expected), 12) << "bar " << bar;
        EXPECT_NEAR(pixel[1], GetGValue(expected), 12) << "bar " << bar;
        EXPECT_NEAR(pixel[0], GetBValue(expected), 12) << "bar " << bar;
    }
}

} // namespace

TEST(UserSession, HintsPreviewAndSnapshotOfTheChosenFormat)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    const struct {
        const wchar_t* button;
        const wchar_t* hint;
    } idleHints[] = {{L"TB_Preview", L"开始预览"}, {L"TB_Snap", L"拍照"}, {L"TB_CapWmv", L"录制电影"},
                     {L"TB_SetupVideoCtrol", L"设置视频"}, {L"About", L"About"}};
    for (const auto& h : idleHints)
        EXPECT_EQ(kivora.Ask(L"prop MainForm." + std::wstring(h.button) + L".Hint"), h.hint) << h.button;
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmIdle");
    EXPECT_EQ(kivora.Ask(L"skin"), L"loaded") << "the skin carried in the program's resources";

    const std::wstring folder = FreshFolder(L"kivora-snapshots");
    const int row = kivora.FormatRow(L"320X240");
    ASSERT_GE(row, 0) << "the test camera offers 320x240";
    ASSERT_NO_FATAL_FAILURE(ChangeSettings(kivora, {L"select frm_Option.CB_VideoFormats " + std::to_wstring(row),
                                                    L"text frm_Option.Edit_SaveDir " + folder}));

    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    ASSERT_TRUE(WaitUntil([&] { return kivora.Ask(L"frame") != L"none"; })) << "no frame reached the grabber";
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_Preview.Hint"), L"停止预览");
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_Preview.Checked"), L"True");
    EXPECT_EQ(kivora.Ask(L"frame"), L"320x240");

    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Snap"));
    HWND viewer = kivora.WaitForWindow(L"TShowImageForm");
    ASSERT_TRUE(viewer) << "the snapshot viewer did not open; shown: " << WideToUtf8(kivora.VisibleWindows());
    EXPECT_EQ(WindowText(viewer), L"照片保存在: " + folder);
    RECT client{};
    GetClientRect(viewer, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);

    const std::vector<std::wstring> files = FilesIn(folder);
    ASSERT_EQ(files.size(), 1u);
    const std::wstring name = std::filesystem::path(files[0]).filename().wstring();
    EXPECT_EQ(name.size(), std::wstring(L"Image000000_000000.jpg").size()) << WideToUtf8(files[0]);
    EXPECT_EQ(name.rfind(L"Image", 0), 0u) << WideToUtf8(files[0]);
    TPicture picture;
    picture.LoadFromFile(files[0]);
    EXPECT_EQ(picture.Width(), 320);
    EXPECT_EQ(picture.Height(), 240);
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(picture.Graphic());
    ASSERT_TRUE(jpeg) << "a snapshot is a JPEG picture";
    ExpectTestPattern(jpeg->Bitmap());

    // Closing the viewer returns to the running preview.
    ASSERT_TRUE(kivora.CloseWindow(viewer));
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmPreview");
    EXPECT_EQ(kivora.Ask(L"prop frm_Option.FilterGraph.Active"), L"True");

    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmIdle"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_Preview.Hint"), L"开始预览");
    DWORD exitCode = 1;
    ASSERT_TRUE(kivora.Quit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    std::filesystem::remove_all(folder);
}

TEST(UserSession, ASnapshotThatCannotBeSavedNamesTheFileAndWhyAndShowsNoViewer)
{
    const std::wstring base = FreshFolder(L"kivora-unsaved");
    std::wstring longFolder = base;
    while (longFolder.size() < 250)
        longFolder += L"\\很长的文件夹名字";
    const struct {
        const char* name;
        std::wstring folder;
        const wchar_t* reason;
    } cases[] = {
        {"missing folder", base + L"\\missing", L"文件夹不存在"},
        {"path too long", longFolder, L"路径太长"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TKivoraDriver kivora;
        ASSERT_TRUE(kivora.Started());
        ASSERT_NO_FATAL_FAILURE(ChangeSettings(kivora, {L"text frm_Option.Edit_SaveDir " + c.folder}));
        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
        ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
        ASSERT_TRUE(WaitUntil([&] { return kivora.Ask(L"frame") != L"none"; })) << "no frame reached the grabber";

        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Snap"));
        HWND box = kivora.WaitForWindow(L"#32770");
        ASSERT_TRUE(box) << "no message about the failed save";
        const std::wstring message = TKivoraDriver::MessageLine(box);
        EXPECT_NE(message.find(c.folder + L"\\Image"), std::wstring::npos)
            << "the message names the file: " << WideToUtf8(message);
        EXPECT_NE(message.find(c.reason), std::wstring::npos) << WideToUtf8(message);
        RECT r{};
        GetWindowRect(box, &r);
        EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) * 3 / 4) << "the box fits the screen";
        EXPECT_FALSE(kivora.Shows(L"TShowImageForm"));
        ASSERT_TRUE(kivora.CloseWindow(box));
        EXPECT_FALSE(std::filesystem::exists(c.folder));

        // The program goes on: the next command works.
        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
        EXPECT_TRUE(kivora.WaitFor(L"mode", L"mmIdle"));
        EXPECT_TRUE(kivora.Quit());
    }
    std::filesystem::remove_all(base);
}

TEST(UserSession, SnapshotsInQuickSuccessionEachKeepTheirOwnFile)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    const std::wstring folder = FreshFolder(L"kivora-quick-snapshots");
    ASSERT_NO_FATAL_FAILURE(ChangeSettings(kivora, {L"text frm_Option.Edit_SaveDir " + folder}));
    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    ASSERT_TRUE(WaitUntil([&] { return kivora.Ask(L"frame") != L"none"; })) << "no frame reached the grabber";

    // As fast as the viewer lets a user: several snapshots share one second of the clock.
    constexpr size_t kSnapshots = 4;
    for (size_t i = 0; i < kSnapshots; ++i) {
        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Snap"));
        HWND viewer = kivora.WaitForWindow(L"TShowImageForm");
        ASSERT_TRUE(viewer) << WideToUtf8(kivora.VisibleWindows());
        ASSERT_TRUE(kivora.CloseWindow(viewer));
    }
    const std::vector<std::wstring> files = FilesIn(folder);
    ASSERT_EQ(files.size(), kSnapshots) << "a later snapshot replaced an earlier one";
    for (const std::wstring& file : files) {
        SCOPED_TRACE(WideToUtf8(file));
        const std::wstring name = std::filesystem::path(file).filename().wstring();
        EXPECT_EQ(name.rfind(L"Image", 0), 0u);
        EXPECT_EQ(std::filesystem::path(file).extension(), L".jpg");
        TPicture picture;
        picture.LoadFromFile(file);
        EXPECT_EQ(picture.Width(), 640);
    }
    EXPECT_TRUE(kivora.Quit());
    std::filesystem::remove_all(folder);
}

TEST(UserSession, SettingsOkFitsTheWindowToTheChosenFormat)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    for (const wchar_t* size : {L"320X240", L"640X480"}) {
        const int row = kivora.FormatRow(size);
        ASSERT_GE(row, 0) << size;
        ASSERT_NO_FATAL_FAILURE(ChangeSettings(kivora, {L"select frm_Option.CB_VideoFormats " + std::to_wstring(row)}));
        const int width = size[0] == L'3' ? 320 : 640, height = width * 3 / 4;
        const TVideoLayout expected = FitToVideoSize(width, height, kSettingsMargins);
        // The layout's outer sizes are for the system's frame: the window keeps their
        // client area under the skin's frame.
        int frameWidth = 0, frameHeight = 0;
        ASSERT_EQ(swscanf(kivora.Ask(L"nativeframe").c_str(), L"%dx%d", &frameWidth, &frameHeight), 2);
        EXPECT_EQ(kivora.Ask(L"prop MainForm.ClientWidth"), std::to_wstring(*expected.WindowWidth - frameWidth)) << size;
        EXPECT_EQ(kivora.Ask(L"prop MainForm.ClientHeight"), std::to_wstring(*expected.WindowHeight - frameHeight)) << size;
        EXPECT_EQ(kivora.Ask(L"prop MainForm.VideoWindow.Width"), std::to_wstring(*expected.VideoWidth)) << size;
        EXPECT_EQ(kivora.Ask(L"prop MainForm.VideoWindow.Height"), std::to_wstring(*expected.VideoHeight)) << size;
    }
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmIdle");
    EXPECT_TRUE(kivora.Quit());
}

TEST(UserSession, AboutShowsTheLogoInAFreshWindowEachTime)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    HWND previous = nullptr;
    for (int showing = 0; showing < 2; ++showing) {
        ASSERT_TRUE(kivora.Do(L"click MainForm.About"));
        HWND about = kivora.WaitForWindow(L"TFlashWindow");
        ASSERT_TRUE(about) << "the about window did not open";
        EXPECT_NE(about, previous);
        EXPECT_EQ(WindowText(about), L"About");
        RECT client{};
        GetClientRect(about, &client);
        EXPECT_EQ(client.right, 480);
        EXPECT_EQ(client.bottom, 200);
        EXPECT_EQ(kivora.Ask(L"prop FlashWindow.Image.Width"), L"480");
        ASSERT_TRUE(kivora.CloseWindow(about));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "the about window is freed when it closes";
        previous = about;
    }
    EXPECT_TRUE(kivora.Quit());
}

TEST(UserSession, PlaybackOfAClipRunsToItsEndAndStaysInPlayback)
{
    const char* clip = std::getenv("KIVORA_SHORT_AVI");
    ASSERT_TRUE(clip) << "KIVORA_SHORT_AVI names the clip made for the test";
    std::wstring fileName = Utf8ToWide(clip);
    std::replace(fileName.begin(), fileName.end(), L'/', L'\\');

    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    const int heightBefore = std::stoi(kivora.Ask(L"prop MainForm.Height"));
    ASSERT_TRUE(kivora.Do(L"click MainForm.Action_OpenFile"));
    HWND dialog = kivora.WaitForWindow(L"#32770");
    ASSERT_TRUE(dialog) << "the open dialog did not appear";
    ASSERT_TRUE(WaitUntil([&] { return TKivoraDriver::ChooseFile(dialog, fileName); }, 10s))
        << WideToUtf8(kivora.VisibleWindows());

    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPlayback"));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.Panel_PlayBack.Visible"), L"True");
    EXPECT_EQ(std::stoi(kivora.Ask(L"prop MainForm.Height")), heightBefore + 29) << "room for the playback bar";
    // The one-second clip ends: the timer stops the graph and clears the play check.
    ASSERT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"False", 20s));
    EXPECT_EQ(kivora.Ask(L"prop frm_Option.FilterGraph.Active"), L"False");
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmPlayback");
    EXPECT_EQ(kivora.Ask(L"status 0").rfind(L"播放  0:0:", 0), 0u) << WideToUtf8(kivora.Ask(L"status 0"));

    // Play again from the bar: the clip runs once more.
    ASSERT_TRUE(kivora.Do(L"click MainForm.Action_Play"));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"True"));
    EXPECT_TRUE(kivora.WaitFor(L"prop MainForm.Action_Play.Checked", L"False", 20s));
    EXPECT_EQ(kivora.Ask(L"mode"), L"mmPlayback");
    EXPECT_TRUE(kivora.Quit());
}
