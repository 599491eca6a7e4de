// Shell folders, the open dialog's filter text and timers.
#include "framework/Application.h"
#include "framework/OpenDialog.h"
#include "framework/ShellFolders.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(Dialogs, FilterTextBecomesTheSystemForm)
{
#define WITH_NULS(text) std::wstring(text, sizeof(text) / sizeof(wchar_t) - 1)
    struct Case {
        std::wstring filter, expected;
    } cases[] = {
        {L"Media|*.wmv;*.avi|All|*.*", WITH_NULS(L"Media\0*.wmv;*.avi\0All\0*.*\0\0")},
        {L"", WITH_NULS(L"\0\0")},
        {L"视频文件|*.wmv", WITH_NULS(L"视频文件\0*.wmv\0\0")},
    };
#undef WITH_NULS
    for (const Case& c : cases)
        EXPECT_EQ(DialogFilter(c.filter), c.expected);
}

TEST(Dialogs, DocumentsFolderIsAnExistingFolderWithoutTrailingBackslash)
{
    Application->Initialize();
    std::wstring folder = DocumentsFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    DWORD attributes = GetFileAttributesW(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Timer, FiresWhileEnabledAndNotWhileLoading)
{
    TComponent owner(nullptr);
    owner.BeginLoading();
    auto* timer = new TTimer(&owner);
    timer->SetInterval(20);
    int ticks = 0;
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        if (++ticks == 3)
            timer->SetEnabled(false);
    };
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 200)
        Application->ProcessMessages();
    EXPECT_EQ(ticks, 0); // still loading
    timer->Loaded();
    start = GetTickCount();
    while (ticks < 3 && GetTickCount() - start < 5000) {
        Application->ProcessMessages();
        Sleep(5);
    }
    EXPECT_EQ(ticks, 3);
    start = GetTickCount();
    while (GetTickCount() - start < 150)
        Application->ProcessMessages();
    EXPECT_EQ(ticks, 3);
}
