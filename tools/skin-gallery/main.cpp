// SkinGallery: shows every control kind the skin engine skins on one window, with
// Kivora's stored skin, or with skinning off when started with --native; --mdi opens the
// MDI window too.
#include "tools/skin-gallery/GalleryForm.h"
#include "tools/skin-gallery/GalleryMdi.h"

#include "skin/engine/SkinManager.h"
#include "framework/Application.h"

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    TGalleryForm::Skinned = !(commandLine && std::wcsstr(commandLine, L"--native"));
    Application->Initialize();
    RegisterSkinManager();
    Application->SetTitle(L"Kivora Skin Gallery");
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    // --mdi: the MDI window opens at once, its active child maximized.
    if (commandLine && std::wcsstr(commandLine, L"--mdi")) {
        form->Show();
        ShowGalleryMdiWindow(*form, true);
    }
    Application->Run();
    Application->Finalize();
    DestroySkinManager();
    return 0;
}
