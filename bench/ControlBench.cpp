// Painting the skin gallery's window — every skinnable control — skinned against native,
// side by side in one run: the same window is repainted whole (client area and every
// control) first with skinning off, then skinned with Kivora's skin. Prints the medians
// and their ratio (the goal is at most 1.5).
//   wine-run --build build build/bin/kivora-control-bench.exe
#include "tools/skin-gallery/GalleryForm.h"

#include "skin/engine/SkinManager.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/SkinData.h"
#include "framework/Application.h"

#include "PaintTiming.h"

#include <cstdio>

namespace {

// The time of one whole repaint of the window and its controls (median of 9 runs of 50).
double MedianRepaintMs(HWND window)
{
    return MedianMs(
        [&] { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); },
        50);
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
    const double native = MedianRepaintMs(window);

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
    for (int i = 0; i < 200; ++i) {
        Pump();
        if (TFormSkin* skinned = manager->FindForm(window); skinned && skinned->State() == fsReady)
            break;
        Sleep(10);
    }
    Pump();
    const double skinned = MedianRepaintMs(window);
    std::printf("whole repaint of the skin gallery (every control): native %.3f ms, skinned %.3f ms, ratio %.2f\n",
                native, skinned, skinned / native);
    form->Free();
    DestroySkinManager();
    skin->Free();
    Application->Finalize();
    return 0;
}
