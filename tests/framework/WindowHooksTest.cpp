// Window hooks on framework and raw windows: the order in which hooks see a message while
// they come and go in any order, answering and "inherited", raw windows given back their
// own procedure, the end of a window, and hooks changing the list from inside a message.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/WindowHooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using TLog = std::vector<std::wstring>;

constexpr UINT WM_PROBE = WM_APP + 7;
constexpr LRESULT kOwnAnswer = 1234;

// Writes its name into the log for each probe message and for the window's end.
class TLogHook : public TWindowHook {
public:
    TLogHook(const wchar_t* name, TLog& log) : FName(name), FLog(log) {}
    bool WndProc(TWindowMessage& message) override
    {
        if (message.Msg == WM_NCDESTROY)
            FLog.push_back(FName + L" saw NCDESTROY");
        if (message.Msg != WM_PROBE)
            return false;
        FLog.push_back(FName);
        return OnProbe ? OnProbe(message) : false;
    }
    void WindowDestroyed(HWND) override { FLog.push_back(FName + L" told"); }
    std::function<bool(TWindowMessage&)> OnProbe;

private:
    std::wstring FName;
    TLog& FLog;
};

// The window's own procedure for a raw window of a class registered here; the log is in
// GWLP_USERDATA.
LRESULT CALLBACK RawOwnProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PROBE) {
        if (auto* log = reinterpret_cast<TLog*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            log->push_back(L"own");
        return kOwnAnswer;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

enum TWindowKind { wkFramework, wkRaw };

// A framework form or a raw window whose own procedure logs probes as "own".
class TProbeWindow {
public:
    TProbeWindow(TWindowKind kind, TLog& log) : FLog(log)
    {
        if (kind == wkFramework) {
            FForm = TCustomForm::Create<TForm>(nullptr);
            FForm->WindowProc = [this](TMessage& m) {
                if (m.Msg == WM_PROBE) {
                    FLog.push_back(L"own");
                    m.Result = kOwnAnswer;
                    return;
                }
                FForm->WndProc(m);
            };
            Window = FForm->Handle();
            return;
        }
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = RawOwnProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"KivoraHookProbe";
            return RegisterClassExW(&wc);
        }();
        Window = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&FLog));
    }
    ~TProbeWindow()
    {
        if (FForm)
            FForm->Free();
        else if (IsWindow(Window))
            DestroyWindow(Window);
    }
    void Destroy()
    {
        if (FForm)
            FForm->DestroyHandle();
        else
            DestroyWindow(Window);
    }
    HWND Window = nullptr;

private:
    TLog& FLog;
    TForm* FForm = nullptr;
};

class WindowHooksTest : public ::testing::TestWithParam<TWindowKind> {
protected:
    void SetUp() override { Application->Initialize(); }
    // Sends a probe and answers what was logged on its way.
    TLog Probe(HWND window, LRESULT expected = kOwnAnswer)
    {
        Log.clear();
        EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), expected);
        return Log;
    }
    TLog Log;
    TLogHook A{L"A", Log}, B{L"B", Log}, C{L"C", Log};
};

TEST_P(WindowHooksTest, NewestHookSeesFirstWhileHooksAreRemovedInAnyOrder)
{
    struct TCase {
        std::vector<char> Removals;
        TLog Expected; // after the last removal
    };
    const TCase cases[] = {
        {{}, {L"C", L"B", L"A", L"own"}},
        {{'B'}, {L"C", L"A", L"own"}},
        {{'B', 'A'}, {L"C", L"own"}},
        {{'A', 'B'}, {L"C", L"own"}},
        {{'C', 'A'}, {L"B", L"own"}},
        {{'A', 'C'}, {L"B", L"own"}},
        {{'B', 'C', 'A'}, {L"own"}},
        {{'C', 'B', 'A'}, {L"own"}},
        {{'A', 'C', 'B'}, {L"own"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Removals.begin(), c.Removals.end()));
        TProbeWindow probe(GetParam(), Log);
        const LONG_PTR original = GetWindowLongPtrW(probe.Window, GWLP_WNDPROC);
        for (TLogHook* hook : {&A, &B, &C})
            AddWindowHook(probe.Window, hook);
        AddWindowHook(probe.Window, &A); // already there: keeps its place
        for (char name : c.Removals)
            RemoveWindowHook(probe.Window, name == 'A' ? &A : name == 'B' ? &B : &C);
        EXPECT_EQ(Probe(probe.Window), c.Expected);
        for (TLogHook* hook : {&C, &A, &B})
            RemoveWindowHook(probe.Window, hook);
        EXPECT_EQ(Probe(probe.Window), TLog{L"own"});
        EXPECT_EQ(GetWindowLongPtrW(probe.Window, GWLP_WNDPROC), original);
    }
}

TEST_P(WindowHooksTest, HookAnswersOrAddsToTheAnswerOfThoseBelowIt)
{
    TProbeWindow probe(GetParam(), Log);
    for (TLogHook* hook : {&A, &B, &C})
        AddWindowHook(probe.Window, hook);

    B.OnProbe = [](TWindowMessage& m) {
        m.Result = 7;
        return true;
    };
    EXPECT_EQ(Probe(probe.Window, 7), (TLog{L"C", L"B"}));

    B.OnProbe = nullptr;
    C.OnProbe = [](TWindowMessage& m) {
        m.CallNext();
        m.Result += 1;
        return false; // answered through CallNext: nothing below sees it twice
    };
    EXPECT_EQ(Probe(probe.Window, kOwnAnswer + 1), (TLog{L"C", L"B", L"A", L"own"}));
    for (TLogHook* hook : {&A, &B, &C})
        RemoveWindowHook(probe.Window, hook);
}

TEST_P(WindowHooksTest, WindowsEndClearsItsHooksAndTellsTheirOwners)
{
    TProbeWindow probe(GetParam(), Log);
    for (TLogHook* hook : {&A, &B, &C})
        AddWindowHook(probe.Window, hook);
    RemoveWindowHook(probe.Window, &B);
    Log.clear();
    probe.Destroy();
    EXPECT_EQ(Log, (TLog{L"C saw NCDESTROY", L"A saw NCDESTROY", L"C told", L"A told"}));
    EXPECT_FALSE(HasWindowHook(probe.Window, &A));
    EXPECT_FALSE(HasWindowHook(probe.Window, &C));
    RemoveWindowHook(probe.Window, &A); // late removal by an owner: nothing happens
}

// What a hook does to the list from inside its own handling of a message, what the rest
// of that message's way looks like, and what the next message sees.
TEST_P(WindowHooksTest, HooksChangeTheListFromInsideAMessage)
{
    TLogHook D{L"D", Log};
    struct TCase {
        const char* Name;
        std::function<void(HWND)> Action; // run by B
        TLog InFlight, Next;
    };
    const TCase cases[] = {
        {"B removes itself", [&](HWND w) { RemoveWindowHook(w, &B); }, {L"C", L"B", L"A", L"own"}, {L"C", L"A", L"own"}},
        {"B removes an older hook", [&](HWND w) { RemoveWindowHook(w, &A); }, {L"C", L"B", L"own"}, {L"C", L"B", L"own"}},
        {"B removes a newer hook", [&](HWND w) { RemoveWindowHook(w, &C); }, {L"C", L"B", L"A", L"own"},
         {L"B", L"A", L"own"}},
        {"B removes everything", [&](HWND w) { for (TLogHook* h : {&A, &B, &C}) RemoveWindowHook(w, h); },
         {L"C", L"B", L"own"}, {L"own"}},
        {"B adds a hook", [&](HWND w) { AddWindowHook(w, &D); }, {L"C", L"B", L"A", L"own"},
         {L"D", L"C", L"B", L"A", L"own"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TProbeWindow probe(GetParam(), Log);
        const LONG_PTR original = GetWindowLongPtrW(probe.Window, GWLP_WNDPROC);
        for (TLogHook* hook : {&A, &B, &C})
            AddWindowHook(probe.Window, hook);
        bool once = true;
        B.OnProbe = [&](TWindowMessage& m) {
            if (once)
                c.Action(m.Window);
            once = false;
            return false;
        };
        EXPECT_EQ(Probe(probe.Window), c.InFlight);
        EXPECT_EQ(Probe(probe.Window), c.Next);
        for (TLogHook* hook : {&A, &B, &C, &D})
            RemoveWindowHook(probe.Window, hook);
        EXPECT_EQ(GetWindowLongPtrW(probe.Window, GWLP_WNDPROC), original);
        B.OnProbe = nullptr;
    }
}

TEST_P(WindowHooksTest, WindowDestroyedFromInsideAHookEndsTheRestOfTheChain)
{
    TProbeWindow probe(GetParam(), Log);
    for (TLogHook* hook : {&A, &B, &C})
        AddWindowHook(probe.Window, hook);
    B.OnProbe = [&](TWindowMessage&) {
        probe.Destroy();
        return false;
    };
    Log.clear();
    SendMessageW(probe.Window, WM_PROBE, 0, 0);
    EXPECT_EQ(Log, (TLog{L"C", L"B", L"C saw NCDESTROY", L"B saw NCDESTROY", L"A saw NCDESTROY", L"C told", L"B told",
                         L"A told"}));
    EXPECT_FALSE(IsWindow(probe.Window));
}

INSTANTIATE_TEST_SUITE_P(FrameworkAndRawWindows, WindowHooksTest, ::testing::Values(wkFramework, wkRaw),
                         [](const ::testing::TestParamInfo<TWindowKind>& info) {
                             return info.param == wkFramework ? std::string("Framework") : std::string("Raw");
                         });

// A window somebody else subclasses after the hooks came keeps that subclass when the
// hooks go: only the window's end gives the original procedure back.
LRESULT CALLBACK ForeignProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, L"KivoraForeignPrevious"));
    return CallWindowProcW(previous, window, msg, wParam, lParam);
}

TEST(WindowHooks, RawWindowSubclassedAfterTheHooksKeepsThatSubclassWhenTheHooksGo)
{
    TLog log;
    TProbeWindow probe(wkRaw, log);
    const LONG_PTR original = GetWindowLongPtrW(probe.Window, GWLP_WNDPROC);
    TLogHook a{L"A", log};
    AddWindowHook(probe.Window, &a);
    LONG_PTR ours = SetWindowLongPtrW(probe.Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc));
    SetPropW(probe.Window, L"KivoraForeignPrevious", reinterpret_cast<HANDLE>(ours));
    RemoveWindowHook(probe.Window, &a);
    EXPECT_EQ(GetWindowLongPtrW(probe.Window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ForeignProc));
    EXPECT_EQ(SendMessageW(probe.Window, WM_PROBE, 0, 0), kOwnAnswer);
    EXPECT_EQ(log, TLog{L"own"});
    // The foreign subclass leaves; the next message finds nothing hooked and gives back
    // the original procedure.
    SetWindowLongPtrW(probe.Window, GWLP_WNDPROC, ours);
    RemovePropW(probe.Window, L"KivoraForeignPrevious");
    SendMessageW(probe.Window, WM_PROBE, 0, 0);
    EXPECT_EQ(GetWindowLongPtrW(probe.Window, GWLP_WNDPROC), original);
}

} // namespace
