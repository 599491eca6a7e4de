// The test build's control point. A test finds the hidden top-level window of class
// "KivoraTestHook" among the program's windows and sends it WM_COPYDATA with UTF-16 text:
//
//   dwData 1, a command: checked at once (the send answers 1, or 0 when the target does
//   not exist), then done from a posted message as if the user had done it, so a command
//   that opens a modal window does not keep the test waiting:
//     click <Form>.<Component>            a control's, menu item's or action's click
//     select <Form>.<ComboBox> <index>    a user's choice in the box (OnChange fires)
//     text <Form>.<Control> <text>        sets a control's text, as typed
//
//   dwData 2, a query: answered before the send returns, by a WM_COPYDATA (dwData 3) sent
//   back to the window whose handle is the send's wParam:
//     mode                                the main window's mode ("mmIdle", ...)
//     prop <Form>[.<Component>].<Property>  a published property as text
//     savedir                             the main window's save folder
//     status <n>                          the text of the main window's status panel n
//     items <Form>.<ComboBox>             the box's rows, one per line
//     skin                                "loaded" when the main window's skin
//                                         component holds the program's skin, else "empty"
//     frame                               "<width>x<height>" of the frame the sample
//                                         grabber holds now, or "none"
//   An unknown query or target answers "error: " and what was not found.
//
// Everything runs on the GUI thread, in the same message loop a user's input goes
// through, so the program under test behaves as it does for a user.
#include "app/TestHook.h"

#include "app/MainForm.h"

#include "framework/Actions.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Menus.h"
#include "framework/Properties.h"
#include "framework/UtilityWindow.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr ULONG_PTR kCommand = 1, kQuery = 2, kReply = 3;
constexpr UINT WM_RUNCOMMAND = WM_APP + 1;

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator, size_t maxParts = 0)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (maxParts == 0 || parts.size() + 1 < maxParts) {
        const size_t end = text.find(separator, start);
        if (end == std::wstring::npos)
            break;
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// "<Form>" or "<Form>.<Component>": the form owned by the application, or its component.
TComponent* FindTarget(const std::wstring& path)
{
    const std::vector<std::wstring> names = Split(path, L'.');
    TComponent* form = Application->FindComponent(names[0]);
    if (!form || names.size() == 1)
        return form;
    return names.size() == 2 ? form->FindComponent(names[1]) : nullptr;
}

std::wstring PropertyText(const TObject* object, const std::wstring& name)
{
    return GetPropText(object, name).value_or(L"error: no property " + name);
}

class TTestHook {
public:
    TTestHook() : FWindow(TWndMethod(this, &TTestHook::WndProc), false, L"KivoraTestHook") {}

private:
    void WndProc(TMessage& message)
    {
        if (message.Msg == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.LParam);
            const std::wstring text(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
            if (data->dwData == kCommand)
                message.Result = Accept(text);
            else if (data->dwData == kQuery)
                message.Result = Reply(reinterpret_cast<HWND>(message.WParam), Answer(text));
            return;
        }
        if (message.Msg == WM_RUNCOMMAND) {
            if (!FPending.empty()) {
                const std::wstring command = FPending.front();
                FPending.pop_front();
                Run(command);
            }
            return;
        }
        message.Result = DefWindowProcW(FWindow.Handle(), message.Msg, message.WParam, message.LParam);
    }

    bool Accept(const std::wstring& command)
    {
        const std::vector<std::wstring> words = Split(command, L' ', 3);
        if (words.size() < 2 || !FindTarget(words[1]))
            return false;
        FPending.push_back(command);
        PostMessageW(FWindow.Handle(), WM_RUNCOMMAND, 0, 0);
        return true;
    }

    static void Run(const std::wstring& command)
    {
        const std::vector<std::wstring> words = Split(command, L' ', 3);
        TComponent* target = FindTarget(words[1]);
        if (!target)
            return;
        const std::wstring argument = words.size() > 2 ? words[2] : L"";
        if (words[0] == L"click") {
            if (auto* control = dynamic_cast<TControl*>(target))
                control->Click();
            else if (auto* item = dynamic_cast<TMenuItem*>(target))
                item->Click();
            else if (auto* action = dynamic_cast<TAction*>(target))
                action->Execute();
        } else if (words[0] == L"select") {
            if (auto* box = dynamic_cast<TComboBox*>(target)) {
                box->SetItemIndex(std::stoi(argument));
                box->OnChange(box);
            }
        } else if (words[0] == L"text") {
            SetPropText(target, L"Text", argument);
        }
    }

    static std::wstring Answer(const std::wstring& query)
    {
        static const wchar_t* const kModeNames[] = {L"mmIdle", L"mmPreview", L"mmRecording", L"mmPlayback"};
        const std::vector<std::wstring> words = Split(query, L' ', 2);
        const std::wstring argument = words.size() > 1 ? words[1] : L"";
        if (words[0] == L"mode")
            return kModeNames[MainForm->Mode()];
        if (words[0] == L"savedir")
            return MainForm->SaveDir();
        if (words[0] == L"status") {
            const int panel = std::stoi(argument);
            if (panel < 0 || panel >= MainForm->StatusBar->Panels().Count())
                return L"error: no status panel " + argument;
            return MainForm->StatusBar->Panels()[panel]->Text();
        }
        if (words[0] == L"prop") {
            const size_t dot = argument.rfind(L'.');
            TComponent* target = dot == std::wstring::npos ? nullptr : FindTarget(argument.substr(0, dot));
            return target ? PropertyText(target, argument.substr(dot + 1)) : L"error: no " + argument;
        }
        if (words[0] == L"items") {
            auto* box = dynamic_cast<TComboBox*>(FindTarget(argument));
            if (!box)
                return L"error: no combo box " + argument;
            std::wstring rows;
            for (const std::wstring& row : box->Items()->Items())
                rows += row + L"\n";
            return rows;
        }
        if (words[0] == L"skin")
            return MainForm->SkinData1->Empty() ? L"empty" : L"loaded";
        if (words[0] == L"frame") {
            TBitmap frame;
            if (!MainForm->SampleGrabber->GrabFrame(&frame))
                return L"none";
            return std::to_wstring(frame.Width()) + L"x" + std::to_wstring(frame.Height());
        }
        return L"error: unknown query " + query;
    }

    static LRESULT Reply(HWND to, const std::wstring& answer)
    {
        COPYDATASTRUCT data{kReply, static_cast<DWORD>(answer.size() * sizeof(wchar_t)),
                            const_cast<wchar_t*>(answer.data())};
        return SendMessageW(to, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }

    TUtilityWindow FWindow;
    std::deque<std::wstring> FPending;
};

} // namespace

void StartTestHook()
{
    static std::unique_ptr<TTestHook> hook = std::make_unique<TTestHook>();
}
