// What parsing Kivora's stored skin must give, for any picture type: the host tests check
// it on picture sizes, the skin component's tests on the loaded bitmaps.
#pragma once

#include "skin/core/SkinElements.h"

#include <gtest/gtest.h>

template <class TPicture>
void ExpectStoredSkinElements(const TSkinElementsOf<TPicture>& e)
{
    auto margins = [](const TSkinMargins& m) { return std::vector<int>{m.Left, m.Top, m.Right, m.Bottom}; };
    auto size = [](const TPicture& p) { return std::make_pair(p.Width(), p.Height()); };

    // Frame borders: the horizontal ones keep their fixed left and right parts in Left/Right.
    EXPECT_EQ(margins(e.BorderTop.Margins), (std::vector<int>{82, 0, 98, 0}));
    EXPECT_EQ(e.BorderTop.FrameCount, 2);
    EXPECT_EQ(e.BorderTop.Tile, 0);
    EXPECT_EQ(e.BorderTop.Trans, 1);  // TopTrans= has no value: the default
    for (const auto* side : {&e.BorderLeft, &e.BorderRight}) {
        EXPECT_EQ(margins(side->Margins), (std::vector<int>{0, 33, 0, 13})) << side->Name;
        EXPECT_EQ(side->FrameCount, 1) << side->Name;
        EXPECT_EQ(side->Trans, 0) << side->Name;
        EXPECT_FALSE(side->Image.Empty()) << side->Name;
    }
    EXPECT_EQ(margins(e.BorderBottom.Margins), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(e.BorderBottom.Trans, 0);

    EXPECT_EQ(e.Title.Margins.Left, 60);
    EXPECT_EQ(e.Title.Margins.Right, 82);
    EXPECT_EQ(e.Title.FontHeight, 16);
    EXPECT_EQ(e.Title.ActiveTextColor, SkinRgb(255, 255, 255));
    EXPECT_EQ(e.Title.InactiveTextColor, SkinRgb(112, 112, 122));
    EXPECT_TRUE(e.Title.Image.Empty());
    EXPECT_EQ(e.Title.FrameCount, 2);

    ASSERT_TRUE(e.MenuBar);
    EXPECT_FALSE(e.MenuBar->Image.Empty());
    EXPECT_EQ(e.MenuBar->Tile, 1);
    EXPECT_EQ(e.MenuBar->Margins.Left, 8);
    EXPECT_EQ(e.MenuBar->Margins.Right, 2);

    // Five title-bar buttons, then the three MDI child buttons cut from corpx_mdib.bmp.
    ASSERT_EQ(e.SysButtons.size(), 8u);
    const int actions[] = {2, 1, 0, 1, 3, 7, 8, 9};
    for (std::size_t i = 0; i < 8; ++i) {
        const auto& b = *e.SysButtons[i];
        EXPECT_EQ(b.Action, actions[i]) << i;
        if (i < 5) {
            EXPECT_EQ(b.Name, "BUTTON" + std::to_string(i));
        }
        if (i < 5 && b.Action != 3) {
            EXPECT_EQ(size(b.Image), std::make_pair(57, 20)) << i;
            EXPECT_EQ(b.FrameCount, 3) << i;
        }
    }
    EXPECT_TRUE(e.SysButtons[4]->Image.Empty());
    EXPECT_EQ(e.SysButtons[4]->FrameCount, 6);
    const int xCoords[] = {57, 38, 19};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto& b = *e.SysButtons[5 + k];
        EXPECT_EQ(size(b.Image), std::make_pair(60, 15)) << k;
        EXPECT_EQ(b.XCoord, xCoords[k]) << k;
        EXPECT_EQ(b.FrameCount, 4) << k;
        EXPECT_EQ(b.Align, 100) << k;
    }

    EXPECT_TRUE(e.Toolbars);  // its section is written [ToolBars]
    ASSERT_TRUE(e.GroupBoxEdge);
    EXPECT_TRUE(e.GroupBoxEdge->Image.Empty());
    // The up-down buttons with their glyphs, and the track-bar thumbs the engine reads
    // (horizontal and vertical); the four pointed thumbs are not used.
    for (const auto* upDown : {&e.UpDownHorz, &e.UpDownVert}) {
        ASSERT_TRUE(*upDown);
        EXPECT_EQ((*upDown)->FrameCount, 8);
        EXPECT_FALSE((*upDown)->Image.Empty());
        EXPECT_FALSE((*upDown)->Image2.Empty());
    }
    for (const auto* thumb : {&e.TrackbarThumbHorz, &e.TrackbarThumbVert}) {
        ASSERT_TRUE(*thumb);
        EXPECT_EQ((*thumb)->FrameCount, 5);
    }
    for (const auto* thumb : {&e.TrackbarThumbLeft, &e.TrackbarThumbRight, &e.TrackbarThumbUp, &e.TrackbarThumbDown})
        EXPECT_FALSE(*thumb);
    ASSERT_TRUE(e.Tabs);
    EXPECT_FALSE(e.Tabs->Image2.Empty()) << "the page border";

    ASSERT_TRUE(e.HorzScrollThumb && e.VertScrollThumb && e.Scrollbar);
    EXPECT_EQ(e.HorzScrollThumb->FrameCount, 4);
    EXPECT_EQ(e.VertScrollThumb->FrameCount, 4);
    EXPECT_EQ(e.Scrollbar->FrameCount, 23);

    EXPECT_EQ(e.ColorButtonFace, SkinRgb(224, 224, 224));
    EXPECT_EQ(e.ColorMenubar, SkinRgb(206, 214, 221));
    EXPECT_EQ(e.SectionColors.size(), 5u);
    for (const TSkinColor c : e.CustomColors)
        EXPECT_EQ(c, 0xFFFFFF);

    EXPECT_EQ(margins(e.Buttons.Margins), (std::vector<int>{5, 5, 5, 5}));
    EXPECT_EQ(e.Buttons.Trans, 1);
    EXPECT_EQ(e.Buttons.FrameCount, 5);
    EXPECT_EQ(size(e.Buttons.CheckImage), std::make_pair(65, 13));
    EXPECT_EQ(size(e.Buttons.RadioImage), std::make_pair(65, 13));
    EXPECT_EQ(e.Buttons.CheckFrameCount, 5);
    EXPECT_EQ(e.Buttons.RadioFrameCount, 5);
}
