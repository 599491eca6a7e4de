// A skinned frame paint against the native one, side by side in one run: an 800 x 600
// window's whole-frame WM_NCPAINT, first with the platform's frame, then skinned with
// Kivora's skin. Prints the medians and their ratio (the goal is at most 1).
//   wine-run --build build build/bin/kivora-frame-bench.exe
#include "skin/engine/SkinManager.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/SkinData.h"
#include "framework/Application.h"

#include "BenchSupport.h"

#include <cstdio>

namespace {

// The time of one whole-frame WM_NCPAINT (median of 9 runs of 200).
double MedianPaintMs(HWND window)
{
    return MedianMs([&] { SendMessageW(window, WM_NCPAINT, 1, 0); }, 200);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Application->Initialize();
    RegisterSkinManager();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KivoraFrameBench";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Kivora 视频捕捉", WS_OVERLAPPEDWINDOW, 40, 40, 800, 600,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    Pump();
    const double native = MedianPaintMs(window);

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
    for (int i = 0; i < 20; ++i) {
        Pump();
        Sleep(10);
    }
    SetWindowPos(window, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    const double skinned = MedianPaintMs(window);
    std::printf("whole-frame WM_NCPAINT of an 800x600 window: native %.3f ms, skinned %.3f ms, ratio %.2f\n", native,
                skinned, skinned / native);
    DestroyWindow(window);
    DestroySkinManager();
    skin->Free();
    Application->Finalize();
    return 0;
}
