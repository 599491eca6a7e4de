#include "skin/BitmapTransforms.h"

#include "framework/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr int kPixel = 3;  // bytes of a 24-bit pixel

void Ensure24Bit(TBitmap& bitmap)
{
    bitmap.SetPixelFormat(pf24bit);
}

// Moves every pixel of the picture to place(x, y) in a picture of newWidth x newHeight.
template <class TPlace>
void Remap(TBitmap& bitmap, int newWidth, int newHeight, TPlace place)
{
    Ensure24Bit(bitmap);
    if (bitmap.Empty())
        return;
    TBitmap old;
    old.Assign(bitmap);
    bitmap.SetSize(newWidth, newHeight);
    for (int y = 0; y < old.Height(); ++y) {
        const std::uint8_t* from = old.ScanLine(y);
        for (int x = 0; x < old.Width(); ++x) {
            const auto [nx, ny] = place(x, y);
            std::memcpy(bitmap.ScanLine(ny) + nx * kPixel, from + x * kPixel, kPixel);
        }
    }
}

}  // namespace

void GrayBitmap(TBitmap& bitmap)
{
    Ensure24Bit(bitmap);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += kPixel)
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
    }
}

void MirrorBitmap(TBitmap& bitmap)
{
    Ensure24Bit(bitmap);
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width / 2; ++x)
            std::swap_ranges(row + x * kPixel, row + (x + 1) * kPixel, row + (width - 1 - x) * kPixel);
    }
}

void FlipBitmap(TBitmap& bitmap)
{
    Ensure24Bit(bitmap);
    const int height = bitmap.Height();
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * kPixel;
    for (int y = 0; y < height / 2; ++y)
        std::swap_ranges(bitmap.ScanLine(y), bitmap.ScanLine(y) + rowBytes, bitmap.ScanLine(height - 1 - y));
}

void RotateBitmapLeft(TBitmap& bitmap)
{
    const int width = bitmap.Width();
    Remap(bitmap, bitmap.Height(), width, [width](int x, int y) { return std::make_pair(y, width - 1 - x); });
}

void RotateBitmapRight(TBitmap& bitmap)
{
    const int height = bitmap.Height();
    Remap(bitmap, height, bitmap.Width(), [height](int x, int y) { return std::make_pair(height - 1 - y, x); });
}
