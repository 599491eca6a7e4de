// TApplication: the program's one application object, `Application`. Initialize starts
// COM for the GUI thread (single-threaded apartment); CreateForm makes a form owned by the
// application (the first becomes MainForm); Run shows the main form and runs the message
// loop until Terminate's quit request arrives; Finalize frees the forms (the last created
// first). An exception that escapes an event handler is caught where the framework calls
// the handler and passed to HandleException: one message box with the exception's text,
// titled with Title, and the program goes on (OnException replaces the box). It also
// keeps the list of the program's forms (Forms, FormsInZOrder, FindFrameworkForm).
#pragma once
#include "framework/Component.h"
#include "framework/Event.h"
#include "framework/UtilityWindow.h"

#include <memory>
#include <string>
#include <vector>

class TCustomForm;

using TExceptionEvent = TEvent<TObject*, const std::wstring&>;

class TApplication : public TComponent {
    KIVORA_CLASS(TApplication, TComponent)
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // Makes a form of class T owned by the application and builds it from its design
    // values; `reference` is set before the form's OnCreate runs.
    template <class T> void CreateForm(T*& reference)
    {
        T* form = new T(this);
        reference = form;
        AddForm(form);
    }
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    // Frees the forms and ends COM; called once when the program ends.
    void Finalize();

    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool v) { FShowMainForm = v; }
    const std::wstring& Title() const { return FTitle; }
    void SetTitle(const std::wstring& title) { FTitle = title; }
    // The hidden window of class "TApplication": owner of popup menus and of the hint
    // window's notifications.
    HWND Handle();

    // The program's forms while they exist, in creation order (owned by the application
    // or not).
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    // The form whose window is `window`, or nullptr. Like FormsInZOrder, it compares only
    // windows that exist and never makes one, so a window-creation hook may ask.
    TCustomForm* FindFrameworkForm(HWND window) const;
    // The forms that have a top-level window, in screen order, topmost first; hidden ones
    // too, where their windows stand in the order.
    std::vector<TCustomForm*> FormsInZOrder() const;

    // Call inside a catch block: reports the exception being handled.
    void HandleException(TObject* sender);
    // Call inside a catch block around a window message's handling. For paint and
    // non-client messages (IsPaintOrNonClientMessage) nothing is shown: the text goes to
    // the debugger output and the answer is true — the caller lets the window's default
    // procedure answer the message instead. Other messages go to HandleException (false).
    bool HandleMessageException(TObject* sender, UINT msg);
    void ShowException(const std::wstring& message);
    int MessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags);

    TExceptionEvent OnException;

    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TCustomForm; // enters and leaves the list of forms
    void AddForm(TCustomForm* form);
    void AppWndProc(TMessage& message);
    bool DispatchDialogKey(MSG& msg);
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowMainForm = true;
    bool FComStarted = false;
    std::wstring FTitle;
    std::unique_ptr<TUtilityWindow> FWindow;
    std::vector<TCustomForm*> FForms;
};

extern TApplication* const Application;
