// Where a button puts its glyph and caption: the layout (glyph left, right, above or below
// the caption), Margin (-1: centred) and Spacing between them, for the glyph buttons'
// own drawing. Also the glyph strip helpers: a strip holds NumGlyphs pictures side by side
// (up, disabled, pressed, down); the bottom-left pixel's colour is transparent.
#pragma once
#include "framework/Properties.h"

#include <windows.h>

#include <string>

class TBitmap;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
KIVORA_ENUM_NAMES(TButtonLayout, L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom")

struct TGlyphPlacement {
    POINT Glyph{};
    RECT Text{};
};

// Glyph and caption centred together in client (Margin -1) or Margin from the glyph's side.
TGlyphPlacement PlaceGlyph(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing);

// Draws picture `index` (1-based; the first when the strip has fewer) of the strip at (x,
// y), its bottom-left colour left out; greyed when disabled and the strip has no disabled
// picture of its own.
void DrawGlyphFromStrip(HDC dc, int x, int y, const TBitmap& strip, int numGlyphs, int index, bool disabled);

// A glyph button's face content: picture `index` of the strip and the caption laid out in
// client, the caption in the DC's font, grey when disabled.
struct TButtonGlyph {
    const TBitmap* Strip = nullptr;
    int NumGlyphs = 1;
    int Index = 1;
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
};
void DrawGlyphAndCaption(HDC dc, const RECT& client, const TButtonGlyph& glyph, const std::wstring& caption,
                         bool disabled);
