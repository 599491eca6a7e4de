// Opening Kivora's popup menu until it is fully painted, native against skinned, in one
// run: the popup menu of the main window's picture (the same items), opened from a form
// that is plain and skinned with Kivora's skin in turns. One open is timed from the call
// that pops the menu up to the end of the popup window's first paint, when the menu is
// closed again; a run is the mean of 30 opens. Prints the medians of 9 runs each and their
// ratio (the goal is at most 1.5).
//   wine-run --build build build/bin/kivora-popup-bench.exe
#include "BenchSupport.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/SkinData.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Menus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

TClock::time_point gPainted;
bool gWaiting = false;

// The first paint of a popup menu window ends the open being timed.
LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && gWaiting && sent->message == WM_PAINT) {
        wchar_t name[16]{};
        GetClassNameW(sent->hwnd, name, 16);
        if (std::wstring(name) == L"#32768") {
            gPainted = TClock::now();
            gWaiting = false;
            PostMessageW(sent->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The mean time of one open over 30 opens; -1 when a menu was never painted.
double MeanOpenMs(TPopupMenu& menu)
{
    double total = 0;
    for (int i = 0; i < 30; ++i) {
        gWaiting = true;
        const auto start = TClock::now();
        menu.Popup(300, 300);
        if (gWaiting)
            return -1;
        total += std::chrono::duration<double, std::milli>(gPainted - start).count();
        Pump();
    }
    return total / 30;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Application->Initialize();
    RegisterSkinManager();
    TForm* form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(40, 40, 640, 480);
    auto* menu = new TPopupMenu(form);
    for (const wchar_t* caption : {L"播放文件", L"-", L"活动视频", L"拍照", L"录制电影", L"-", L"设置", L"-", L"全屏",
                                   L"前端显示"}) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    menu->Items()->Items(2)->SetChecked(true);
    form->Show();
    Pump();
    auto* skin = new TSkinData(nullptr);
    if (!skin->LoadSkinFromResource(L"SKINSTREAM")) {
        std::printf("the stored skin did not load\n");
        return 1;
    }
    auto* manager = static_cast<TSkinManager*>(SkinManager());
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    // Native and skinned runs in turns, so that both see the same load of the machine.
    std::vector<double> nativeRuns, skinnedRuns;
    for (int round = 0; round < 9; ++round) {
        manager->SetPendingSkin(skin);
        manager->ScheduleAction(saSwitchOff, 1);
        manager->ApplyPendingAction();
        Pump();
        nativeRuns.push_back(MeanOpenMs(*menu));
        manager->SetEnabled(true);
        if (!manager->SkinWindow(form->Handle()) || !menu->OwnerDraw()) {
            std::printf("the form was not skinned\n");
            return 1;
        }
        for (int i = 0; i < 10; ++i) {
            Pump();
            Sleep(10);
        }
        skinnedRuns.push_back(MeanOpenMs(*menu));
    }
    UnhookWindowsHookEx(hook);
    const double native = Median(nativeRuns), skinned = Median(skinnedRuns);
    if (*std::min_element(nativeRuns.begin(), nativeRuns.end()) < 0 ||
        *std::min_element(skinnedRuns.begin(), skinnedRuns.end()) < 0) {
        std::printf("a popup menu was never painted\n");
        return 1;
    }
    std::printf("opening Kivora's popup menu until painted: native %.3f ms, skinned %.3f ms, ratio %.2f\n", native,
                skinned, skinned / native);
    form->Free();
    DestroySkinManager();
    skin->Free();
    Application->Finalize();
    return 0;
}
