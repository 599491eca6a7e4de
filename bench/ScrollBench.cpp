// Dragging a scroll-bar thumb through a 2,000-line memo, painting at every step, with the
// skinned bar against the native one, side by side in one run: the same memo on a skinned
// form, its bar skin switched off (native) and on (skinned). Each step moves the thumb as
// a drag does (SB_THUMBTRACK) and repaints the memo with its frame and the bar's cover.
// Prints the medians per step and their ratio (the goal is at most 1.5).
//   wine-run --build build build/bin/kivora-scroll-bench.exe
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/SkinData.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Memo.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// One drag through the memo: the thumb at every 10th line, down and back up.
double DragMs(HWND memo, HWND parent)
{
    const auto start = std::chrono::steady_clock::now();
    int steps = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (int line = 0; line <= 2000; line += 10, ++steps) {
            const int pos = pass == 0 ? line : 2000 - line;
            SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
            RedrawWindow(memo, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    SendMessageW(memo, WM_VSCROLL, SB_ENDSCROLL, 0);
    GdiFlush();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / steps;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Application->Initialize();
    RegisterSkinManager();
    auto* form = new TForm(nullptr);
    form->SetBounds(40, 40, 640, 480);
    form->SetCaption(L"Kivora 滚动 scroll bench");
    auto* skin = new TSkinData(form);
    skin->SetActive(true);
    if (!skin->LoadSkinFromResource(L"SKINSTREAM")) {
        std::printf("the stored skin did not load\n");
        return 1;
    }
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 400, 400);
    memo->SetScrollBars(ssVertical);
    std::vector<std::wstring> lines;
    for (int i = 1; i <= 2000; ++i)
        lines.push_back(L"第 " + std::to_wstring(i) + L" 行 line of the memo");
    memo->SetLines(lines);
    form->SetVisible(true);
    auto* manager = static_cast<TSkinManager*>(SkinManager());
    for (int i = 0; i < 300; ++i) {
        Pump();
        const TFormSkin* skinned = manager ? manager->FindForm(form->Handle()) : nullptr;
        if (skinned && skinned->State() == fsReady)
            break;
        Sleep(10);
    }
    Pump();
    const HWND window = memo->Handle(), parent = form->Handle();
    std::vector<double> native, skinned;
    for (int run = 0; run < 7; ++run) {
        SendMessageW(window, WM_SKINENABLE, 0, 0);
        Pump();
        native.push_back(DragMs(window, parent));
        SendMessageW(window, WM_SKINENABLE, 1, 0);
        Pump();
        skinned.push_back(DragMs(window, parent));
    }
    const double n = Median(native), s = Median(skinned);
    std::printf("thumb drag through a 2,000-line memo, per step with paint: native %.3f ms, skinned %.3f ms, ratio %.2f\n",
                n, s, s / n);
    form->Free();
    DestroySkinManager();
    return 0;
}
