// TImageList: pictures of one size (Width x Height) kept in a system image list, for
// tool bars and menus. Pictures are added from bitmaps, with a mask colour made
// transparent (AddMasked). Linked tool bars hear OnChange.
#pragma once
#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "framework/Handles.h"

class TImageList : public TComponent {
    KIVORA_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list.
    void SetWidth(int width);
    void SetHeight(int height);
    int Count() const;
    HIMAGELIST Handle();
    // Adds the picture (split into Width-wide pictures when wider); answers the first index.
    int Add(const TBitmap& image);
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Clear();
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

    TNotifyEvent OnChange;

private:
    void Recreate();
    int FWidth = 16, FHeight = 16;
    TImageListHandle FHandle;
};
