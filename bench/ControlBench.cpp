// Painting the skin gallery's window — every skinnable control — skinned against native,
// side by side in one run: the same window, skinned with Kivora's skin, is repainted whole
// (client area and every control) in turns with its controls' skins switched off
// (WM_SKINENABLE 0: each paints its native look) and on, so that a busy machine slows both
// alike. Prints the medians and the median ratio of the pairs (the goal is at most 1.5).
//   wine-run --build build build/bin/kivora-control-bench.exe
#include "tools/skin-gallery/GalleryForm.h"

#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/controls/SkinControl.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/SkinData.h"
#include "framework/Application.h"

#include "BenchSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// The time of one whole repaint of the window and its controls (the mean of 20).
double RepaintMs(HWND window)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / 20;
}

void SwitchControlSkins(TFormSkin& form, bool on)
{
    for (TSkinControl* control : form.Controls().Controls()) {
        if (control->Handle())
            SendMessageW(control->Handle(), WM_SKINENABLE, on ? 1 : 0, 0);
        else if (control->GraphicControl())
            control->GraphicControl()->Perform(WM_SKINENABLE, on ? 1 : 0, 0);
    }
    Pump();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Application->Initialize();
    RegisterSkinManager();
    TGalleryForm::Skinned = false;
    auto* form = TCustomForm::Create<TGalleryForm>(nullptr);
    form->Show();
    Pump();
    const HWND window = form->Handle();

    auto* skin = new TSkinData(nullptr);
    if (!skin->LoadSkinFromResource(L"SKINSTREAM")) {
        std::printf("the stored skin did not load\n");
        return 1;
    }
    auto* manager = static_cast<TSkinManager*>(SkinManager());
    manager->SetEnabled(true);
    if (!manager->SkinWindow(window)) {
        std::printf("the window was not skinned\n");
        return 1;
    }
    TFormSkin* skinnedForm = nullptr;
    for (int i = 0; i < 200 && !(skinnedForm && skinnedForm->State() == fsReady); ++i) {
        Pump();
        skinnedForm = manager->FindForm(window);
        Sleep(10);
    }
    if (!skinnedForm) {
        std::printf("the window was not skinned\n");
        return 1;
    }
    Pump();
    // Each native run is followed at once by its skinned run; the ratio is the median of
    // the pairs' ratios.
    std::vector<double> nativeRuns, skinnedRuns, ratios;
    for (int run = 0; run < 15; ++run) {
        SwitchControlSkins(*skinnedForm, false);
        nativeRuns.push_back(RepaintMs(window));
        SwitchControlSkins(*skinnedForm, true);
        skinnedRuns.push_back(RepaintMs(window));
        ratios.push_back(skinnedRuns.back() / nativeRuns.back());
    }
    const double native = Median(nativeRuns), skinned = Median(skinnedRuns);
    std::printf("whole repaint of the skin gallery (every control): native %.3f ms, skinned %.3f ms, ratio %.2f\n",
                native, skinned, Median(ratios));
    form->Free();
    DestroySkinManager();
    skin->Free();
    Application->Finalize();
    return 0;
}
