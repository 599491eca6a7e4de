// TSkinObjImage: controls that accept a custom check-box glyph strip through published
// properties ("CustomGlyphs", "UseCustomGlyphs", "TransparentColor") are handed one made
// from the skin's check-box picture: nine cells of unchecked, checked and greyed looks in
// their normal, pressed and disabled states. The control keeps its own painting and window
// procedure; losing the skin switches it back to its own glyphs.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinObjImage : public TSkinControl {
    KIVORA_CLASS(TSkinObjImage, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    // 1: custom check-box glyphs; any other kind makes the object do nothing.
    int GlyphKind = 0;

    void AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor) override;
    void Detach() override;
    void SkinChanged() override;
    // The frame of the skin's check-box picture each of the nine cells shows (from 1).
    static constexpr int kCellFrames[9] = {1, 2, 5, 1, 2, 5, 3, 4, 5};

private:
    void ApplyGlyphs();
    void BuildGlyphs();
};
