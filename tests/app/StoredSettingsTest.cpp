// The settings dialog's choices kept between runs (HKCU\Software\Kivora\Settings), under
// Wine with the test camera and tone microphone: what OK stores, what the next start
// takes back, and every stored value that no longer fits or was damaged falling back to
// a first run's choice without a word. The test and the program share the prefix's
// registry, so the test writes and reads the key directly.
#include "KivoraDriver.h"

#include "framework/ShellFolders.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace kivora::test;

namespace {

constexpr const wchar_t* kKey = L"Software\\Kivora\\Settings";

// Stores a value of any type, as a damaged or hand-edited registry may hold it.
void StoreRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, type, data, bytes), ERROR_SUCCESS) << WideToUtf8(name);
}

void Store(const wchar_t* name, const std::wstring& text)
{
    StoreRaw(name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

// A stored string value; "(absent)" when there is none.
std::wstring Stored(const wchar_t* name)
{
    wchar_t text[4096] = {};
    DWORD bytes = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return L"(absent)";
    return text;
}

bool KeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// What a start chose: the settings dialog's five rows and folder, and the main window's
// save folder.
const wchar_t* const kStateQueries[] = {
    L"prop frm_Option.CB_VideoCapFilters.ItemIndex", L"prop frm_Option.CB_VideoFormats.ItemIndex",
    L"prop frm_Option.CB_AudioCapFilters.ItemIndex", L"prop frm_Option.CB_AudioFormats.ItemIndex",
    L"prop frm_Option.CB_InputLines.Text",           L"prop frm_Option.Edit_SaveDir.Text",
    L"savedir",
};
enum { kVideoFormatRow = 1, kAudioFormatRow = 3, kInputLine = 4, kDialogFolder = 5, kSaveDir = 6 };
using TState = std::vector<std::wstring>;

TState StateOf(TKivoraDriver& kivora)
{
    TState state;
    for (const wchar_t* query : kStateQueries)
        state.push_back(kivora.Ask(query));
    return state;
}

// A first run's choices with the test devices: the first camera and its first format,
// the first microphone and its first format, its last enabled line, and Documents.
TState FirstRun()
{
    const std::wstring documents = DocumentsFolder();
    return {L"0", L"0", L"0", L"0", L"Microphone", documents, documents};
}

// Every test starts and ends with nothing stored: later tests in this prefix start as a
// first run.
class StoredSettings : public ::testing::Test {
protected:
    void SetUp() override { ForgetStoredSettings(); }
    void TearDown() override { ForgetStoredSettings(); }
};

} // namespace

TEST_F(StoredSettings, NothingStoredStartsAsAFirstRunAndOnlyOkStoresTheChoices)
{
    {
        TKivoraDriver kivora(ssKept);
        ASSERT_TRUE(kivora.Started());
        EXPECT_EQ(StateOf(kivora), FirstRun());
        // A cancelled dialog stores nothing, nor does quitting.
        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_SetupVideoCtrol"));
        ASSERT_TRUE(kivora.WaitForWindow(L"Tfrm_Option"));
        ASSERT_TRUE(kivora.Do(L"click frm_Option.Btn_Cancel"));
        EXPECT_TRUE(WaitUntil([&] { return !kivora.Shows(L"Tfrm_Option"); }));
        ASSERT_TRUE(kivora.Quit());
    }
    EXPECT_FALSE(KeyExists());

    // OK with nothing changed stores the first run's choices, in readable text.
    {
        TKivoraDriver kivora(ssKept);
        ASSERT_TRUE(kivora.Started());
        ASSERT_TRUE(kivora.ChangeSettings({}));
        ASSERT_TRUE(kivora.Quit());
    }
    EXPECT_TRUE(Stored(L"VideoDevice").starts_with(L"Kivora Test Camera|@device:")) << WideToUtf8(Stored(L"VideoDevice"));
    EXPECT_TRUE(Stored(L"AudioDevice").starts_with(L"Kivora Tone Microphone|@device:"))
        << WideToUtf8(Stored(L"AudioDevice"));
    EXPECT_TRUE(Stored(L"VideoFormat").starts_with(L"Major Type: Video")) << WideToUtf8(Stored(L"VideoFormat"));
    EXPECT_TRUE(Stored(L"AudioFormat").starts_with(L"Major Type: Audio")) << WideToUtf8(Stored(L"AudioFormat"));
    EXPECT_EQ(Stored(L"InputLine"), L"Microphone");
    EXPECT_EQ(Stored(L"SaveDir"), DocumentsFolder());
}

TEST_F(StoredSettings, TheChosenFolderFormatsAndLineComeBackAndADeletedFolderFallsBackToDocuments)
{
    const std::wstring folder = FreshFolder(L"kivora-kept-folder");
    TState chosen;
    {
        TKivoraDriver kivora;
        ASSERT_TRUE(kivora.Started());
        const int row = kivora.FormatRow(L"320X240");
        ASSERT_GT(row, 0);
        // The last audio format and the line that is not the default one.
        const std::wstring audioRows = kivora.Ask(L"items frm_Option.CB_AudioFormats");
        const int audioRow = int(std::count(audioRows.begin(), audioRows.end(), L'\n')) - 1;
        ASSERT_TRUE(kivora.ChangeSettings({L"select frm_Option.CB_VideoFormats " + std::to_wstring(row),
                                           L"select frm_Option.CB_AudioFormats " + std::to_wstring(audioRow),
                                           L"select frm_Option.CB_InputLines 0",
                                           L"text frm_Option.Edit_SaveDir " + folder}));
        chosen = StateOf(kivora);
        EXPECT_EQ(chosen[kInputLine], L"Line In");
        EXPECT_EQ(chosen[kSaveDir], folder);
        ASSERT_TRUE(kivora.Quit());
    }
    EXPECT_NE(Stored(L"VideoFormat").find(L"320X240"), std::wstring::npos) << WideToUtf8(Stored(L"VideoFormat"));
    EXPECT_EQ(Stored(L"SaveDir"), folder);

    {
        TKivoraDriver kivora(ssKept);
        ASSERT_TRUE(kivora.Started());
        EXPECT_EQ(StateOf(kivora), chosen);
        EXPECT_NE(kivora.Ask(L"prop frm_Option.CB_VideoFormats.Text").find(L"320X240"), std::wstring::npos);
        // The kept format is the one a preview starts with.
        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
        ASSERT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
        EXPECT_TRUE(kivora.WaitFor(L"frame", L"320x240"));
        ASSERT_TRUE(kivora.Quit());
    }

    std::filesystem::remove_all(folder);
    {
        TKivoraDriver kivora(ssKept);
        ASSERT_TRUE(kivora.Started());
        TState expected = chosen;
        expected[kDialogFolder] = expected[kSaveDir] = DocumentsFolder();
        EXPECT_EQ(StateOf(kivora), expected);
        EXPECT_FALSE(kivora.Shows(L"#32770")) << "no message about the missing folder";
        ASSERT_TRUE(kivora.Quit());
    }
}

namespace {

// One way a stored value no longer fits, and what the start shows then: a first run's
// choices, but for what the case changes.
struct TFallbackCase {
    const char* Name;
    std::function<void()> Store;
    std::function<void(TState&)> Expect = [](TState&) {};
};

const std::wstring kLong(40000, L'x');

const TFallbackCase kFallbacks[] = {
    {"DevicesGone",
     [] {
         Store(L"VideoDevice", L"Unplugged Camera|@device:pnp:\\\\?\\usb#vid_0000&pid_0000#1#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global");
         // The same name at another path is another device.
         Store(L"AudioDevice", L"Kivora Tone Microphone|@device:sw:{33D9A762-90C8-11D0-BD43-00A0C911CE86}\\{00000000-0000-0000-0000-000000000000}");
     }},
    {"FormatsAndLineGone",
     [] {
         Store(L"VideoFormat", L"Major Type: Video - Sub Type: RGB24 Format: VideoInfo RGB24 4096X2160, 24 bits");
         Store(L"AudioFormat", L"Major Type: Audio - Sub Type: PCM Format: WaveFormatEx: PCM, 192000 Hertz, 32 Bits, 8 Channels");
         Store(L"InputLine", L"Line 7");
     }},
    {"FolderDeleted",
     [] {
         const std::wstring folder = FreshFolder(L"kivora-deleted-folder");
         std::filesystem::remove_all(folder);
         Store(L"SaveDir", folder);
     }},
    {"FolderIsAFile",
     [] {
         const std::wstring file = FreshFolder(L"kivora-file-folder") + L"\\not-a-folder.txt";
         std::ofstream(std::filesystem::path(file)) << "x";
         Store(L"SaveDir", file);
     }},
    {"ValuesOfOtherTypes",
     [] {
         const DWORD number = 320;
         const unsigned long long wide = 240;
         const wchar_t lines[] = L"Line In\0";
         const wchar_t expandable[] = L"%USERPROFILE%";
         const char odd[] = {'C', 0, ':'};
         StoreRaw(L"VideoDevice", REG_MULTI_SZ, lines, sizeof lines);
         StoreRaw(L"VideoFormat", REG_DWORD, &number, sizeof number);
         StoreRaw(L"AudioDevice", REG_QWORD, &wide, sizeof wide);
         StoreRaw(L"AudioFormat", REG_NONE, nullptr, 0);
         StoreRaw(L"InputLine", REG_BINARY, odd, sizeof odd);
         StoreRaw(L"SaveDir", REG_EXPAND_SZ, expandable, sizeof expandable);
     }},
    {"StringsTooLongOrCutInHalf",
     [] {
         for (const wchar_t* name : {L"VideoDevice", L"VideoFormat", L"AudioDevice", L"AudioFormat"})
             Store(name, kLong);
         StoreRaw(L"SaveDir", REG_SZ, kLong.c_str(), DWORD(kLong.size() * sizeof(wchar_t)));
         // A string value of an odd number of bytes (half a character at the end).
         StoreRaw(L"InputLine", REG_SZ, L"Line In", 7);
     }},
    // A string stored without its closing NUL is still the whole name.
    {"LineWithoutItsNul", [] { StoreRaw(L"InputLine", REG_SZ, L"Line In", 7 * sizeof(wchar_t)); },
     [](TState& state) { state[kInputLine] = L"Line In"; }},
};

// Test names and failures show the case's name, not its bytes.
void PrintTo(const TFallbackCase& fallback, std::ostream* out)
{
    *out << fallback.Name;
}

class StoredSettingsFallback : public StoredSettings, public ::testing::WithParamInterface<TFallbackCase> {};

} // namespace

TEST_P(StoredSettingsFallback, StartsWithAFirstRunsChoiceWithoutAMessage)
{
    GetParam().Store();
    TKivoraDriver kivora(ssKept);
    ASSERT_TRUE(kivora.Started());
    TState expected = FirstRun();
    GetParam().Expect(expected);
    EXPECT_EQ(StateOf(kivora), expected);
    EXPECT_FALSE(kivora.Shows(L"#32770")) << WideToUtf8(kivora.VisibleWindows());
    // The program works with what it fell back to.
    ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
    EXPECT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
    EXPECT_TRUE(kivora.Quit());
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredSettingsFallback, ::testing::ValuesIn(kFallbacks),
                         [](const ::testing::TestParamInfo<TFallbackCase>& info) { return std::string(info.param.Name); });
