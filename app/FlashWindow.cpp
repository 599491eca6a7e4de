#include "app/FlashWindow.h"

#include "framework/Jpeg.h"
#include "framework/Resource.h"
#include "framework/Stream.h"

namespace {
// The logo artwork (480 x 200), a JPEG carried in the program's resources.
const wchar_t kLogoResource[] = L"KIVORA_LOGO";
}

const TClassInfo& TFlashWindow::StaticClass()
{
    static const TClassInfo info(L"TFlashWindow", &TForm::StaticClass());
    return info;
}

void TFlashWindow::CreateComponents()
{
    SetName(L"FlashWindow");
    SetCaption(L"About");
    SetBorderStyle(bsDialog);
    SetClientWidth(480);
    SetClientHeight(200);
    SetPosition(poScreenCenter);
    Font()->SetName(L"MS Sans Serif");
    Font()->SetSize(8);

    Image = new TImage(this);
    Image->SetName(L"Image");
    Image->SetParent(this);
    Image->SetBounds(0, 0, 480, 200);
    Image->SetAutoSize(true);
    TMemoryStream logoData(ReadRcData(kLogoResource));
    TJPEGImage logo;
    logo.LoadFromStream(logoData);
    Image->Picture()->SetGraphic(&logo);
}
