#include "ShowImageForm.h"

TShowImageForm* ShowImageForm = nullptr;

const TClassInfo& TShowImageForm::StaticClass()
{
    static const TClassInfo info(L"TShowImageForm", &TForm::StaticClass());
    return info;
}

void TShowImageForm::CreateComponents()
{
    SetName(L"ShowImageForm");
    SetCaption(L"照片");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu});
    SetClientWidth(640);
    SetClientHeight(480);
    SetPosition(poMainFormCenter);
    SetColor(clBlack);
    Image = new TImage(this);
    Image->SetName(L"Image");
    Image->SetParent(this);
    Image->SetAlign(alClient);
    Image->SetStretch(true);
}
