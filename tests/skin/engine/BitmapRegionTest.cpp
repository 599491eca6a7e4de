// A window region from a picture's non-transparent pixels.
#include "skin/engine/BitmapRegion.h"

#include "../SkinPixels.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

std::unique_ptr<TBitmap> Filled(int width, int height, TPixel pixel, TPixelFormat format = pf24bit)
{
    auto bitmap = std::make_unique<TBitmap>(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixelAt(*bitmap, x, y, pixel);
    return bitmap;
}

}  // namespace

TEST(BitmapRegion, LeavesOutTheTransparentColourWithinItsTolerance)
{
    for (const TPixelFormat format : {pf24bit, pf32bit}) {
        auto picture = Filled(6, 3, {10, 20, 30}, format);
        for (int y = 0; y < 3; ++y)
            SetPixelAt(*picture, 0, y, {255, 0, 255});   // left column magenta
        SetPixelAt(*picture, 3, 1, {255, 1, 255});        // within the tolerance: transparent
        SetPixelAt(*picture, 4, 1, {255, 2, 255});        // outside it: opaque
        const TCountedGdi<HRGN> region = RegionFromBitmap(*picture, 100, 50, kMagenta);
        ASSERT_TRUE(region);
        for (int y = 0; y < 3; ++y)
            EXPECT_FALSE(PtInRegion(region.get(), 100, 50 + y)) << "row " << y;
        EXPECT_TRUE(PtInRegion(region.get(), 101, 50));
        EXPECT_FALSE(PtInRegion(region.get(), 103, 51));
        EXPECT_TRUE(PtInRegion(region.get(), 104, 51));
        EXPECT_TRUE(PtInRegion(region.get(), 105, 52));
        EXPECT_FALSE(PtInRegion(region.get(), 106, 52));  // past the picture
        RECT box{};
        GetRgnBox(region.get(), &box);
        EXPECT_EQ(box.left, 101);
        EXPECT_EQ(box.top, 50);
        EXPECT_EQ(box.right, 106);
        EXPECT_EQ(box.bottom, 53);
    }
}

TEST(BitmapRegion, AllTransparentGivesAnEmptyRegion)
{
    auto picture = Filled(8, 8, {255, 0, 255});
    const TCountedGdi<HRGN> region = RegionFromBitmap(*picture, 0, 0, kMagenta);
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
}

TEST(BitmapRegion, ManyRunsAreJoinedAcrossBlocks)
{
    // A checkerboard of 100 x 100 gives 5000 single-pixel runs: more than one block.
    auto picture = Filled(100, 100, {0, 0, 0});
    for (int y = 0; y < 100; ++y)
        for (int x = (y % 2); x < 100; x += 2)
            SetPixelAt(*picture, x, y, {255, 0, 255});
    const long before = EngineGdiObjects();
    {
        const TCountedGdi<HRGN> region = RegionFromBitmap(*picture, 0, 0, kMagenta);
        int inside = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool expected = (x + y) % 2 == 1;
                inside += PtInRegion(region.get(), x, y) ? 1 : 0;
                if (PtInRegion(region.get(), x, y) != expected)
                    ADD_FAILURE() << x << "," << y;
            }
        EXPECT_EQ(inside, 5000);
        EXPECT_EQ(EngineGdiObjects(), before + 1);  // only the result lives on
    }
    EXPECT_EQ(EngineGdiObjects(), before);
}
