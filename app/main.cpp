// Kivora's program entry: the main window, the snapshot viewer, then the settings
// dialog, which refuses to go on without a video capture device.
#include "app/MainForm.h"
#include "app/OptionForm.h"
#include "app/ShowImageForm.h"

#include "framework/Application.h"

#ifdef KIVORA_TEST_HOOK
#include "app/TestHook.h"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Application->Initialize();
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
    return 0;
}
