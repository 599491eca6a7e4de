// Kivora on a machine with a camera and no sound input: starting preview or recording
// needs the audio device and says so once; the window then stays usable.
#include "KivoraDriver.h"

#include <gtest/gtest.h>

using namespace kivora::test;

TEST(NoMicrophone, StartsFailWithOneMessageAndTheWindowStaysUsable)
{
    TKivoraDriver kivora;
    ASSERT_TRUE(kivora.Started());
    EXPECT_EQ(kivora.Ask(L"items frm_Option.CB_AudioCapFilters"), L"");
    const std::wstring folder = FreshFolder(L"kivora-no-microphone");
    ASSERT_TRUE(kivora.ChangeSettings({L"text frm_Option.Edit_SaveDir " + folder}));

    for (const wchar_t* button : {L"TB_Preview", L"TB_CapWmv", L"TB_Preview"}) {
        SCOPED_TRACE(std::string(button, button + wcslen(button)));
        ASSERT_TRUE(kivora.Do(std::wstring(L"click MainForm.") + button));
        HWND box = kivora.WaitForWindow(L"#32770");
        ASSERT_TRUE(box) << "no message";
        ASSERT_TRUE(kivora.CloseWindow(box));
        EXPECT_FALSE(kivora.Shows(L"#32770")) << "one message only";
        EXPECT_EQ(kivora.Ask(L"mode"), L"mmIdle");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_Preview.Hint"), L"开始预览");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_CapWmv.Hint"), L"录制电影");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_CapWmv.Enabled"), L"True");
        EXPECT_EQ(kivora.Ask(L"prop frm_Option.FilterGraph.Active"), L"False");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_Preview.Checked"), L"False");
        EXPECT_EQ(kivora.Ask(L"prop MainForm.Pop_Capture.Checked"), L"False");
    }
    EXPECT_TRUE(FilesIn(folder).empty()) << "no empty recording is left";

    // The settings dialog still opens and closes.
    EXPECT_TRUE(kivora.ChangeSettings({}));
    EXPECT_TRUE(kivora.Quit());
}
