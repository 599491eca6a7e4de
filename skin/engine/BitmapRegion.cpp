#include "skin/engine/BitmapRegion.h"

#include "framework/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// ExtCreateRegion is handed at most this many rectangles at a time: the platform builds
// regions from big blocks slowly, and a union of a few blocks is quicker.
constexpr std::size_t kRectsPerRegion = 2000;

class TRegionBuilder {
public:
    void Add(const RECT& r)
    {
        FRects.push_back(r);
        if (FRects.size() == kRectsPerRegion)
            Flush();
    }
    TCountedGdi<HRGN> Finish()
    {
        Flush();
        if (!FResult)
            FResult.reset(CreateRectRgn(0, 0, 0, 0));
        return std::move(FResult);
    }

private:
    void Flush()
    {
        if (FRects.empty())
            return;
        // The header and the rectangles in one block, as ExtCreateRegion reads them.
        std::vector<std::uint8_t> block(sizeof(RGNDATAHEADER) + FRects.size() * sizeof(RECT));
        auto* header = reinterpret_cast<RGNDATAHEADER*>(block.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(FRects.size());
        header->nRgnSize = static_cast<DWORD>(FRects.size() * sizeof(RECT));
        RECT bounds = FRects.front();
        for (const RECT& r : FRects) {
            bounds.left = std::min(bounds.left, r.left);
            bounds.top = std::min(bounds.top, r.top);
            bounds.right = std::max(bounds.right, r.right);
            bounds.bottom = std::max(bounds.bottom, r.bottom);
        }
        header->rcBound = bounds;
        std::copy(FRects.begin(), FRects.end(), reinterpret_cast<RECT*>(block.data() + sizeof(RGNDATAHEADER)));
        TCountedGdi<HRGN> part(ExtCreateRegion(nullptr, static_cast<DWORD>(block.size()),
                                               reinterpret_cast<const RGNDATA*>(block.data())));
        FRects.clear();
        if (!part)
            return;
        if (!FResult)
            FResult = std::move(part);
        else
            CombineRgn(FResult.get(), FResult.get(), part.get(), RGN_OR);
    }

    std::vector<RECT> FRects;
    TCountedGdi<HRGN> FResult;
};

bool InRange(int value, int low, int tolerance)
{
    return value >= low && value <= std::min(255, low + tolerance);
}

}  // namespace

TCountedGdi<HRGN> RegionFromBitmap(const TBitmap& bitmap, int x, int y, COLORREF color,
                                   const TColorTolerance& tolerance)
{
    GdiFlush();  // drawing into the bitmap may still be queued
    TRegionBuilder builder;
    const int bytes = bitmap.BitsPerPixel() / 8;
    const int red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
    for (int row = 0; row < bitmap.Height(); ++row) {
        const std::uint8_t* p = bitmap.ScanLine(row);
        int runStart = -1;
        for (int col = 0; col <= bitmap.Width(); ++col) {
            bool opaque = false;
            if (col < bitmap.Width()) {
                const std::uint8_t* px = p + static_cast<std::size_t>(col) * bytes;  // blue, green, red
                opaque = !(InRange(px[2], red, tolerance.Red) && InRange(px[1], green, tolerance.Green) &&
                           InRange(px[0], blue, tolerance.Blue));
            }
            if (opaque && runStart < 0)
                runStart = col;
            else if (!opaque && runStart >= 0) {
                builder.Add({runStart + x, row + y, col + x, row + y + 1});
                runStart = -1;
            }
        }
    }
    return builder.Finish();
}
