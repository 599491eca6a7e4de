// The test build's control point. A test finds the hidden top-level window of class
// "KivoraTestHook" among the program's windows and sends it WM_COPYDATA with UTF-16 text:
//
//   dwData 1, a command: checked at once (the send answers 1, or 0 when the target does
//   not exist), then done from a posted message as if the user had done it, so a command
//   that opens a modal window does not keep the test waiting:
//     click <Form>.<Component>            a control's, menu item's or action's click
//     select <Form>.<ComboBox> <index>    a user's choice in the box (OnChange fires)
//     text <Form>.<Control> <text>        sets a control's text, as typed
//     env <Name> <value>                  sets an environment variable of the program,
//                                         e.g. a test device's fault switch, which the
//                                         device reads when its filter is next made
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
//     tabs <Form>                         the names of the form's controls in the order
//                                         Tab moves through them, one per line
//     settled                             "yes" once the main window's skin has taken it
//                                         over and fitted it (or no skin is loaded)
//     nativeframe                         "<width>x<height>" the system's own frame adds
//                                         to the main window's client area
//   An unknown query or target answers "error: " and what was not found.
//
// Everything runs on the GUI thread, in the same message loop a user's input goes
// through, so the program under test behaves as it does for a user.
#include "app/TestHook.h"

#include "app/MainForm.h"

#include "skin/engine/SkinMessages.h"

#include "framework/Actions.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Menus.h"
#include "framework/Properties.h"
#include "framework/UtilityWindow.h"
#include "framework/WinControl.h"

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
        if (words.size() < 2 || !FindCommand(words[0]) || (words[0] != L"env" && !FindTarget(words[1])))
            return false;
        FPending.push_back(command);
        PostMessageW(FWindow.Handle(), WM_RUNCOMMAND, 0, 0);
        return true;
    }

    // A command's work, with its target (nullptr for "env") and its argument.
    using TCommand = void (*)(TComponent* target, const std::wstring& name, const std::wstring& argument);
    struct TCommandEntry {
        const wchar_t* Word;
        TCommand Run;
    };
    static const TCommandEntry* FindCommand(const std::wstring& word)
    {
        static const TCommandEntry kCommands[] = {
            {L"click", [](TComponent* target, const std::wstring&, const std::wstring&) {
                 // As for a user, a disabled control takes no click.
                 if (auto* control = dynamic_cast<TControl*>(target)) {
                     if (control->Enabled())
                         control->Click();
                 }
                 else if (auto* item = dynamic_cast<TMenuItem*>(target))
                     item->Click();
                 else if (auto* action = dynamic_cast<TAction*>(target))
                     action->Execute();
             }},
            {L"select", [](TComponent* target, const std::wstring&, const std::wstring& argument) {
                 if (auto* box = dynamic_cast<TComboBox*>(target)) {
                     box->SetItemIndex(std::stoi(argument));
                     box->OnChange(box);
                 }
             }},
            {L"text", [](TComponent* target, const std::wstring&, const std::wstring& argument) {
                 SetPropText(target, L"Text", argument);
             }},
            {L"env", [](TComponent*, const std::wstring& name, const std::wstring& argument) {
                 SetEnvironmentVariableW(name.c_str(), argument.empty() ? nullptr : argument.c_str());
             }},
        };
        for (const TCommandEntry& entry : kCommands)
            if (word == entry.Word)
                return &entry;
        return nullptr;
    }

    static void Run(const std::wstring& command)
    {
        const std::vector<std::wstring> words = Split(command, L' ', 3);
        const TCommandEntry* entry = FindCommand(words[0]);
        TComponent* target = words[0] == L"env" ? nullptr : FindTarget(words[1]);
        if (entry && (target || words[0] == L"env"))
            entry->Run(target, words[1], words.size() > 2 ? words[2] : L"");
    }

    // A query's answer from its argument.
    using TQuery = std::wstring (*)(const std::wstring& argument);
    static std::wstring Answer(const std::wstring& query)
    {
        static const struct {
            const wchar_t* Word;
            TQuery Answer;
        } kQueries[] = {
            {L"mode", [](const std::wstring&) -> std::wstring {
                 static const wchar_t* const kModeNames[] = {L"mmIdle", L"mmPreview", L"mmRecording", L"mmPlayback"};
                 return kModeNames[MainForm->Mode()];
             }},
            {L"savedir", [](const std::wstring&) { return MainForm->SaveDir(); }},
            {L"status", [](const std::wstring& argument) -> std::wstring {
                 const int panel = std::stoi(argument);
                 if (panel < 0 || panel >= MainForm->StatusBar->Panels().Count())
                     return L"error: no status panel " + argument;
                 return MainForm->StatusBar->Panels()[panel]->Text();
             }},
            {L"prop", [](const std::wstring& argument) -> std::wstring {
                 const size_t dot = argument.rfind(L'.');
                 TComponent* target = dot == std::wstring::npos ? nullptr : FindTarget(argument.substr(0, dot));
                 return target ? PropertyText(target, argument.substr(dot + 1)) : L"error: no " + argument;
             }},
            {L"items", [](const std::wstring& argument) -> std::wstring {
                 auto* box = dynamic_cast<TComboBox*>(FindTarget(argument));
                 if (!box)
                     return L"error: no combo box " + argument;
                 std::wstring rows;
                 for (const std::wstring& row : box->Items()->Items())
                     rows += row + L"\n";
                 return rows;
             }},
            {L"skin", [](const std::wstring&) -> std::wstring {
                 return MainForm->SkinData1->Empty() ? L"empty" : L"loaded";
             }},
            {L"frame", [](const std::wstring&) -> std::wstring {
                 TBitmap frame;
                 if (!MainForm->SampleGrabber->GrabFrame(&frame))
                     return L"none";
                 return std::to_wstring(frame.Width()) + L"x" + std::to_wstring(frame.Height());
             }},
            {L"settled", [](const std::wstring&) -> std::wstring {
                 if (MainForm->SkinData1->Empty())
                     return L"yes";
                 // Skinned, and the skin's posted attach (which fits the frame) has run.
                 MSG pending;
                 const bool attachPending =
                     PeekMessageW(&pending, nullptr, WM_SKINATTACH, WM_SKINATTACH, PM_NOREMOVE) != FALSE;
                 return SendMessageW(MainForm->Handle(), WM_SKINQUERY, 0, 0) == 1 && !attachPending ? L"yes" : L"no";
             }},
            {L"nativeframe", [](const std::wstring&) -> std::wstring {
                 const SIZE frame = MainForm->NativeFrameSize();
                 return std::to_wstring(frame.cx) + L"x" + std::to_wstring(frame.cy);
             }},
            {L"tabs", [](const std::wstring& argument) -> std::wstring {
                 auto* form = dynamic_cast<TWinControl*>(FindTarget(argument));
                 if (!form)
                     return L"error: no form " + argument;
                 std::wstring names;
                 HWND first = GetNextDlgTabItem(form->Handle(), nullptr, FALSE);
                 for (HWND at = first; at;) {
                     const TWinControl* control = FindControl(at);
                     names += (control ? control->Name() : L"?") + L"\n";
                     at = GetNextDlgTabItem(form->Handle(), at, FALSE);
                     if (at == first)
                         break;
                 }
                 return names;
             }},
        };
        const std::vector<std::wstring> words = Split(query, L' ', 2);
        for (const auto& entry : kQueries)
            if (words[0] == entry.Word)
                return entry.Answer(words.size() > 1 ? words[1] : L"");
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
