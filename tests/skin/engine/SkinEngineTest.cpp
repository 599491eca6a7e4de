// The skin manager and the skinned frame on real windows (under Xvfb): which windows are
// skinned and when, the delayed actions, switching off and on, the frame's geometry, hit
// tests and region, the title-bar buttons by mouse, and that everything the engine makes
// is given back (hooks, window procedures, GDI objects).
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/frames/FormSkin.h"

#include "CraftedSkin.h"
#include "SkinnedForm.h"
#include "framework/Application.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr wchar_t kProbeClass[] = L"KivoraSkinProbe";

void RegisterProbeClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kProbeClass;
    RegisterClassExW(&wc);
}

using skinned::Pump;
using skinned::PumpUntil;

SIZE ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

class SkinEngine : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        RegisterProbeClass();
        RegisterSkinManager();
        Baseline = EngineGdiObjects();
        Skin = new TSkinData(nullptr);
        crafted::TSkinPlan plan;
        crafted::AddCaptionButtons(plan);
        Customize(plan);
        ASSERT_TRUE(Skin->LoadSkinFromBytes(crafted::Pack(plan)));
        Manager = static_cast<TSkinManager*>(SkinManager());
        ASSERT_NE(Manager, nullptr);
        Manager->SetEnabled(true);
    }
    void TearDown() override
    {
        for (HWND window : Windows)
            if (IsWindow(window))
                DestroyWindow(window);
        Pump();
        DestroySkinManager();
        if (Skin)
            Skin->Free();
        SetSkinManagerFactory(nullptr);
        EXPECT_EQ(EngineGdiObjects(), Baseline) << "the engine's GDI objects are all given back";
    }
    virtual void Customize(crafted::TSkinPlan&) {}

    HWND Open(DWORD style = WS_OVERLAPPEDWINDOW, HWND owner = nullptr, const wchar_t* text = L"Kivora 视频捕捉")
    {
        HWND window = CreateWindowExW(0, kProbeClass, text, style, 60, 60, 320, 240, owner, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        Windows.push_back(window);
        return window;
    }
    // Shows the window (its activation skins it) and waits until its frame is fitted.
    HWND OpenSkinned(DWORD style = WS_OVERLAPPEDWINDOW, HWND owner = nullptr)
    {
        HWND window = Open(style, owner);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        EXPECT_TRUE(PumpUntil([&] {
            TFormSkin* form = Manager->FindForm(window);
            return form && form->State() == fsReady;
        })) << "the window was not skinned";
        Pump();
        return window;
    }
    bool Skinned(HWND window) { return SendMessageW(window, WM_SKINQUERY, 0, 0) == 1; }

    TSkinData* Skin = nullptr;
    TSkinManager* Manager = nullptr;
    std::vector<HWND> Windows;
    long Baseline = 0;
};

}  // namespace

TEST_F(SkinEngine, ActivationSkinsTopLevelWindowsOnceAndKeepsTheirClientSize)
{
    EXPECT_NE(Manager->Hook(), nullptr);
    HWND plain = Open();
    const SIZE before = ClientSize(plain);
    ShowWindow(plain, SW_SHOW);
    ASSERT_TRUE(PumpUntil([&] { return Manager->FindForm(plain) && Manager->FindForm(plain)->State() == fsReady; }));
    EXPECT_TRUE(Skinned(plain));
    const SIZE after = ClientSize(plain);
    EXPECT_EQ(after.cx, before.cx);
    EXPECT_EQ(after.cy, before.cy);
    RECT window{};
    GetWindowRect(plain, &window);
    const TFrameThickness& frame = Manager->FindForm(plain)->Frame();
    EXPECT_EQ(window.right - window.left, before.cx + frame.Left + frame.Right);
    EXPECT_EQ(window.bottom - window.top, before.cy + frame.Top + frame.Bottom);

    // Activated again: still one object.
    HWND other = OpenSkinned();
    SetForegroundWindow(plain);
    Pump();
    EXPECT_EQ(Manager->Forms().size(), 2u);

    // Refused: a child window, a window without area, the framework's application window,
    // a form tagged 99 (199 is skinned).
    HWND child = CreateWindowExW(0, kProbeClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, other, nullptr, nullptr, nullptr);
    EXPECT_FALSE(Manager->SkinWindow(child));
    HWND empty = Open(WS_POPUP);
    SetWindowPos(empty, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(Manager->SkinWindow(empty));
    EXPECT_FALSE(Manager->SkinWindow(Application->Handle()));
    for (const int tag : {99, 199}) {
        TForm* form = new TForm(nullptr);
        form->SetTag(tag);
        form->SetVisible(true);
        Pump();
        EXPECT_EQ(Manager->FindForm(form->Handle()) != nullptr, tag != 99) << "tag " << tag;
        form->Free();
    }
    EXPECT_EQ(Manager->Forms().size(), 2u) << "the skinned form's object went with the form";

    // A destroyed window's object is dead until the next purge frees it.
    DestroyWindow(plain);
    ASSERT_EQ(Manager->Forms().size(), 2u);
    Manager->PurgeDeadForms();
    EXPECT_EQ(Manager->Forms().size(), 1u);
    EXPECT_EQ(Manager->FindForm(plain), nullptr);
}

TEST_F(SkinEngine, DelayedActionsSwitchOffAndOnAndBeforeAnyActivationOnlyTheFlagChanges)
{
    Manager->SetStartState(0);
    Manager->ScheduleAction(saSwitchOff, 250);
    EXPECT_FALSE(Manager->Enabled());
    EXPECT_FALSE(Manager->TimerEnabled());
    Manager->ScheduleAction(saSwitchOn, 250);
    EXPECT_TRUE(Manager->Enabled());
    EXPECT_FALSE(Manager->TimerEnabled());

    HWND window = Open();
    const SIZE native = ClientSize(window);
    ShowWindow(window, SW_SHOW);
    ASSERT_TRUE(PumpUntil([&] { return Manager->FindForm(window) && Manager->FindForm(window)->State() == fsReady; }));
    EXPECT_EQ(Manager->StartState(), 1);

    int changed = 0;
    Skin->OnSkinChanged = [&](TObject*) { ++changed; };
    Manager->SetPendingSkin(Skin);
    Manager->ScheduleAction(saSwitchOff, 250);
    EXPECT_TRUE(Manager->TimerEnabled());
    EXPECT_TRUE(Skinned(window)) << "nothing happens inside the call";
    ASSERT_TRUE(PumpUntil([&] { return !Manager->TimerEnabled(); }));
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(Manager->Enabled());
    EXPECT_TRUE(Manager->Forms().empty());
    EXPECT_FALSE(Skinned(window));
    EXPECT_EQ(ClientSize(window).cx, native.cx) << "the native frame comes back around the same client";
    EXPECT_EQ(ClientSize(window).cy, native.cy);
    EXPECT_EQ(GetWindowRgn(window, CreateRectRgn(0, 0, 0, 0)), ERROR) << "no region left";

    // Switching on attaches to the visible framework forms.
    TForm* form = new TForm(nullptr);
    form->SetVisible(true);
    Pump();
    EXPECT_EQ(Manager->FindForm(form->Handle()), nullptr);
    Manager->SetPendingSkin(Skin);
    Manager->ScheduleAction(saSwitchOn, 250);
    ASSERT_TRUE(PumpUntil([&] { return !Manager->TimerEnabled(); }));
    EXPECT_EQ(changed, 2);
    const HWND formWindow = form->Handle();
    EXPECT_NE(Manager->FindForm(formWindow), nullptr);
    form->Free();
    EXPECT_EQ(Manager->FindForm(formWindow), nullptr) << "the form's object went with the form";
}

TEST_F(SkinEngine, SkinningOffSkinsNoNewWindowAndOnAgainSkinsThem)
{
    HWND main = OpenSkinned();
    Skin->SetSkinningEnabled(false);  // what the main window does before full screen
    HWND whileOff = Open();
    ShowWindow(whileOff, SW_SHOW);
    SetForegroundWindow(whileOff);
    Pump();
    EXPECT_FALSE(Skinned(whileOff));
    EXPECT_TRUE(Skinned(main)) << "windows already skinned stay so";
    Skin->SetSkinningEnabled(true);
    SetForegroundWindow(main);
    SetForegroundWindow(whileOff);
    EXPECT_TRUE(PumpUntil([&] { return Skinned(whileOff); }));
}

TEST_F(SkinEngine, DestroyingTheManagerGivesEveryWindowBackAndFreesEverything)
{
    HWND a = Open();
    const SIZE nativeA = ClientSize(a);
    ShowWindow(a, SW_SHOW);
    ASSERT_TRUE(PumpUntil([&] { return Manager->FindForm(a) && Manager->FindForm(a)->State() == fsReady; }));
    HWND b = OpenSkinned(WS_CAPTION | WS_SYSMENU, a);  // an owned dialog-like window
    TForm* form = new TForm(nullptr);
    form->SetVisible(true);
    Pump();
    ASSERT_NE(Manager->FindForm(form->Handle()), nullptr);
    EXPECT_GT(EngineGdiObjects(), Baseline);

    DestroySkinManager();
    Manager = nullptr;
    EXPECT_FALSE(Skinned(a));
    EXPECT_FALSE(Skinned(b));
    EXPECT_FALSE(Skinned(form->Handle()));
    EXPECT_EQ(ClientSize(a).cx, nativeA.cx);
    EXPECT_EQ(ClientSize(a).cy, nativeA.cy);
    EXPECT_EQ(form->ComponentCount(), 0) << "the form's skinning object was freed with the manager";
    EXPECT_EQ(EngineGdiObjects(), Baseline);
    // Activations after it are harmless.
    SetForegroundWindow(b);
    Pump();
    form->Free();
}

TEST_F(SkinEngine, FreeingTheSkinningObjectOrTheSkinFirstLeavesWorkingWindows)
{
    TForm* form = new TForm(nullptr);
    form->SetVisible(true);
    Pump();
    TFormSkin* skinned = Manager->FindForm(form->Handle());
    ASSERT_NE(skinned, nullptr);
    delete skinned;  // before its window
    EXPECT_FALSE(Skinned(form->Handle()));
    EXPECT_NE(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(100, 100)), -1);
    form->Free();

    HWND window = OpenSkinned();
    Skin->Free();  // the skin goes first: its windows are unskinned
    Skin = nullptr;
    EXPECT_FALSE(Skinned(window));
    EXPECT_TRUE(Manager->Forms().empty());
    SetWindowTextW(window, L"still here");
    Pump();
}

TEST_F(SkinEngine, HitTestsOfTheSkinnedFrame)
{
    HWND window = OpenSkinned(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    RECT r{};
    GetWindowRect(window, &r);
    const TFrameThickness frame = Manager->FindForm(window)->Frame();
    const auto hit = [&](int x, int y) { return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y)); };
    EXPECT_EQ(hit(150, 10), HTCAPTION);
    EXPECT_EQ(hit(150, frame.Top - 1), HTCAPTION);
    EXPECT_EQ(hit(150, frame.Top + 20), HTCLIENT);
    EXPECT_NE(hit(1, frame.Top + 20), HTMENU) << "a side border is no menu bar";
    EXPECT_NE(hit(1, frame.Top + 20), HTCAPTION);
}

namespace {

class SkinEngineTransparent : public SkinEngine {
    void Customize(crafted::TSkinPlan& plan) override
    {
        // The bottom border's two outermost columns are magenta, cut out by Trans 1.
        plan.TransBottom = 1;
        plan.BottomPaint = [](int x, int) { return x < 2 || x >= 58 ? RGB(255, 0, 255) : RGB(40, 60, 80); };
    }
};

}  // namespace

TEST_F(SkinEngineTransparent, RegionCutsTheMagentaOfATransparentBorder)
{
    HWND window = OpenSkinned();
    TFormSkin* form = Manager->FindForm(window);
    ASSERT_TRUE(form->HasRegion());
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const TFrameThickness frame = form->Frame();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    EXPECT_TRUE(PtInRegion(region, w / 2, h - 1));
    EXPECT_TRUE(PtInRegion(region, 0, h - 1)) << "the left border is not transparent";
    // The bottom border stretches its fixed-less picture: its magenta ends land at its ends.
    EXPECT_FALSE(PtInRegion(region, frame.Left, h - 1));
    EXPECT_FALSE(PtInRegion(region, w - frame.Right - 1, h - 1));
    EXPECT_TRUE(PtInRegion(region, w / 2, 5));
    DeleteObject(region);
}

TEST_F(SkinEngine, TitleButtonsActOnlyWhenReleasedOverThem)
{
    HWND window = OpenSkinned();
    TFormSkin* form = Manager->FindForm(window);
    RECT r{};
    GetWindowRect(window, &r);
    const auto buttonWithAction = [&](int action) -> const TWinSysButton& {
        for (const auto& b : form->TitleButtons())
            if (b->Element.Action == action && b->Visible)
                return *b;
        throw std::runtime_error("no such button");
    };
    const auto screenOf = [&](const RECT& b) { return POINT{r.left + (b.left + b.right) / 2, r.top + (b.top + b.bottom) / 2}; };
    const auto clientOf = [&](POINT screen) {
        ScreenToClient(window, &screen);
        return MAKELPARAM(screen.x, screen.y);
    };
    const auto press = [&](const TWinSysButton& b) {
        const POINT at = screenOf(b.Rect);
        EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), HTCAPTION);
        SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(b.ButtonState, nbsPressed);
    };

    // Pressed, dragged off (also over another button), released: nothing happens.
    const TWinSysButton& close = buttonWithAction(0);
    const TWinSysButton& minimize = buttonWithAction(2);
    press(close);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, clientOf({r.left + 150, r.top + 100}));
    EXPECT_EQ(close.ButtonState, nbsNormal);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, clientOf(screenOf(minimize.Rect)));
    SendMessageW(window, WM_LBUTTONUP, 0, clientOf(screenOf(minimize.Rect)));
    Pump();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsIconic(window));

    // Minimize, released over it.
    press(minimize);
    SendMessageW(window, WM_LBUTTONUP, 0, clientOf(screenOf(minimize.Rect)));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(window) != FALSE; }));
    ShowWindow(window, SW_RESTORE);
    Pump();
    GetWindowRect(window, &r);

    // Close, released over it: the window gets SC_CLOSE and goes.
    press(buttonWithAction(0));
    SendMessageW(window, WM_LBUTTONUP, 0, clientOf(screenOf(buttonWithAction(0).Rect)));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
}

TEST_F(SkinEngine, NoEngineGdiObjectOutlivesActivationsTitleChangesAndDialogs)
{
    HWND main = OpenSkinned();
    HWND other = OpenSkinned();
    Pump();
    const long settled = EngineGdiObjects();
    for (int i = 0; i < 500; ++i) {
        SetForegroundWindow(i % 2 ? main : other);
        SetWindowTextW(main, i % 2 ? L"Kivora 视频捕捉" : L"照片保存在: C:\\");
        if (i % 10 == 0) {
            HWND dialog = Open(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, main);
            ShowWindow(dialog, SW_SHOW);
            SetForegroundWindow(dialog);
            Pump();
            DestroyWindow(dialog);
        }
        Pump();
    }
    Manager->PurgeDeadForms();
    EXPECT_EQ(Manager->Forms().size(), 2u);
    EXPECT_EQ(EngineGdiObjects(), settled);
}
