// What a user does with a skinned window, in one test: showing it, changing its title,
// activating it back and forth with another window, opening and closing a dialog over it,
// opening the drop-downs of a window's menu bar with Alt+letter, F10 and the mouse,
// pressing and releasing each title-bar button (also dragging off). On its own it checks
// that the window stays skinned; run under WINEDEBUG=trace+win by
// count-native-frame-paints.sh it shows that Wine never paints its native frame on the
// skinned windows (each "nc_paint <window>" trace line is one such paint). The windows'
// handles are printed for the script.
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/engine/menus/MenuBarSkin.h"

#include "CraftedSkin.h"
#include "framework/Application.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

namespace {

void PumpFor(int ms)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() < end);
}

void Announce(const char* what, HWND window)
{
    std::printf("skinned window %s 0x%llx\n", what, static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    std::fflush(stdout);
}

// Ends the menu open now at the next timer tick (the menu loop dispatches it).
void CALLBACK EndOpenMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    EndMenu();
}

void OpenAndCloseMenu(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetTimer(nullptr, 0, 100, EndOpenMenu);
    SendMessageW(window, msg, wParam, lParam);
    PumpFor(100);
}

HWND Create(const wchar_t* text, DWORD style, HWND owner, int x)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KivoraPaintProbe";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, L"KivoraPaintProbe", text, style, x, 80, 400, 300, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(NativeFramePaints, Scenario)
{
    Application->Initialize();
    RegisterSkinManager();
    auto* skin = new TSkinData(nullptr);
    crafted::TSkinPlan plan;
    crafted::AddCaptionButtons(plan);
    ASSERT_TRUE(skin->LoadSkinFromBytes(crafted::Pack(plan)));
    auto* manager = static_cast<TSkinManager*>(SkinManager());
    manager->SetEnabled(true);

    HWND main = Create(L"Kivora 视频捕捉", WS_OVERLAPPEDWINDOW, nullptr, 60);
    HWND other = Create(L"其他窗口", WS_OVERLAPPEDWINDOW, nullptr, 500);
    Announce("main", main);
    Announce("other", other);
    ShowWindow(main, SW_SHOW);
    PumpFor(300);
    ShowWindow(other, SW_SHOW);
    PumpFor(300);
    ASSERT_NE(manager->FindForm(main), nullptr);
    ASSERT_NE(manager->FindForm(other), nullptr);

    for (int i = 0; i < 5; ++i) {
        SetForegroundWindow(i % 2 ? other : main);
        PumpFor(50);
        SetWindowTextW(main, i % 2 ? L"照片保存在: C:\\" : L"Kivora 视频捕捉");
        PumpFor(50);
    }
    SetForegroundWindow(main);
    PumpFor(100);

    HWND dialog = Create(L"设置", WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, main, 120);
    Announce("dialog", dialog);
    EnableWindow(main, FALSE);
    ShowWindow(dialog, SW_SHOW);
    PumpFor(300);
    EXPECT_NE(manager->FindForm(dialog), nullptr);
    SetWindowTextW(dialog, L"设置 2");
    PumpFor(50);
    EnableWindow(main, TRUE);
    DestroyWindow(dialog);
    PumpFor(200);

    // A window with a menu bar: its drop-downs opened by keyboard and mouse.
    HWND menuWindow = Create(L"菜单", WS_OVERLAPPEDWINDOW, nullptr, 300);
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"打开(&O)");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, 102, L"退出(&X)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&F)");
    AppendMenuW(bar, MF_STRING, 103, L"帮助(&H)");
    SetMenu(menuWindow, bar);
    Announce("menu", menuWindow);
    ShowWindow(menuWindow, SW_SHOW);
    SetForegroundWindow(menuWindow);
    PumpFor(300);
    TFormSkin* menuForm = manager->FindForm(menuWindow);
    ASSERT_TRUE(menuForm && menuForm->MenuBar());
    OpenAndCloseMenu(menuWindow, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    // F10 lights the bar; Down drops its first entry down.
    PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    OpenAndCloseMenu(menuWindow, WM_SYSCOMMAND, SC_KEYMENU, 0);
    RECT menuRect{};
    GetWindowRect(menuWindow, &menuRect);
    const RECT& entry = menuForm->MenuBar()->Items().front()->Rect;
    OpenAndCloseMenu(menuWindow, WM_NCLBUTTONDOWN, HTMENU,
                     MAKELPARAM(menuRect.left + entry.left + 2, menuRect.top + entry.top + 2));
    SetForegroundWindow(main);
    PumpFor(100);
    DestroyWindow(menuWindow);
    PumpFor(100);

    // Each title-bar button: pressed and dragged off, then pressed and released over it.
    TFormSkin* form = manager->FindForm(main);
    ASSERT_NE(form, nullptr);
    for (const int action : {2, 1, 1, 0}) {
        RECT r{};
        GetWindowRect(main, &r);
        const TWinSysButton* button = nullptr;
        for (const auto& b : form->TitleButtons())
            if (b->Element.Action == action && b->Visible)
                button = b.get();
        ASSERT_NE(button, nullptr) << action;
        const POINT at = {r.left + (button->Rect.left + button->Rect.right) / 2,
                          r.top + (button->Rect.top + button->Rect.bottom) / 2};
        POINT client = at;
        ScreenToClient(main, &client);
        SendMessageW(main, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
        SendMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y + 100));
        SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y + 100));
        PumpFor(50);
        if (action == 2)
            continue;  // a minimized window has the platform's own small caption
        SendMessageW(main, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
        SendMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        PumpFor(300);
    }
    EXPECT_FALSE(IsWindow(main)) << "the close button closed the window";
    DestroyWindow(other);
    DestroySkinManager();
    EXPECT_FALSE(IsMenu(bar)) << "the menu window's menu went with it, also while the skin held it";
    skin->Free();
    SetSkinManagerFactory(nullptr);
}
