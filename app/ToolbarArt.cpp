#include "app/ToolbarArt.h"

namespace {

// A picture on a transparent ground with a rounded, tinted plate.
std::unique_ptr<TBitmap> Plate(int width, int height, TColor plate)
{
    auto bitmap = std::make_unique<TBitmap>(width, height, pf24bit);
    HDC dc = bitmap->Canvas()->Handle();
    TGdiHandle<HBRUSH> ground(CreateSolidBrush(RGB(255, 0, 255)));
    RECT all{0, 0, width, height};
    FillRect(dc, &all, ground.get());
    TGdiHandle<HBRUSH> fill(CreateSolidBrush(plate));
    TGdiHandle<HPEN> edge(CreatePen(PS_SOLID, 1, RGB(60, 70, 90)));
    TSelectObject brush(dc, fill.get()), pen(dc, edge.get());
    RoundRect(dc, 1, 1, width - 1, height - 1, 10, 10);
    return bitmap;
}

void Shape(HDC dc, TColor colour, auto draw)
{
    TGdiHandle<HBRUSH> fill(CreateSolidBrush(colour));
    TGdiHandle<HPEN> edge(CreatePen(PS_SOLID, 1, colour));
    TSelectObject brush(dc, fill.get()), pen(dc, edge.get());
    draw();
}

} // namespace

std::unique_ptr<TBitmap> ToolbarPicture(int index)
{
    auto bitmap = Plate(47, 37, RGB(232, 238, 246));
    HDC dc = bitmap->Canvas()->Handle();
    const TColor accent = RGB(40, 110, 200), dark = RGB(50, 60, 80), red = RGB(210, 50, 50);
    switch (index) {
    case 0:  // preview: a camera body with its lens
        Shape(dc, dark, [&] { RoundRect(dc, 9, 10, 33, 28, 5, 5); });
        Shape(dc, dark, [&] { POINT p[] = {{33, 15}, {40, 11}, {40, 27}, {33, 23}}; Polygon(dc, p, 4); });
        Shape(dc, accent, [&] { Ellipse(dc, 15, 13, 27, 25); });
        break;
    case 1:  // snapshot: a still camera
        Shape(dc, dark, [&] { RoundRect(dc, 9, 12, 38, 30, 5, 5); Rectangle(dc, 17, 8, 28, 13); });
        Shape(dc, RGB(250, 250, 250), [&] { Ellipse(dc, 16, 14, 31, 29); });
        Shape(dc, accent, [&] { Ellipse(dc, 19, 17, 28, 26); });
        break;
    case 2:  // record: a red dot in a ring
        Shape(dc, dark, [&] { Ellipse(dc, 11, 6, 36, 31); });
        Shape(dc, red, [&] { Ellipse(dc, 15, 10, 32, 27); });
        break;
    case 3:  // settings: a cog
        Shape(dc, dark, [&] {
            for (int i = 0; i < 8; ++i) {
                static const int dx[] = {0, 7, 10, 7, 0, -7, -10, -7}, dy[] = {-10, -7, 0, 7, 10, 7, 0, -7};
                Ellipse(dc, 23 + dx[i] - 3, 18 + dy[i] - 3, 23 + dx[i] + 4, 18 + dy[i] + 4);
            }
            Ellipse(dc, 14, 9, 33, 28);
        });
        Shape(dc, RGB(232, 238, 246), [&] { Ellipse(dc, 19, 14, 28, 23); });
        break;
    default:  // about: an "i" in a circle
        Shape(dc, accent, [&] { Ellipse(dc, 11, 6, 36, 31); });
        Shape(dc, RGB(255, 255, 255), [&] { Ellipse(dc, 21, 10, 26, 15); Rectangle(dc, 21, 17, 26, 27); });
        break;
    }
    return bitmap;
}

std::unique_ptr<TBitmap> PlaybackPicture(int index)
{
    auto bitmap = Plate(16, 16, RGB(232, 238, 246));
    HDC dc = bitmap->Canvas()->Handle();
    const TColor dark = RGB(50, 60, 80);
    if (index == 3)  // play
        Shape(dc, RGB(40, 150, 70), [&] { POINT p[] = {{5, 3}, {12, 8}, {5, 13}}; Polygon(dc, p, 3); });
    else if (index == 4)  // stop
        Shape(dc, dark, [&] { Rectangle(dc, 4, 4, 12, 12); });
    else  // the other pictures of the list: a small dot
        Shape(dc, dark, [&] { Ellipse(dc, 6, 6, 10, 10); });
    return bitmap;
}

std::unique_ptr<TBitmap> DisabledPicture(const TBitmap& picture)
{
    auto bitmap = std::make_unique<TBitmap>(picture.Width(), picture.Height(), pf24bit);
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* from = picture.ScanLine(y);
        uint8_t* to = bitmap->ScanLine(y);
        for (int x = 0; x < picture.Width() * 3; x += 3) {
            const uint8_t b = from[x], g = from[x + 1], r = from[x + 2];
            if (r == 255 && g == 0 && b == 255) {  // the transparent ground stays
                to[x] = b, to[x + 1] = g, to[x + 2] = r;
                continue;
            }
            // Grey of the same lightness, pressed towards a light grey.
            const int grey = 150 + (r * 30 + g * 59 + b * 11) / 100 * 2 / 5;
            to[x] = to[x + 1] = to[x + 2] = static_cast<uint8_t>(grey);
        }
    }
    return bitmap;
}
