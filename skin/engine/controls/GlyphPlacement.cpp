#include "skin/engine/controls/GlyphPlacement.h"

TGlyphLayoutOut LayoutGlyph(const TGlyphLayoutIn& in)
{
    TGlyphLayoutOut out;
    const bool horizontal = in.Side == gsLeft || in.Side == gsRight;
    // Along the axis of the layout (x for left and right, y for top and bottom) and across it.
    const int client = horizontal ? in.Client.cx : in.Client.cy;
    const int glyph = horizontal ? in.Glyph.cx : in.Glyph.cy;
    const int text = horizontal ? in.Text.cx : in.Text.cy;
    const int glyphAcross = ((horizontal ? in.Client.cy : in.Client.cx) - (horizontal ? in.Glyph.cy : in.Glyph.cx) + 1) / 2;
    const int textAcross = ((horizontal ? in.Client.cy : in.Client.cx) - (horizontal ? in.Text.cy : in.Text.cx) + 1) / 2;
    int margin = in.Margin, spacing = in.Spacing;
    if (in.Text.cx == 0 || in.Glyph.cx == 0)
        spacing = 0;
    if (in.AutoMargin) {
        if (spacing == -1) {
            margin = (client - (glyph + text)) / 3;
            spacing = margin;
        } else {
            margin = (client - (glyph + spacing + text)) / 2 + (in.SpeedButton ? 1 : 0);
        }
    } else if (spacing == -1) {
        spacing = (client - (margin + glyph) - text) / 2;
    }
    int glyphAt, textAt;
    switch (in.Side) {
    case gsLeft: glyphAt = margin; textAt = margin + glyph + spacing; out.Flags = DT_LEFT; break;
    case gsRight: glyphAt = client - margin - glyph; textAt = glyphAt - spacing - text; out.Flags = DT_RIGHT; break;
    case gsTop: glyphAt = margin; textAt = margin + glyph + spacing; out.Flags = DT_CENTER; break;
    default: glyphAt = client - margin - glyph; textAt = glyphAt - spacing - text; out.Flags = DT_CENTER; break;
    }
    if (horizontal) {
        out.Glyph = {glyphAt, glyphAcross};
        out.Text = {textAt, textAcross};
    } else {
        out.Glyph = {glyphAcross, glyphAt};
        out.Text = {textAcross, textAt};
    }
    return out;
}
