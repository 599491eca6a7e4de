#include "skin/ComboFaces.h"

#include "skin/BitmapTransforms.h"
#include "skin/ElementFrame.h"

#include <algorithm>

namespace {

constexpr int kCellWidth = 50, kCellHeight = 21;

void FillMagenta(TBitmap& bitmap, const RECT& rect)
{
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Brush().SetColor(kSkinTransparentColor);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(rect);
}

}  // namespace

void ComposeComboFaces(TSkinElements& e)
{
    if (!e.SunkEdge || !e.ComboButton)
        return;
    TDataSkinObject& edge = *e.SunkEdge;
    TDataSkinBorder& button = *e.ComboButton;
    const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int frames = std::max(edge.FrameCount, 1);

    TBitmap faces(kCellWidth * frames, kCellHeight, pf24bit);
    FillMagenta(faces, {0, 0, faces.Width(), faces.Height()});
    const RECT whole = {0, 0, kCellWidth, kCellHeight};
    const RECT buttonRect = {kCellWidth - buttonWidth, 0, kCellWidth, kCellHeight};
    for (int k = 1; k <= frames; ++k) {
        TBitmap cell(kCellWidth, kCellHeight, pf24bit);
        HDC dc = cell.Canvas()->Handle();
        DrawElementFrame(dc, whole, edge.Image, false, edge.Trans == 1, {edge.FrameCount, k, false}, edge.Margins);
        DrawElementFrame(dc, buttonRect, button.Image, false, true, {button.FrameCount, k, false}, button.Margins);
        if (e.ExtraImages)
            DrawCenteredFrame(dc, buttonRect, e.ExtraImages->Image, true, e.ExtraImages->FrameCount, k);
        // The text area stays see-through.
        FillMagenta(cell, {2, 2, 49 - buttonWidth, 18});
        BitBlt(faces.Canvas()->Handle(), kCellWidth * (k - 1), 0, kCellWidth, kCellHeight, dc, 0, 0, SRCCOPY);
    }

    button.Style = 2;
    button.Margins = edge.Margins;
    button.Margins.Left = 2;
    button.Margins.Right = buttonWidth + 2;
    button.Image.Assign(faces);

    MirrorBitmap(faces);
    edge.Image.Assign(faces);
    edge.Margins.Left = buttonWidth + 2;
    edge.Margins.Right = 2;
}
