#include "framework/ImageList.h"
#include "framework/Exceptions.h"

const TClassInfo& TImageList::StaticClass()
{
    static const TClassInfo info(L"TImageList", &TComponent::StaticClass(), {
        IntProp(L"Width", &TImageList::Width, &TImageList::SetWidth),
        IntProp(L"Height", &TImageList::Height, &TImageList::SetHeight),
        IntProp(L"Count", &TImageList::Count),
    });
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::Recreate()
{
    FHandle.reset(ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 4, 4));
    if (!FHandle)
        RaiseLastOSError(L"Cannot create an image list");
    OnChange(this);
}

HIMAGELIST TImageList::Handle()
{
    if (!FHandle)
        Recreate();
    return FHandle.get();
}

void TImageList::SetWidth(int width)
{
    if (width != FWidth) {
        FWidth = width;
        Recreate();
    }
}

void TImageList::SetHeight(int height)
{
    if (height != FHeight) {
        FHeight = height;
        Recreate();
    }
}

int TImageList::Count() const
{
    return FHandle ? ImageList_GetImageCount(FHandle.get()) : 0;
}

int TImageList::Add(const TBitmap& image)
{
    TBitmap copy; // a section that no device context holds
    copy.Assign(image);
    int index = ImageList_Add(Handle(), copy.Handle(), nullptr);
    OnChange(this);
    return index;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor)
{
    TBitmap copy;
    copy.Assign(image);
    int index = ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
    OnChange(this);
    return index;
}

void TImageList::Clear()
{
    if (FHandle)
        ImageList_RemoveAll(FHandle.get());
    OnChange(this);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled)
{
    ImageList_DrawEx(Handle(), index, canvas.Handle(), x, y, 0, 0, CLR_NONE, CLR_NONE,
                     enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
}
