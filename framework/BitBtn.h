// TBitBtn: a push button with a glyph beside its caption. Glyph is a strip of NumGlyphs
// pictures (up, disabled, pressed); Layout puts it left, right, above or below the
// caption, Margin (-1: centred) from the edge and Spacing from the caption. It draws itself
// (owner-drawn system button) and otherwise behaves as a TButton.
#pragma once
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/GlyphLayout.h"

#include <memory>

class TBitBtn : public TButton {
    KIVORA_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
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
    void CreateParams(TCreateParams& params) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& draw);
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};
