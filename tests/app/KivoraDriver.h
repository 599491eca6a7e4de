// Drives the test build of Kivora (KivoraUnderTest.exe) the way a user would, through the
// control point compiled into it (app/TestHook.cpp): commands click, choose and type;
// queries read the mode, published properties, status panels and box rows. Modal windows
// the program opens (viewer, settings, message boxes) are found among its top-level
// windows and closed like a user closes them.
#pragma once

#include "TestProcess.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace kivora::test {

// The settings the program keeps between runs (HKCU\Software\Kivora\Settings of the
// test's Wine prefix, which later tests reuse): forgotten, as for a first run, or kept
// from the run before.
enum TStoredSettingsAtStart { ssForgotten, ssKept };

// Removes the settings the program keeps between runs, as if it had never run.
void ForgetStoredSettings();

class TKivoraDriver {
public:
    // Starts the program and waits until its main window is shown and its control point
    // answers; the test fails when that does not happen. Unless asked to keep them, the
    // settings of earlier runs are forgotten first, so every test starts as a first run.
    explicit TKivoraDriver(TStoredSettingsAtStart settings = ssForgotten);
    ~TKivoraDriver();
    TKivoraDriver(const TKivoraDriver&) = delete;
    TKivoraDriver& operator=(const TKivoraDriver&) = delete;

    bool Started() const { return FMainWindow != nullptr; }
    TProcess& Process() { return *FProcess; }
    HWND MainWindow() const { return FMainWindow; }

    // A command ("click MainForm.TB_Preview", "select frm_Option.CB_VideoFormats 2",
    // "text frm_Option.Edit_SaveDir C:\x"); false when the program has no such target.
    bool Do(const std::wstring& command);
    // A query's answer ("mode", "prop MainForm.TB_Preview.Hint", "status 0", "items …").
    std::wstring Ask(const std::wstring& query);
    // Waits until the query answers the expected text.
    bool WaitFor(const std::wstring& query, const std::wstring& expected,
                 std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Waits for a visible top-level window of the program of this class ("#32770" for a
    // message box); nullptr when none appears in time.
    HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Whether the program shows a top-level window of this class now.
    bool Shows(const wchar_t* className);
    // Closes a window the way its close box does and waits until it is gone.
    bool CloseWindow(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // "class: text" of every visible top-level window of the program, one per line, for
    // failure messages.
    std::wstring VisibleWindows();
    // Text of the static controls of a message box, joined by line breaks.
    static std::wstring MessageText(HWND box);
    // The same without any line break: long lines of a message box are wrapped, so a
    // file name is found in this.
    static std::wstring MessageLine(HWND box);

    // Answers an open-file dialog of the program with a file name, as a user types it and
    // presses Open.
    static bool ChooseFile(HWND dialog, const std::wstring& fileName);
    // Opens the settings dialog, does the commands in it and presses OK; false when the
    // dialog does not open, a command's target is missing or the dialog stays open.
    bool ChangeSettings(const std::vector<std::wstring>& commands);
    // The row of the video format box whose text names the frame size (L"320X240"); -1 if none.
    int FormatRow(const std::wstring& size);
    // Closes the main window and waits for the program to end; false when it does not.
    bool Quit(DWORD* exitCode = nullptr);

private:
    bool SendText(ULONG_PTR kind, const std::wstring& text, LRESULT* result);

    std::unique_ptr<TProcess> FProcess;
    HWND FMainWindow = nullptr;
    HWND FHook = nullptr;
    HWND FReplyWindow = nullptr;
    std::wstring FReply;
};

// A new empty folder under the temporary folder for one test's files.
std::wstring FreshFolder(const std::wstring& name);
// The files in a folder.
std::vector<std::wstring> FilesIn(const std::wstring& folder);

} // namespace kivora::test
