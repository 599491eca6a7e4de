// Recording in Kivora as a user does it, under Wine with the test camera, the tone
// microphone and the stand-in ASF writer. Every recording that should be complete is
// left in its own folder under KIVORA_RECORDINGS with a "<file>.seconds" note of how long
// it ran; ffprobe on the build machine checks those files afterwards (a CTest fixture).
#include "KivoraDriver.h"

#include "framework/Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace kivora::test;
using namespace std::chrono_literals;

namespace {

// The folder for this test's recordings, emptied.
std::wstring RecordingFolder()
{
    const char* root = std::getenv("KIVORA_RECORDINGS");
    if (!root)
        return FreshFolder(L"kivora-recordings");
    const std::filesystem::path folder =
        std::filesystem::path(Utf8ToWide(root)) / Utf8ToWide(testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.wstring();
}

// The milliseconds of a status text "捕捉  h:m:s:ms"; -1 when it is not one.
long long RecordedMilliseconds(const std::wstring& status)
{
    const std::wstring prefix = L"捕捉  ";
    if (status.rfind(prefix, 0) != 0)
        return -1;
    long long parts[4] = {};
    if (swscanf(status.c_str() + prefix.size(), L"%lld:%lld:%lld:%lld", &parts[0], &parts[1], &parts[2], &parts[3]) != 4)
        return -1;
    return ((parts[0] * 60 + parts[1]) * 60 + parts[2]) * 1000 + parts[3];
}

// The toolbar as a user sees it: hints and which buttons can be pressed.
struct TToolbarState {
    std::wstring previewHint, recordHint;
    bool previewEnabled, recordEnabled, setupEnabled;
};

void ExpectToolbar(TKivoraDriver& kivora, const TToolbarState& expected, const char* when)
{
    SCOPED_TRACE(when);
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_Preview.Hint"), expected.previewHint);
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_CapWmv.Hint"), expected.recordHint);
    auto enabled = [](bool on) { return std::wstring(on ? L"True" : L"False"); };
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_Preview.Enabled"), enabled(expected.previewEnabled));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_CapWmv.Enabled"), enabled(expected.recordEnabled));
    EXPECT_EQ(kivora.Ask(L"prop MainForm.TB_SetupVideoCtrol.Enabled"), enabled(expected.setupEnabled));
}

const TToolbarState kIdle{L"开始预览", L"录制电影", true, true, true};

// Starts a recording into the folder and waits until it has run for at least the given
// time; answers the running time last shown.
long long RecordFor(TKivoraDriver& kivora, std::chrono::milliseconds length)
{
    // The status bar keeps the last recording's time until the new one counts.
    const std::wstring before = kivora.Ask(L"status 0");
    EXPECT_TRUE(kivora.Do(L"click MainForm.TB_CapWmv"));
    EXPECT_TRUE(kivora.WaitFor(L"mode", L"mmRecording"));
    long long shown = -1;
    EXPECT_TRUE(WaitUntil([&] {
        const std::wstring status = kivora.Ask(L"status 0");
        shown = RecordedMilliseconds(status);
        return status != before && shown >= length.count();
    }, length + 30s)) << "the status bar did not count the recording: " << WideToUtf8(kivora.Ask(L"status 0"));
    return shown;
}

// The one recording in the folder, with a note of its length for the ffprobe check.
std::wstring KeepRecording(const std::wstring& folder, long long milliseconds)
{
    std::wstring recording;
    for (const std::wstring& file : FilesIn(folder))
        if (std::filesystem::path(file).extension() == L".wmv") {
            EXPECT_TRUE(recording.empty()) << "one recording expected";
            recording = file;
        }
    if (recording.empty()) {
        ADD_FAILURE() << "no recording in the folder";
        return recording;
    }
    EXPECT_EQ(std::filesystem::path(recording).filename().wstring().rfind(L"Video", 0), 0u);
    EXPECT_EQ(std::filesystem::path(recording).filename().wstring().size(), std::wstring(L"Video000000_000000.wmv").size());
    EXPECT_GT(std::filesystem::file_size(recording), 0u);
    std::ofstream(std::filesystem::path(recording + L".seconds")) << milliseconds / 1000.0 << "\n";
    return recording;
}

// A recording session: Kivora started, saving into this test's folder.
class Recording : public testing::Test {
protected:
    // Starts Kivora; a fault switch of a test device (variable and value) is set for the
    // program only.
    void Start(const wchar_t* variable = nullptr, const wchar_t* value = nullptr)
    {
        if (variable)
            SetEnvironmentVariableW(variable, value);
        kivora = std::make_unique<TKivoraDriver>();
        if (variable)
            SetEnvironmentVariableW(variable, nullptr);
        ASSERT_TRUE(kivora->Started());
        folder = RecordingFolder();
        ASSERT_TRUE(kivora->ChangeSettings({L"text frm_Option.Edit_SaveDir " + folder}));
    }

    std::unique_ptr<TKivoraDriver> kivora;
    std::wstring folder;
};

} // namespace

TEST_F(Recording, TheCommandRecordsWithTheToolbarAndStatusOfTheModeAndSnapshotsWork)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectToolbar(*kivora, kIdle, "before");

    // Recording from preview: the picture stays, rebuilt in the recording graph.
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmPreview"));
    const long long recorded = RecordFor(*kivora, 3s);
    ExpectToolbar(*kivora, {L"停止预览", L"停止录制", false, true, false}, "while recording");
    EXPECT_EQ(kivora->Ask(L"status 1"), L"电影保存: " + folder);
    EXPECT_EQ(kivora->Ask(L"prop MainForm.Pop_Capture.Checked"), L"True");
    EXPECT_EQ(kivora->Ask(L"prop MainForm.Panel_PlayBack.Visible"), L"False");

    // A snapshot while recording.
    ASSERT_TRUE(WaitUntil([&] { return kivora->Ask(L"frame") != L"none"; }));
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_Snap"));
    HWND viewer = kivora->WaitForWindow(L"TShowImageForm");
    ASSERT_TRUE(viewer) << WideToUtf8(kivora->VisibleWindows());
    ASSERT_TRUE(kivora->CloseWindow(viewer));
    // The setup command is refused while recording.
    ASSERT_TRUE(kivora->Do(L"click MainForm.Pop_Setup"));
    EXPECT_FALSE(kivora->Shows(L"Tfrm_Option"));

    const long long last = RecordedMilliseconds(kivora->Ask(L"status 0"));
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_CapWmv"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmIdle"));
    ExpectToolbar(*kivora, kIdle, "after");
    // The last running time and the folder stay in the status bar.
    EXPECT_GE(RecordedMilliseconds(kivora->Ask(L"status 0")), recorded);
    EXPECT_EQ(kivora->Ask(L"status 1"), L"电影保存: " + folder);
    EXPECT_EQ(kivora->Ask(L"prop MainForm.Pop_Capture.Checked"), L"False");

    int snapshots = 0;
    for (const std::wstring& file : FilesIn(folder))
        snapshots += std::filesystem::path(file).extension() == L".jpg";
    EXPECT_EQ(snapshots, 1);
    KeepRecording(folder, std::max(last, recorded));
    EXPECT_TRUE(kivora->Quit());
}

TEST_F(Recording, OpeningAFileEndsTheRecordingWithACompleteFile)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const long long recorded = RecordFor(*kivora, 2s);

    ASSERT_TRUE(kivora->Do(L"click MainForm.Action_OpenFile"));
    HWND dialog = kivora->WaitForWindow(L"#32770");
    ASSERT_TRUE(dialog) << "the open dialog did not appear";
    // The recording has stopped before the dialog shows; choosing nothing leaves idle.
    ASSERT_TRUE(kivora->CloseWindow(dialog));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmIdle"));
    ExpectToolbar(*kivora, kIdle, "after the open command");
    KeepRecording(folder, recorded);
    EXPECT_TRUE(kivora->Quit());
}

TEST_F(Recording, ClosingTheWindowEndsTheRecordingWithACompleteFile)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const long long recorded = RecordFor(*kivora, 2s);
    DWORD exitCode = 1;
    ASSERT_TRUE(kivora->Quit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    KeepRecording(folder, recorded);
}

TEST_F(Recording, APulledCameraStillLeavesACompleteFile)
{
    // The camera delivers a second of frames, then none, as if unplugged.
    ASSERT_NO_FATAL_FAILURE(Start(L"KIVORA_TESTCAM_STOP_AFTER", L"30"));
    const long long recorded = RecordFor(*kivora, 3s);
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_CapWmv"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmIdle"));
    ExpectToolbar(*kivora, kIdle, "after");
    KeepRecording(folder, recorded);
    EXPECT_TRUE(kivora->Quit());
}

TEST(RecordingStart, AFailedStartShowsOneMessageLeavesNoFileAndReturnsToIdle)
{
    const struct {
        const char* name;
        const wchar_t* variable;  // a fault of the test camera, or none
        bool missingFolder;
    } cases[] = {
        {"save folder missing", nullptr, true},
        {"camera refuses to start", L"KIVORA_TESTCAM_FAIL_START", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.variable)
            SetEnvironmentVariableW(c.variable, L"1");
        TKivoraDriver kivora;
        if (c.variable)
            SetEnvironmentVariableW(c.variable, nullptr);
        ASSERT_TRUE(kivora.Started());
        const std::wstring base = FreshFolder(L"kivora-failed-start");
        const std::wstring folder = c.missingFolder ? base + L"\\missing" : base;
        ASSERT_TRUE(kivora.ChangeSettings({L"text frm_Option.Edit_SaveDir " + folder}));

        ASSERT_TRUE(kivora.Do(L"click MainForm.TB_CapWmv"));
        HWND box = kivora.WaitForWindow(L"#32770");
        ASSERT_TRUE(box) << "no message about the failed start";
        EXPECT_EQ(kivora.Ask(L"mode"), L"mmIdle");
        ASSERT_TRUE(kivora.CloseWindow(box));
        EXPECT_FALSE(kivora.Shows(L"#32770")) << "one message only";
        ExpectToolbar(kivora, kIdle, c.name);
        EXPECT_EQ(kivora.Ask(L"prop frm_Option.FilterGraph.Active"), L"False");
        EXPECT_TRUE(FilesIn(base).empty()) << "no file is left behind";

        // The next command works: preview starts.
        if (!c.variable) {
            ASSERT_TRUE(kivora.Do(L"click MainForm.TB_Preview"));
            EXPECT_TRUE(kivora.WaitFor(L"mode", L"mmPreview"));
        }
        EXPECT_TRUE(kivora.Quit());
        std::filesystem::remove_all(base);
    }
}

namespace {

// Notes a recording for the check on the build machine that ffprobe plays it through
// without an error, whatever its length.
void KeepPlayable(const std::wstring& recording)
{
    std::ofstream(std::filesystem::path(recording + L".playable")) << "\n";
}

std::vector<std::wstring> Recordings(const std::wstring& folder)
{
    std::vector<std::wstring> found;
    for (const std::wstring& file : FilesIn(folder))
        if (std::filesystem::path(file).extension() == L".wmv")
            found.push_back(file);
    return found;
}

} // namespace

TEST_F(Recording, QuickRecordStopCyclesNeverShareAFile)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    // Three recordings as fast as a user can make them, each with something in it: the
    // names differ even within one second, and no recording overwrites another.
    for (int cycle = 0; cycle < 3; ++cycle) {
        RecordFor(*kivora, std::chrono::milliseconds(200));
        ASSERT_TRUE(kivora->Do(L"click MainForm.TB_CapWmv"));
        ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmIdle"));
    }
    const std::vector<std::wstring> recordings = Recordings(folder);
    ASSERT_EQ(recordings.size(), 3u);
    for (const std::wstring& recording : recordings) {
        EXPECT_GT(std::filesystem::file_size(recording), 1000u) << WideToUtf8(recording);
        KeepPlayable(recording);
    }
    EXPECT_TRUE(kivora->Quit());
}

TEST_F(Recording, ADoubleClickOnRecordLeavesNoUnplayableFile)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    // The second click of a double click, as soon as the start has finished: before a
    // sample reaches the file.
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_CapWmv"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmRecording"));
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_CapWmv"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmIdle"));
    ExpectToolbar(*kivora, kIdle, "after");
    // Either nothing is left, or what is left plays.
    for (const std::wstring& recording : Recordings(folder))
        KeepPlayable(recording);
    EXPECT_TRUE(kivora->Quit());
}

TEST_F(Recording, AFinishedRecordingIsNeverTouchedAgain)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const long long recorded = RecordFor(*kivora, 1s);
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_CapWmv"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmIdle"));
    const std::wstring recording = KeepRecording(folder, recorded);
    ASSERT_FALSE(recording.empty());
    const auto size = std::filesystem::file_size(recording);
    const auto written = std::filesystem::last_write_time(recording);
    EXPECT_EQ(kivora->Ask(L"prop MainForm.ASFWriter.FilterGraph"), L"") << "the writer has left the graph";

    // Choosing the device again makes the dialog's graph active and inactive once more.
    ASSERT_TRUE(kivora->ChangeSettings({L"select frm_Option.CB_VideoCapFilters 0",
                                        L"select frm_Option.CB_AudioCapFilters 0"}));
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmPreview"));
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_Preview"));
    ASSERT_TRUE(kivora->WaitFor(L"mode", L"mmIdle"));
    EXPECT_EQ(std::filesystem::file_size(recording), size);
    EXPECT_EQ(std::filesystem::last_write_time(recording), written);
    EXPECT_EQ(Recordings(folder).size(), 1u);
    EXPECT_TRUE(kivora->Quit());
}

TEST_F(Recording, AFullDiskStopsTheRecordingSaysSoAndKeepsWhatWasWritten)
{
    // The writer's disk holds 200 000 bytes: about half a second of this recording.
    ASSERT_NO_FATAL_FAILURE(Start(L"KIVORA_ASFWRITER_DISK_FULL_AFTER", L"200000"));
    ASSERT_TRUE(kivora->Do(L"click MainForm.TB_CapWmv"));
    HWND box = kivora->WaitForWindow(L"#32770");
    ASSERT_TRUE(box) << "no message when the disk filled";
    const std::vector<std::wstring> recordings = Recordings(folder);
    ASSERT_EQ(recordings.size(), 1u);
    const std::wstring message = TKivoraDriver::MessageLine(box);
    EXPECT_NE(message.find(L"磁盘已满"), std::wstring::npos) << WideToUtf8(message);
    EXPECT_NE(message.find(recordings[0]), std::wstring::npos) << "the message names the file: " << WideToUtf8(message);
    // The recording has ended before the message: nothing runs on behind it.
    EXPECT_EQ(kivora->Ask(L"mode"), L"mmIdle");
    EXPECT_EQ(kivora->Ask(L"prop MainForm.Timer.Enabled"), L"False");
    EXPECT_EQ(kivora->Ask(L"prop frm_Option.FilterGraph.Active"), L"False");
    ASSERT_TRUE(kivora->CloseWindow(box));
    EXPECT_FALSE(kivora->Shows(L"#32770")) << "one message only";
    ExpectToolbar(*kivora, kIdle, "after");
    EXPECT_EQ(kivora->Ask(L"prop MainForm.Pop_Capture.Checked"), L"False");
    EXPECT_LE(std::filesystem::file_size(recordings[0]), 200000u);
    KeepPlayable(recordings[0]);
    EXPECT_TRUE(kivora->Quit());
}
