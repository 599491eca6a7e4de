#include "skin/ElementFrame.h"

#include "framework/Bitmap.h"

#include <algorithm>

namespace {

// A bitmap's own device context. Drawing from a picture does not change it; the context
// is made on first use and kept by the bitmap, which is why a const picture may lend it.
HDC PictureDC(const TBitmap& bitmap)
{
    return const_cast<TBitmap&>(bitmap).Canvas()->Handle();
}

struct TFrameRect {
    int X, Y, Width, Height;
};

TFrameRect FrameOf(const TBitmap& picture, const TFrameSpec& frame)
{
    const int count = std::max(frame.FrameCount, 1);
    if (frame.Vertical) {
        const int h = picture.Height() / count;
        return {0, h * (frame.Index - 1), picture.Width(), h};
    }
    const int w = picture.Width() / count;
    return {w * (frame.Index - 1), 0, w, picture.Height()};
}

void Stretch(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh)
{
    StretchBlt(dest, x, y, w, h, source, sx, sy, sw, sh, SRCCOPY);
}

// Margins that do not fit the target are dropped for that direction: a too small target is
// stretched as a whole.
TSkinMargins FittedMargins(const TSkinMargins& margins, int width, int height)
{
    TSkinMargins m = margins;
    if (width < m.Left + m.Right)
        m.Left = m.Right = 0;
    if (height < m.Top + m.Bottom)
        m.Top = m.Bottom = 0;
    return m;
}

bool Inverted(const RECT& r)
{
    return r.right < r.left || r.bottom < r.top;
}

}  // namespace

std::unique_ptr<TBitmap> RenderElementFrame(int width, int height, const TBitmap& picture, const TSkinMargins& margins,
                                            bool tile, const TFrameSpec& frame)
{
    auto result = std::make_unique<TBitmap>(std::max(width, 0), std::max(height, 0));
    if (result->Empty() || picture.Empty())
        return result;
    const TFrameRect f = FrameOf(picture, frame);
    HDC dst = result->Canvas()->Handle();
    HDC src = PictureDC(picture);
    SetStretchBltMode(dst, COLORONCOLOR);
    const int W = width, H = height;
    const auto [L, T, R, B] = FittedMargins(margins, W, H);
    const int fx = f.X, fy = f.Y, FW = f.Width, FH = f.Height;

    if (L * T > 0)
        Stretch(dst, 0, 0, L, T, src, fx, fy, L, T);
    if (L * B > 0)
        Stretch(dst, 0, H - B, L, B, src, fx, fy + FH - B, L, B);
    if (R * T > 0)
        Stretch(dst, W - R, 0, R, T, src, fx + FW - R, fy, R, T);
    if (L > 0)
        Stretch(dst, 0, T, L, H - B - T, src, fx, fy + T, L, FH - B - T);
    if (T > 0)
        Stretch(dst, L, 0, W - R - L, T, src, fx + L, fy, FW - R - L, T);
    if (tile) {
        const RECT centre = {L, T, W - R, H - B};
        const RECT source = {fx + L, fy + T, fx + FW - R, fy + FH - B};
        TileBitmap(*result->Canvas(), centre, picture, source);
    } else {
        Stretch(dst, L, T, W - R - L, H - B - T, src, fx + L, fy + T, FW - R - L, FH - B - T);
    }
    // After the centre: a tiled centre may run past its area, and these cover the overrun.
    if (R * B > 0)
        Stretch(dst, W - R, H - B, R, B, src, fx + FW - R, fy + FH - B, R, B);
    if (R > 0)
        Stretch(dst, W - R, T, R, H - B - T, src, fx + FW - R, fy + T, R, FH - B - T);
    if (B > 0)
        Stretch(dst, L, H - B, W - R - L, B, src, fx + L, fy + FH - B, FW - R - L, B);
    return result;
}

void DrawElementFrame(HDC dc, const RECT& rect, const TBitmap& picture, bool tile, bool transparent,
                      const TFrameSpec& frame, const TSkinMargins& margins)
{
    if (Inverted(rect))
        return;
    const auto rendered =
        RenderElementFrame(rect.right - rect.left, rect.bottom - rect.top, picture, margins, tile, frame);
    if (rendered->Empty())
        return;
    if (transparent)
        DrawTransparent(dc, rect, *rendered, kSkinTransparentColor);
    else
        BitBlt(dc, rect.left, rect.top, rendered->Width(), rendered->Height(), PictureDC(*rendered), 0, 0, SRCCOPY);
}

void DrawElementEdges(HDC dc, const RECT& rect, const TBitmap& picture, const TFrameSpec& frame,
                      const TSkinMargins& margins)
{
    if (Inverted(rect) || picture.Empty())
        return;
    const TFrameRect f = FrameOf(picture, frame);
    HDC src = PictureDC(picture);
    SetStretchBltMode(dc, COLORONCOLOR);
    const int x = rect.left, y = rect.top, W = rect.right - rect.left, H = rect.bottom - rect.top;
    const auto [L, T, R, B] = FittedMargins(margins, W, H);
    const int fx = f.X, fy = f.Y, FW = f.Width, FH = f.Height;
    if (L * T > 0)
        Stretch(dc, x, y, L, T, src, fx, fy, L, T);
    if (L * B > 0)
        Stretch(dc, x, y + H - B, L, B, src, fx, fy + FH - B, L, B);
    if (R * T > 0)
        Stretch(dc, x + W - R, y, R, T, src, fx + FW - R, fy, R, T);
    if (L > 0)
        Stretch(dc, x, y + T, L, H - B - T, src, fx, fy + T, L, FH - B - T);
    if (T > 0)
        Stretch(dc, x + L, y, W - R - L, T, src, fx + L, fy, FW - R - L, T);
    if (R * B > 0)
        Stretch(dc, x + W - R, y + H - B, R, B, src, fx + FW - R, fy + FH - B, R, B);
    if (R > 0)
        Stretch(dc, x + W - R, y + T, R, H - B - T, src, fx + FW - R, fy + T, R, FH - B - T);
    if (B > 0)
        Stretch(dc, x + L, y + H - B, W - R - L, B, src, fx + L, fy + FH - B, FW - R - L, B);
}

void DrawStripFrame(HDC dc, const RECT& rect, const TBitmap& picture, bool transparent, int frameCount, int index)
{
    if (Inverted(rect) || picture.Empty())
        return;
    const TFrameRect f = FrameOf(picture, {frameCount, index, false});
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (f.Width <= 0 || f.Height <= 0 || w <= 0 || h <= 0)
        return;
    TBitmap part(w, h);
    SetStretchBltMode(part.Canvas()->Handle(), COLORONCOLOR);
    Stretch(part.Canvas()->Handle(), 0, 0, w, h, PictureDC(picture), f.X, f.Y, f.Width, f.Height);
    if (transparent)
        DrawTransparent(dc, rect, part, kSkinTransparentColor);
    else
        BitBlt(dc, rect.left, rect.top, w, h, PictureDC(part), 0, 0, SRCCOPY);
}

void DrawHorizontalSlices(HDC dc, const RECT& rect, const TBitmap& picture, bool transparent,
                          const TFrameSpec& frame, const TSkinMargins& margins)
{
    if (Inverted(rect) || picture.Empty())
        return;
    const TFrameRect f = FrameOf(picture, frame);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (f.Width <= 0 || f.Height <= 0 || w <= 0 || h <= 0)
        return;
    // Caps wider than the frame would read outside it: keep them inside.
    const int left = std::clamp<int>(margins.Left, 0, f.Width);
    const int right = std::clamp<int>(margins.Right, 0, f.Width - left);
    const int middle = f.Width - left - right;
    TBitmap part(w, h);
    HDC to = part.Canvas()->Handle();
    HDC from = PictureDC(picture);
    SetStretchBltMode(to, COLORONCOLOR);
    if (left > 0)
        Stretch(to, 0, 0, left, h, from, f.X, f.Y, left, f.Height);
    if (middle > 0)
        for (int x = left; x < w - right; x += middle)
            Stretch(to, x, 0, middle, h, from, f.X + left, f.Y, middle, f.Height);
    if (right > 0)
        Stretch(to, w - right, 0, right, h, from, f.X + f.Width - right, f.Y, right, f.Height);
    if (transparent)
        DrawTransparent(dc, rect, part, kSkinTransparentColor);
    else
        BitBlt(dc, rect.left, rect.top, w, h, PictureDC(part), 0, 0, SRCCOPY);
}

void DrawCenteredFrame(HDC dc, const RECT& rect, const TBitmap& picture, bool transparent, int frameCount, int index)
{
    if (Inverted(rect) || picture.Empty())
        return;
    const TFrameRect f = FrameOf(picture, {frameCount, index, false});
    if (f.Width <= 0 || f.Height <= 0)
        return;
    TBitmap part(f.Width, f.Height);
    BitBlt(part.Canvas()->Handle(), 0, 0, f.Width, f.Height, PictureDC(picture), f.X, f.Y, SRCCOPY);
    const int x = rect.left + (rect.right - rect.left - f.Width) / 2;
    const int y = rect.top + (rect.bottom - rect.top - f.Height) / 2;
    const RECT at = {x, y, x + f.Width, y + f.Height};
    if (transparent)
        DrawTransparent(dc, at, part, kSkinTransparentColor);
    else
        BitBlt(dc, x, y, f.Width, f.Height, PictureDC(part), 0, 0, SRCCOPY);
}

void DrawTransparent(HDC dc, const RECT& rect, const TBitmap& bitmap, TColor color)
{
    if (Inverted(rect) || bitmap.Empty())
        return;
    const int w = std::min<int>(rect.right - rect.left, bitmap.Width());
    const int h = std::min<int>(rect.bottom - rect.top, bitmap.Height());
    if (w <= 0 || h <= 0)
        return;
    TransparentBlt(dc, rect.left, rect.top, w, h, PictureDC(bitmap), 0, 0, w, h, static_cast<UINT>(color & 0xFFFFFF));
}

void TileBitmap(TCanvas& canvas, const RECT& dest, const TBitmap& bitmap, const RECT& source)
{
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (sw <= 0 || sh <= 0)
        return;
    TBitmap tile(sw, sh);
    BitBlt(tile.Canvas()->Handle(), 0, 0, sw, sh, PictureDC(bitmap), source.left, source.top, SRCCOPY);
    for (int x = dest.left; x < dest.right; x += sw)
        for (int y = dest.top; y < dest.bottom; y += sh)
            BitBlt(canvas.Handle(), x, y, sw, sh, PictureDC(tile), 0, 0, SRCCOPY);
}
