#include "tools/skin-gallery/GalleryArt.h"

std::unique_ptr<TBitmap> DiscPicture(int size, TColor color)
{
    auto picture = std::make_unique<TBitmap>(size, size, pf24bit);
    const COLORREF rgb = ColorToRGB(color);
    const double r = size / 2.0 - 1, c = size / 2.0 - 0.5;
    for (int y = 0; y < size; ++y) {
        std::uint8_t* p = picture->ScanLine(y);
        for (int x = 0; x < size; ++x, p += 3) {
            const double dx = x - c, dy = y - c, d = dx * dx + dy * dy;
            if (d > r * r) {
                p[0] = 255, p[1] = 0, p[2] = 255;  // magenta: left out
                continue;
            }
            // Lighter towards the upper left, as lit from there.
            const double light = 1.0 - ((dx + dy) / (2 * r) + 1) / 4;
            const auto shade = [&](int v) { return static_cast<std::uint8_t>(std::min(255.0, v * 0.6 + 255 * 0.4 * light)); };
            p[0] = shade(GetBValue(rgb));
            p[1] = shade(GetGValue(rgb));
            p[2] = shade(GetRValue(rgb));
        }
    }
    return picture;
}
