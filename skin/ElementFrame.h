// Drawing one state frame of a skin picture: nine-slice scaling by the element's margins
// (corners copied, edges stretched along their length, the centre stretched or tiled),
// unscaled centring, and copies that leave magenta pixels out. A picture holds its frames
// side by side (horizontal) or stacked (vertical), numbered from 1.
#pragma once

#include "skin/core/SkinElements.h"
#include "framework/Color.h"

#include <windows.h>

#include <memory>

class TBitmap;
class TCanvas;

constexpr TColor kSkinTransparentColor = 0xFF00FF;  // magenta

struct TFrameSpec {
    int FrameCount = 1;  // values below 1 count as 1
    int Index = 1;       // 1-based
    bool Vertical = false;
};

// A new width x height bitmap holding the frame scaled by nine-slice rules. Margins that
// do not fit the target (left + right > width, top + bottom > height) are dropped for
// that direction, so a too small target is stretched as a whole.
std::unique_ptr<TBitmap> RenderElementFrame(int width, int height, const TBitmap& picture, const TSkinMargins& margins,
                                            bool tile, const TFrameSpec& frame);

// Draws RenderElementFrame's result at rect, leaving magenta out when transparent.
void DrawElementFrame(HDC dc, const RECT& rect, const TBitmap& picture, bool tile, bool transparent,
                      const TFrameSpec& frame, const TSkinMargins& margins);

// The corners and edges of the frame, each stretched straight onto the surface at rect (same
// margin rules as RenderElementFrame); whatever lies under the centre stays.
void DrawElementEdges(HDC dc, const RECT& rect, const TBitmap& picture, const TFrameSpec& frame,
                      const TSkinMargins& margins);

// The frame of a horizontal strip stretched to fill rect; nothing for an inverted rect.
void DrawStripFrame(HDC dc, const RECT& rect, const TBitmap& picture, bool transparent, int frameCount, int index);

// The frame drawn as a left cap (margins.Left wide), a middle piece repeated across and a
// right cap (margins.Right wide), each stretched to rect's height; the last middle piece
// is not cut, the right cap covers it.
void DrawHorizontalSlices(HDC dc, const RECT& rect, const TBitmap& picture, bool transparent,
                          const TFrameSpec& frame, const TSkinMargins& margins);

// The frame (horizontal layout) at its own size, centred in rect (overhanging it when larger).
void DrawCenteredFrame(HDC dc, const RECT& rect, const TBitmap& picture, bool transparent, int frameCount, int index);

// Copies bitmap from its top-left corner, unscaled, into rect, leaving out pixels of colour.
void DrawTransparent(HDC dc, const RECT& rect, const TBitmap& bitmap, TColor color);

// Repeats the source part of bitmap over dest, whole tiles from dest's top-left corner (the
// last row and column are clipped only by the surface).
void TileBitmap(TCanvas& canvas, const RECT& dest, const TBitmap& bitmap, const RECT& source);
