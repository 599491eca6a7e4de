// TPicture: holds one picture of any graphic class (a bitmap or a JPEG image) for an
// image control. Bitmap() answers the held bitmap, first replacing anything else by an
// empty bitmap. OnChange fires when the picture or its content changes.
#pragma once
#include "framework/Bitmap.h"

#include <memory>

class TPicture : public TPersistent {
    KIVORA_CLASS(TPicture, TPersistent)
public:
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of graphic (nullptr empties the picture).
    void SetGraphic(const TGraphic* graphic);
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    void Assign(const TPersistent& source) override;
    // .bmp or .jpg/.jpeg by the file's extension.
    void LoadFromFile(const std::wstring& fileName);

    TNotifyEvent OnChange;

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    std::unique_ptr<TGraphic> FGraphic;
};
