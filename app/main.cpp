// Kivora's program entry: the main window, the snapshot viewer, then the settings
// dialog, which refuses to go on without a video capture device.
#include "app/MainForm.h"
#include "app/OptionForm.h"
#include "app/ShowImageForm.h"

#include "skin/engine/SkinManager.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

#ifdef KIVORA_TEST_HOOK
#include "app/TestHook.h"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int exitCode = 0;
    Application->Initialize();
    // The skin component makes the skin manager when its skin is loaded; the engine lives
    // in a static library, so it is named here for the linker to keep it.
    RegisterSkinManager();
    try {
        Application->SetTitle(L"Kivora");
        Application->CreateForm(MainForm);
        Application->CreateForm(ShowImageForm);
        Application->CreateForm(frm_Option);
        if (NoVideoDevice) {
            Application->Terminate();
        } else {
            MainForm->BindToGraph(frm_Option->FilterGraph);
#ifdef KIVORA_TEST_HOOK
            StartTestHook();
#endif
            Application->Run();
        }
    } catch (...) {
        // An error while the forms are made (a device that answers wrongly): the user is
        // told what happened and the program ends in order, instead of vanishing.
        Application->ShowException(CurrentExceptionMessage());
        exitCode = 1;
    }
    // The forms are freed, the settings dialog first (its graph lets go of the devices),
    // then COM ends.
    Application->Finalize();
    // The hook goes and every remaining skinning object is freed, after the forms.
    DestroySkinManager();
    return exitCode;
}
