#include "app/ShowImageForm.h"

TShowImageForm* ShowImageForm = nullptr;

const TClassInfo& TShowImageForm::StaticClass()
{
    static const TClassInfo info(L"TShowImageForm", &TForm::StaticClass());
    return info;
}

void TShowImageForm::CreateComponents()
{
    SetName(L"ShowImageForm");
    SetCaption(L"ShowImage");
    SetBorderStyle(bsToolWindow);
    SetClientWidth(320);
    SetClientHeight(240);
    SetPosition(poScreenCenter);
    Font()->SetName(L"MS Sans Serif");
    Font()->SetSize(8);
    // Any snapshot, whatever its size or aspect, is shown squeezed or enlarged to the
    // viewer's 320 x 240.
    Image = new TImage(this);
    Image->SetName(L"Image");
    Image->SetParent(this);
    Image->SetBounds(0, 0, 320, 240);
    Image->SetStretch(true);
    OnCreate = TNotifyEvent(this, &TShowImageForm::FormCreate);
}

void TShowImageForm::FormCreate(TObject*)
{
    SetCaption(L"照片保存在: 我的文档");
}
