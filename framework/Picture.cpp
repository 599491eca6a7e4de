#include "framework/Picture.h"
#include "framework/Exceptions.h"
#include "framework/Jpeg.h"
#include "framework/Text.h"

const TClassInfo& TPicture::StaticClass()
{
    static const TClassInfo info(L"TPicture", &TPersistent::StaticClass(), {
        IntProp(L"Width", &TPicture::Width),
        IntProp(L"Height", &TPicture::Height),
    });
    return info;
}

namespace {
std::unique_ptr<TGraphic> NewGraphicLike(const TGraphic& graphic)
{
    if (graphic.Is<TJPEGImage>())
        return std::make_unique<TJPEGImage>();
    if (graphic.Is<TBitmap>())
        return std::make_unique<TBitmap>();
    throw EInvalidGraphic(L"Unknown picture class " + graphic.ClassName());
}
} // namespace

void TPicture::Take(std::unique_ptr<TGraphic> graphic)
{
    FGraphic = std::move(graphic);
    if (FGraphic)
        FGraphic->OnChange = [this](TObject*) { OnChange(this); };
    OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic)
{
    if (!graphic) {
        Take(nullptr);
        return;
    }
    auto copy = NewGraphicLike(*graphic);
    copy->Assign(*graphic);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (!As<TBitmap>(FGraphic.get()))
        Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::Assign(const TPersistent& source)
{
    if (auto* picture = As<TPicture>(&source)) {
        SetGraphic(picture->Graphic());
        return;
    }
    if (auto* graphic = As<TGraphic>(&source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::LoadFromFile(const std::wstring& fileName)
{
    std::wstring ext = LowerCase(fileName.substr(fileName.find_last_of(L'.') + 1));
    std::unique_ptr<TGraphic> graphic;
    if (ext == L"bmp")
        graphic = std::make_unique<TBitmap>();
    else if (ext == L"jpg" || ext == L"jpeg")
        graphic = std::make_unique<TJPEGImage>();
    else
        throw EInvalidGraphic(L"Unknown picture file extension (." + ext + L")");
    graphic->LoadFromFile(fileName);
    Take(std::move(graphic));
}
