// Where a skinned glyph button (and speed button) puts its glyph and caption in its face:
// the layout names the glyph's side; a Margin of -1 (or, for glyph buttons, a centred
// Alignment) centres glyph and caption together, a Spacing of -1 spreads them evenly.
#pragma once

#include <windows.h>

enum TGlyphSide { gsLeft, gsRight, gsTop, gsBottom };

struct TGlyphLayoutIn {
    SIZE Client{};
    SIZE Glyph{};
    SIZE Text{};
    int Margin = 0;
    int Spacing = 0;
    TGlyphSide Side = gsLeft;
    bool AutoMargin = false;  // Margin -1, or a centred glyph button
    bool SpeedButton = false;
};

struct TGlyphLayoutOut {
    POINT Glyph{};
    POINT Text{};
    UINT Flags = 0;  // DT_LEFT, DT_RIGHT or DT_CENTER by the side
};

TGlyphLayoutOut LayoutGlyph(const TGlyphLayoutIn& in);
