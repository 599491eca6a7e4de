// Frame drawing on numbered pictures: which columns a frame takes, fixed edges, tiling and
// the magenta rule. The combo box faces of a skin are composed with these.
#include "skin/ElementFrame.h"
#include "SkinPixels.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> BlueRow(TBitmap& bitmap, int y = 0)
{
    std::vector<int> row;
    for (int x = 0; x < bitmap.Width(); ++x)
        row.push_back(PixelAt(bitmap, x, y).B);
    return row;
}

}  // namespace

TEST(ElementFrame, FrameColumnsEdgesAndTiles)
{
    // Frame 3 of 4 in a 160-wide strip is columns 80..119.
    auto strip = NumberedBitmap(160, 2);
    auto third = RenderElementFrame(40, 2, *strip, {}, false, {4, 3, false});
    EXPECT_EQ(BlueRow(*third).front(), 80);
    EXPECT_EQ(BlueRow(*third).back(), 119);

    auto picture = NumberedBitmap(5, 1);
    const TSkinMargins edges{1, 0, 1, 0};
    // Stretched centre between fixed edges, tiled centre with a cut last tile, and margins
    // wider than the target dropped (the whole frame stretched).
    EXPECT_EQ(BlueRow(*RenderElementFrame(5, 1, *picture, edges, false, {})), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(BlueRow(*RenderElementFrame(10, 1, *picture, edges, true, {})),
              (std::vector<int>{0, 1, 2, 3, 1, 2, 3, 1, 2, 4}));
    auto narrow = NumberedBitmap(2, 1);
    EXPECT_EQ(BlueRow(*RenderElementFrame(4, 1, *narrow, {3, 0, 3, 0}, false, {})), (std::vector<int>{0, 0, 1, 1}));
    // Stacked frames: frame 2 of 2 is the lower half.
    auto stacked = NumberedBitmap(2, 4);
    auto lower = RenderElementFrame(2, 2, *stacked, {}, false, {2, 2, true});
    EXPECT_EQ(PixelAt(*lower, 0, 0).G, 2);
    EXPECT_EQ(PixelAt(*lower, 0, 1).G, 3);
}

TEST(ElementFrame, MagentaLeavesTheDestination)
{
    TBitmap target(3, 1);
    for (int x = 0; x < 3; ++x)
        SetPixelAt(target, x, 0, {9, 9, 9});
    TBitmap source(3, 1);
    SetPixelAt(source, 0, 0, {255, 0, 255});  // magenta: left out
    SetPixelAt(source, 1, 0, {1, 2, 3});
    SetPixelAt(source, 2, 0, {255, 1, 255});  // close to magenta, but drawn
    DrawTransparent(target.Canvas()->Handle(), {0, 0, 3, 1}, source, kSkinTransparentColor);
    EXPECT_EQ(PixelAt(target, 0, 0), (TPixel{9, 9, 9}));
    EXPECT_EQ(PixelAt(target, 1, 0), (TPixel{1, 2, 3}));
    EXPECT_EQ(PixelAt(target, 2, 0), (TPixel{255, 1, 255}));

    // A frame larger than the rectangle is centred, overhanging it on both sides.
    TBitmap small(2, 1);
    auto big = NumberedBitmap(4, 1);
    DrawCenteredFrame(small.Canvas()->Handle(), {0, 0, 2, 1}, *big, false, 1, 1);
    EXPECT_EQ(BlueRow(small), (std::vector<int>{1, 2}));
}

TEST(ElementFrame, StripSlicesAndEdgesOntoASurface)
{
    // Frame 3 of 4 of a 160-wide strip, stretched into a rectangle of its own width.
    auto strip = NumberedBitmap(160, 2);
    TBitmap target(60, 2);
    DrawStripFrame(target.Canvas()->Handle(), {10, 0, 50, 2}, *strip, false, 4, 3);
    EXPECT_EQ(PixelAt(target, 10, 0).B, 80);
    EXPECT_EQ(PixelAt(target, 49, 0).B, 119);
    EXPECT_EQ(PixelAt(target, 50, 0), (TPixel{255, 255, 255}));  // outside it, untouched

    // Caps of 2 and 1 around a middle of 2 columns repeated across 9 pixels: the last
    // middle piece runs under the right cap, which covers it.
    auto picture = NumberedBitmap(5, 1);
    TBitmap slices(9, 3);
    DrawHorizontalSlices(slices.Canvas()->Handle(), {0, 0, 9, 3}, *picture, false, {1, 1, false}, {2, 0, 1, 0});
    EXPECT_EQ(BlueRow(slices, 2), (std::vector<int>{0, 1, 2, 3, 2, 3, 2, 3, 4}));
    // Caps that leave no middle: only the two caps.
    TBitmap caps(6, 1);
    DrawHorizontalSlices(caps.Canvas()->Handle(), {0, 0, 6, 1}, *picture, false, {1, 1, false}, {3, 0, 2, 0});
    EXPECT_EQ(BlueRow(caps), (std::vector<int>{0, 1, 2, 255, 3, 4}));

    // Edges drawn straight onto the surface leave the centre as it was.
    auto square = NumberedBitmap(6, 6);
    TBitmap edged(12, 12);
    DrawElementEdges(edged.Canvas()->Handle(), {2, 2, 10, 10}, *square, {1, 1, false}, {2, 2, 2, 2});
    EXPECT_EQ(PixelAt(edged, 2, 2), (TPixel{0, 0, 7}));          // top-left corner
    EXPECT_EQ(PixelAt(edged, 9, 9), (TPixel{5, 5, 7}));          // bottom-right corner
    EXPECT_EQ(PixelAt(edged, 6, 6), (TPixel{255, 255, 255}));    // the centre stays
    EXPECT_EQ(PixelAt(edged, 1, 1), (TPixel{255, 255, 255}));    // outside stays
}
