#include "framework/GlyphLayout.h"

#include "framework/Bitmap.h"

#include <algorithm>

TGlyphPlacement PlaceGlyph(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing)
{
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (glyph.cx == 0 || text.cx == 0)
        spacing = 0;
    const int along = horizontal ? width : height;
    const int total = horizontal ? glyph.cx + spacing + text.cx : glyph.cy + spacing + text.cy;
    if (margin < 0)
        margin = std::max(0, (along - total) / 2);
    TGlyphPlacement p;
    int glyphAt = 0, textAt = 0;
    switch (layout) {
    case blGlyphLeft: glyphAt = margin; textAt = margin + glyph.cx + spacing; break;
    case blGlyphRight: glyphAt = along - margin - glyph.cx; textAt = glyphAt - spacing - text.cx; break;
    case blGlyphTop: glyphAt = margin; textAt = margin + glyph.cy + spacing; break;
    case blGlyphBottom: glyphAt = along - margin - glyph.cy; textAt = glyphAt - spacing - text.cy; break;
    }
    if (horizontal) {
        p.Glyph = {client.left + glyphAt, client.top + (height - glyph.cy) / 2};
        const int top = client.top + (height - text.cy) / 2;
        p.Text = {client.left + textAt, top, client.left + textAt + text.cx, top + text.cy};
    } else {
        p.Glyph = {client.left + (width - glyph.cx) / 2, client.top + glyphAt};
        const int left = client.left + (width - text.cx) / 2;
        p.Text = {left, client.top + textAt, left + text.cx, client.top + textAt + text.cy};
    }
    return p;
}

void DrawGlyphFromStrip(HDC dc, int x, int y, const TBitmap& strip, int numGlyphs, int index, bool disabled)
{
    if (strip.Width() <= 0 || strip.Height() <= 0)
        return;
    numGlyphs = std::max(numGlyphs, 1);
    const int width = strip.Width() / numGlyphs, height = strip.Height();
    if (width <= 0)
        return;
    if (index > numGlyphs)
        index = 1;
    TBitmap cell(width, height, pf24bit);
    auto& source = const_cast<TBitmap&>(strip);
    BitBlt(cell.Canvas()->Handle(), 0, 0, width, height, source.Canvas()->Handle(), width * (index - 1), 0, SRCCOPY);
    const std::uint8_t* corner = cell.ScanLine(height - 1);
    const UINT transparent = RGB(corner[2], corner[1], corner[0]);
    if (disabled && index == 1) {
        // No picture of its own: the first one in grey.
        for (int row = 0; row < height; ++row) {
            std::uint8_t* p = cell.ScanLine(row);
            for (int col = 0; col < width; ++col, p += 3) {
                if (RGB(p[2], p[1], p[0]) == transparent)
                    continue;
                const std::uint8_t grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3 / 2 + 96);
                p[0] = p[1] = p[2] = grey;
            }
        }
    }
    TransparentBlt(dc, x, y, width, height, cell.Canvas()->Handle(), 0, 0, width, height, transparent);
}

void DrawGlyphAndCaption(HDC dc, const RECT& client, const TButtonGlyph& glyph, const std::wstring& caption,
                         bool disabled)
{
    SetBkMode(dc, TRANSPARENT);
    SIZE text{};
    if (!caption.empty()) {
        RECT measure = client;
        DrawTextW(dc, caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        text = {measure.right - measure.left, measure.bottom - measure.top};
    }
    const int numGlyphs = std::max(glyph.NumGlyphs, 1);
    const bool hasGlyph = glyph.Strip && glyph.Strip->Width() > 0;
    const SIZE size = hasGlyph ? SIZE{glyph.Strip->Width() / numGlyphs, glyph.Strip->Height()} : SIZE{0, 0};
    const TGlyphPlacement place = PlaceGlyph(client, size, text, glyph.Layout, glyph.Margin, glyph.Spacing);
    if (hasGlyph)
        DrawGlyphFromStrip(dc, place.Glyph.x, place.Glyph.y, *glyph.Strip, numGlyphs, glyph.Index, disabled);
    RECT textRect = place.Text;
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), -1, &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
