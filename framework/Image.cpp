#include "framework/Image.h"

const TClassInfo& TImage::StaticClass()
{
    static const TClassInfo info(L"TImage", &TGraphicControl::StaticClass(), {
        ObjProp(L"Picture", &TImage::Picture, &TImage::SetPicture),
        BoolProp(L"Stretch", &TImage::Stretch, &TImage::SetStretch),
        BoolProp(L"AutoSize", &TImage::AutoSize, &TImage::SetAutoSize),
        BoolProp(L"Center", &TImage::Center, &TImage::SetCenter),
    });
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>())
{
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::PictureChanged()
{
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    Invalidate();
}

void TImage::SetAutoSize(bool v)
{
    FAutoSize = v;
    PictureChanged();
}

void TImage::Paint()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty())
        return;
    if (FStretch) {
        Canvas()->StretchDraw(ClientRect(), *graphic);
        return;
    }
    int x = FCenter ? (Width() - graphic->Width()) / 2 : 0;
    int y = FCenter ? (Height() - graphic->Height()) / 2 : 0;
    Canvas()->Draw(x, y, *graphic);
}
