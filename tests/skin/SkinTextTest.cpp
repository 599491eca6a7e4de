// The text helpers of the skin: ANSI conversions and text drawing.
#include "skin/SkinText.h"

#include "framework/Bitmap.h"

#include <gtest/gtest.h>

TEST(SkinText, ConversionsAndDrawing)
{
    EXPECT_EQ(AnsiToWideText("Kivora skin"), L"Kivora skin");
    EXPECT_EQ(WideToAnsiText(L"Kivora skin"), "Kivora skin");
    EXPECT_EQ(AnsiToWideText(""), L"");
    EXPECT_EQ(WideToAnsiText(L""), "");
    EXPECT_EQ(CopyWideText(L"abcdef", -1), L"abcdef");
    EXPECT_EQ(CopyWideText(L"abcdef", 3), L"abc");
    EXPECT_EQ(CopyWideText(L"abc", 10), L"abc");
    EXPECT_EQ(CopyWideText(L"abc", -5), L"");

    TBitmap surface(100, 40);
    RECT rect = {0, 0, 100, 40};
    EXPECT_GT(DrawSkinText(surface.Canvas()->Handle(), L"Kivora", rect, DT_SINGLELINE | DT_CALCRECT), 0);
    EXPECT_GT(rect.right, 0);
}
