// TImage: shows a picture — at its own size, stretched to the control (Stretch), or
// with the control sizing itself to the picture (AutoSize). Windowless.
#pragma once
#include "framework/CustomControl.h"
#include "framework/Picture.h"

class TImage : public TGraphicControl {
    KIVORA_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* picture) { if (picture) FPicture->Assign(*picture); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v) { FStretch = v; Invalidate(); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v) { FCenter = v; Invalidate(); }

protected:
    void Paint() override;

private:
    void PictureChanged();
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false, FAutoSize = false, FCenter = false;
};
