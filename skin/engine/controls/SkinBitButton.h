// TSkinBitButton: glyph buttons (framework TBitBtn; Skin3rd kind "bitbtn"): the push
// button's skin, with the button's glyph (or image-list picture) and caption laid out by
// its Layout, Margin and Spacing. A focused button shows the hot frame even when it is
// the default button.
#pragma once

#include "skin/engine/controls/GlyphPlacement.h"
#include "skin/engine/controls/SkinButton.h"

class TBitmap;

class TSkinBitButton : public TSkinButton {
    KIVORA_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;

    static int GlyphFrame(bool enabled, int mouseState, bool focused, bool defaultButton);
    // Glyph index by frame: 3 pressed, 2 disabled, 1 otherwise.
    static int GlyphIndexOf(int frame) { return frame == 2 ? 3 : frame == 3 ? 2 : 1; }

protected:
    void DrawSkin(HDC dc, const RECT& rect) override;
    // One glyph of a strip at pos: with four glyphs the one of the state, else the first;
    // the disabled one turned grey; the bottom-left colour left out.
    static void DrawGlyph(HDC dc, POINT pos, int numGlyphs, int glyphIndex, const TBitmap& glyph);
    static TGlyphSide SideOf(const std::wstring& layout);
    // The caption's size for the face (0 x 0 without caption).
    SIZE MeasureText(HDC dc, const RECT& r, UINT flags) const;
};
