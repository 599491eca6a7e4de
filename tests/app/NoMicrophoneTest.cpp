// Kivora on a machine with a camera and no sound input: preview and snapshots work
// without one; recording, which needs sound, says so once and the window stays usable.
#include "KivoraDriver.h"

#include "framework/Text.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kivora::test;

TEST(NoMicrophone, PreviewAndSnapshotsWorkRecordingSaysWhatIsMissing)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    EXPECT_EQ(kivora.Ask(L"items frm_Option.CB_AudioCapFilters"), L"");
    const std::wstring folder = FreshFolder(L"kivora-no-microphone");
    ASSERT_TRUE(kivora.ChangeSettings({L"text frm_Option.Edit_SaveDir " + folder}));

    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    EXPECT_FALSE(kivora.Shows(L"#32770")) << WideToUtf8(kivora.VisibleWindows());
    ASSERT_TRUE(WaitUntil([&] { return kivora.Ask(L"frame") != L"none"; })) << "no frame reached the grabber";
    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Snap"));
    HWND viewer = kivora.WaitForWindow(L"TShowImageForm");
    ASSERT_TRUE(viewer) << WideToUtf8(kivora.VisibleWindows());
    ASSERT_TRUE(kivora.CloseWindow(viewer));
    ASSERT_EQ(FilesIn(folder).size(), 1u);
    EXPECT_EQ(std::filesystem::path(FilesIn(folder)[0]).extension(), L".jpg");

    // Recording, from preview and from idle: one message in the program's words.
    for (const bool fromPreview : {true, false}) {
        SCOPED_TRACE(fromPreview ? "from preview" : "from idle");
        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_CapWmv"));
        HWND box = kivora.WaitForWindow(L"#32770");
        ASSERT_TRUE(box) << "no message";
        EXPECT_NE(TKivoraDriver::MessageText(box).find(L"\n音频设备未连接好.\n"), std::wstring::npos)
            << WideToUtf8(TKivoraDriver::MessageText(box));
        ASSERT_TRUE(kivora.CloseWindow(box));
        EXPECT_FALSE(kivora.Shows(L"#32770")) << "one message only";
        EXPECT_EQ(kivora.Ask(L"mode"), L"mmIdle");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_Preview.Hint"), L"开始预览");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_CapWmv.Hint"), L"录制电影");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_CapWmv.Enabled"), L"True");
        EXPECT_EQ(kivora.Ask(L"prop frm_Option.FilterGraph.Active"), L"False");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_Capture.Checked"), L"False");
    }
    EXPECT_EQ(FilesIn(folder).size(), 1u) << "no empty recording is left";

    // The settings dialog still opens and closes.
    EXPECT_TRUE(kivora.ChangeSettings({}));
    EXPECT_TRUE(kivora.Quit());
}
