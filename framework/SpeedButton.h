// TSpeedButton: a button without a window of its own, drawn by its parent (a tool panel's
// button). It can stay down: buttons with the same GroupIndex on one parent work as a
// group, one down at a time (AllowAllUp lets the down one be clicked up again). Flat
// buttons show their edge only while the mouse is over them. Glyph, NumGlyphs, Layout,
// Margin and Spacing as for TBitBtn.
#pragma once
#include "framework/Bitmap.h"
#include "framework/CustomControl.h"
#include "framework/GlyphLayout.h"

#include <memory>

class TSpeedButton : public TGraphicControl {
    KIVORA_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    bool Down() const { return FDown; }
    void SetDown(bool down);
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index) { FGroupIndex = index; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow) { FAllowAllUp = allow; }
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return FMargin; }
    void SetMargin(int margin);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    std::unique_ptr<TBitmap> FGlyph;
    bool FDown = false, FFlat = false, FAllowAllUp = false;
    bool FPressed = false, FHot = false;
    int FGroupIndex = 0;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};
