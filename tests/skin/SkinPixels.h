// Small bitmaps for the skin tests: pictures whose pixels tell where they came from.
#pragma once

#include "framework/Bitmap.h"

#include <cstdint>
#include <memory>

struct TPixel {
    std::uint8_t B, G, R;
    bool operator==(const TPixel&) const = default;
};

inline TPixel PixelAt(TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.BitsPerPixel() / 8);
    return {p[0], p[1], p[2]};
}

inline void SetPixelAt(TBitmap& bitmap, int x, int y, TPixel pixel)
{
    std::uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.BitsPerPixel() / 8);
    p[0] = pixel.B;
    p[1] = pixel.G;
    p[2] = pixel.R;
}

// A picture whose pixel (x, y) is (blue x, green y, red seed).
inline std::unique_ptr<TBitmap> NumberedBitmap(int width, int height, std::uint8_t seed = 7,
                                               TPixelFormat format = pf24bit)
{
    auto bitmap = std::make_unique<TBitmap>(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixelAt(*bitmap, x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), seed});
    return bitmap;
}
