// The five bitmap transforms on small numbered pictures.
#include "skin/BitmapTransforms.h"
#include "SkinPixels.h"

#include <gtest/gtest.h>

namespace {

using TTransform = void (*)(TBitmap&);

struct TNamedTransform {
    const char* Name;
    TTransform Apply;
};

const TNamedTransform kTransforms[] = {{"Gray", GrayBitmap},
                                       {"Mirror", MirrorBitmap},
                                       {"Flip", FlipBitmap},
                                       {"RotateLeft", RotateBitmapLeft},
                                       {"RotateRight", RotateBitmapRight}};

bool SamePixels(TBitmap& a, TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (!(PixelAt(a, x, y) == PixelAt(b, x, y)))
                return false;
    return true;
}

}  // namespace

TEST(BitmapTransforms, WherePixelsGo)
{
    // 3 x 2: pixel (x, y) holds blue x, green y.
    const struct {
        TTransform Apply;
        int Width, Height;
        // The old pixel that lands at new (x, y).
        std::pair<int, int> (*Source)(int x, int y);
    } cases[] = {
        {MirrorBitmap, 3, 2, [](int x, int y) { return std::make_pair(2 - x, y); }},
        {FlipBitmap, 3, 2, [](int x, int y) { return std::make_pair(x, 1 - y); }},
        // Left: old (x, y) -> (y, 2 - x), so new (x, y) comes from old (2 - y, x).
        {RotateBitmapLeft, 2, 3, [](int x, int y) { return std::make_pair(2 - y, x); }},
        // Right: old (x, y) -> (1 - y, x), so new (x, y) comes from old (y, 1 - x).
        {RotateBitmapRight, 2, 3, [](int x, int y) { return std::make_pair(y, 1 - x); }},
    };
    for (const auto& c : cases) {
        auto bitmap = NumberedBitmap(3, 2);
        c.Apply(*bitmap);
        ASSERT_EQ(bitmap->Width(), c.Width);
        ASSERT_EQ(bitmap->Height(), c.Height);
        for (int y = 0; y < c.Height; ++y)
            for (int x = 0; x < c.Width; ++x) {
                const auto [sx, sy] = c.Source(x, y);
                EXPECT_EQ(PixelAt(*bitmap, x, y), (TPixel{std::uint8_t(sx), std::uint8_t(sy), 7})) << x << "," << y;
            }
    }
}

TEST(BitmapTransforms, GrayTruncatesAndConvertsTo24Bits)
{
    auto bitmap = NumberedBitmap(2, 1, 0, pf32bit);
    SetPixelAt(*bitmap, 0, 0, {1, 1, 2});     // 4 / 3 -> 1
    SetPixelAt(*bitmap, 1, 0, {255, 255, 254});
    GrayBitmap(*bitmap);
    EXPECT_EQ(bitmap->PixelFormat(), pf24bit);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), (TPixel{1, 1, 1}));
    EXPECT_EQ(PixelAt(*bitmap, 1, 0), (TPixel{254, 254, 254}));
}

TEST(BitmapTransforms, UndoingAndSmallPictures)
{
    auto original = NumberedBitmap(5, 3);
    auto turned = NumberedBitmap(5, 3);
    RotateBitmapLeft(*turned);
    RotateBitmapRight(*turned);
    EXPECT_TRUE(SamePixels(*turned, *original));
    FlipBitmap(*turned);
    FlipBitmap(*turned);
    MirrorBitmap(*turned);
    MirrorBitmap(*turned);
    EXPECT_TRUE(SamePixels(*turned, *original));

    for (const TNamedTransform& t : kTransforms) {
        auto one = NumberedBitmap(1, 1, 200);
        SetPixelAt(*one, 0, 0, {10, 20, 200});
        t.Apply(*one);
        const TPixel expected = t.Apply == GrayBitmap ? TPixel{76, 76, 76} : TPixel{10, 20, 200};
        EXPECT_EQ(PixelAt(*one, 0, 0), expected) << t.Name;

        TBitmap empty;
        t.Apply(empty);
        EXPECT_TRUE(empty.Empty()) << t.Name;

        // A 32-bit picture is converted first, never walked with the wrong pixel size.
        auto wide = NumberedBitmap(4, 2, 7, pf32bit);
        t.Apply(*wide);
        EXPECT_EQ(wide->PixelFormat(), pf24bit) << t.Name;
        EXPECT_EQ(wide->Width() * wide->Height(), 8) << t.Name;
    }
}
