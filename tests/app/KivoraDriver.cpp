#include "KivoraDriver.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace std::chrono_literals;

namespace kivora::test {

namespace {
constexpr ULONG_PTR kCommand = 1, kQuery = 2, kReply = 3;
// How long one message to the program may take before the test gives up on it.
constexpr UINT kSendTimeoutMs = 20000;

LRESULT CALLBACK ReplyProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* reply = reinterpret_cast<std::wstring*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (data->dwData == kReply && reply) {
            reply->assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
            return 1;
        }
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}
} // namespace

void ForgetStoredSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kivora\\Settings");
}

TKivoraDriver::TKivoraDriver(TStoredSettingsAtStart settings)
{
    if (settings == ssForgotten)
        ForgetStoredSettings();
    WNDCLASSW cls{};
    cls.lpfnWndProc = ReplyProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"KivoraDriverReply";
    RegisterClassW(&cls); // a second driver finds the class registered
    FReplyWindow = CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
    SetWindowLongPtrW(FReplyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&FReply));

    FProcess = std::make_unique<TProcess>(L"KivoraUnderTest.exe", L"");
    const bool shown = WaitUntil([&] {
        const std::vector<HWND> main = TopLevelWindows(FProcess->Id(), L"TMainForm");
        const std::vector<HWND> hook = TopLevelWindows(FProcess->Id(), L"KivoraTestHook");
        if (main.empty() || hook.empty() || !IsWindowVisible(main.front()))
            return false;
        FMainWindow = main.front();
        FHook = hook.front();
        return true;
    }, 60s);
    if (!shown)
        FMainWindow = nullptr;
    EXPECT_TRUE(shown) << "Kivora's main window and control point did not appear";
    // The skin takes the window over just after it shows; a test starts from the window
    // as it then stays.
    if (shown)
        EXPECT_TRUE(WaitFor(L"settled", L"yes")) << "the main window's skin did not settle";
}

TKivoraDriver::~TKivoraDriver()
{
    FProcess.reset();
    if (FReplyWindow)
        DestroyWindow(FReplyWindow);
}

bool TKivoraDriver::SendText(ULONG_PTR kind, const std::wstring& text, LRESULT* result)
{
    COPYDATASTRUCT data{kind, static_cast<DWORD>(text.size() * sizeof(wchar_t)), const_cast<wchar_t*>(text.data())};
    DWORD_PTR answer = 0;
    const bool sent = SendMessageTimeoutW(FHook, WM_COPYDATA, reinterpret_cast<WPARAM>(FReplyWindow),
                                          reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kSendTimeoutMs, &answer) != 0;
    *result = static_cast<LRESULT>(answer);
    return sent;
}

bool TKivoraDriver::Do(const std::wstring& command)
{
    LRESULT accepted = 0;
    return SendText(kCommand, command, &accepted) && accepted != 0;
}

std::wstring TKivoraDriver::Ask(const std::wstring& query)
{
    FReply = L"error: no answer";
    LRESULT ignored = 0;
    if (!SendText(kQuery, query, &ignored))
        return L"error: the program did not answer";
    return FReply;
}

bool TKivoraDriver::WaitFor(const std::wstring& query, const std::wstring& expected, std::chrono::milliseconds timeout)
{
    return WaitUntil([&] { return Ask(query) == expected; }, timeout);
}

bool TKivoraDriver::Shows(const wchar_t* className)
{
    for (HWND window : TopLevelWindows(FProcess->Id(), className))
        if (IsWindowVisible(window))
            return true;
    return false;
}

HWND TKivoraDriver::WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout)
{
    return WaitForVisibleWindow(FProcess->Id(), className, timeout);
}

bool TKivoraDriver::CloseWindow(HWND window, std::chrono::milliseconds timeout)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

std::wstring TKivoraDriver::VisibleWindows()
{
    std::wstring list;
    for (HWND window : TopLevelWindows(FProcess->Id()))
        if (IsWindowVisible(window)) {
            wchar_t cls[64] = {};
            GetClassNameW(window, cls, 64);
            list += std::wstring(cls) + L": " + WindowText(window) + L"\n";
            for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                GetClassNameW(child, cls, 64);
                list += L"  " + std::to_wstring(GetDlgCtrlID(child)) + L" " + cls + L": " + WindowText(child) + L"\n";
            }
        }
    return list;
}

std::wstring TKivoraDriver::MessageText(HWND box)
{
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (lstrcmpiW(cls, L"Static") == 0)
            text += WindowText(child) + L"\n";
    }
    return text;
}

std::wstring TKivoraDriver::MessageLine(HWND box)
{
    std::wstring text = MessageText(box);
    std::erase(text, L'\n');
    return text;
}

bool TKivoraDriver::ChooseFile(HWND dialog, const std::wstring& fileName)
{
    // The file name box: an editable combo box (cmb13) in the explorer-style dialog, a
    // plain edit (edt1) in the old one; either may sit in a child dialog. The combo box
    // takes the text itself (Wine's is an extended combo box without child windows).
    HWND box = nullptr;
    EnumChildWindows(dialog, [](HWND child, LPARAM param) -> BOOL {
        constexpr int kFileNameCombo = 0x47C, kFileNameEdit = 0x480;
        const int id = GetDlgCtrlID(child);
        if (id != kFileNameCombo && id != kFileNameEdit)
            return TRUE;
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&box));
    if (!box)
        return false;
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

bool TKivoraDriver::ChangeSettings(const std::vector<std::wstring>& commands)
{
    if (!Do(L"click MainForm.TB_SetupVideoCtrol"))
        return false;
    HWND dialog = WaitForWindow(L"Tfrm_Option");
    if (!dialog)
        return false;
    for (const std::wstring& command : commands)
        if (!Do(command))
            return false;
    return Do(L"click frm_Option.Btn_OK") && WaitUntil([&] { return !IsWindowVisible(dialog); });
}

int TKivoraDriver::FormatRow(const std::wstring& size)
{
    const std::wstring rows = Ask(L"items frm_Option.CB_VideoFormats");
    int row = 0;
    for (size_t start = 0; start < rows.size(); ++row) {
        const size_t end = rows.find(L'\n', start);
        if (rows.substr(start, end - start).find(size) != std::wstring::npos)
            return row;
        start = end + 1;
    }
    return -1;
}

bool TKivoraDriver::Quit(DWORD* exitCode)
{
    PostMessageW(FMainWindow, WM_CLOSE, 0, 0);
    return FProcess->WaitForExit(60s, exitCode);
}

std::wstring FreshFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / (name + L"-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.wstring();
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path().wstring());
    return files;
}

} // namespace kivora::test
