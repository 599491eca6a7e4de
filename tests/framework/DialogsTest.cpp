// Shell folders, the open dialog's filter text and timers.
#include "framework/Application.h"
#include "framework/MessageBox.h"
#include "framework/OpenDialog.h"
#include "framework/ShellFolders.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>

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

TEST(MessageBoxText, LongLinesWrapAfterSeparatorsAndLoseNothing)
{
    const std::wstring longFolder = L"C:\\" + std::wstring(40, L'a') + L"\\" + std::wstring(40, L'b') + L"\\" +
                                    std::wstring(40, L'c') + L"\\Video261211_101010.wmv";
    const struct {
        const char* name;
        std::wstring text;
        bool changed;
    } cases[] = {
        {"short text", L"视频设备未连接好.", false},
        {"lines of their own", std::wstring(70, L'x') + L"\n" + std::wstring(70, L'y'), false},
        {"long path", L"无法保存文件 " + longFolder + L"：磁盘已满。", true},
        {"run without a separator", std::wstring(200, L'z'), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring wrapped = WrapLongLines(c.text);
        EXPECT_EQ(wrapped != c.text, c.changed);
        std::wstring joined = wrapped;
        if (c.changed)
            joined.erase(std::remove(joined.begin(), joined.end(), L'\n'), joined.end());
        EXPECT_EQ(joined, c.text) << "no character is lost";
        std::wistringstream lines(wrapped);
        for (std::wstring line; std::getline(lines, line);)
            EXPECT_LE(line.size(), 72u);
    }
    // A path breaks after one of its separators, not inside a folder name.
    const std::wstring wrapped = WrapLongLines(longFolder);
    const size_t firstBreak = wrapped.find(L'\n');
    ASSERT_NE(firstBreak, std::wstring::npos);
    EXPECT_EQ(wrapped[firstBreak - 1], L'\\');
}
