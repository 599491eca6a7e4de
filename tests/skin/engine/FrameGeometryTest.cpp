// The frame's arithmetic: border kinds from window styles, frame thickness from a crafted
// skin, the client rectangle, hit tests, title-bar button visibility and placement.
#include "skin/engine/frames/FrameGeometry.h"

#include "CraftedSkin.h"

#include <gtest/gtest.h>

TEST(FrameGeometry, BorderKindFromStyles)
{
    struct TCase {
        LONG_PTR Style, ExStyle;
        bool DialogClass;
        TBorderKind Kind;
    };
    const TCase cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, false, bkSizeable},
        {WS_CAPTION | WS_SYSMENU, 0, false, bkFixed},
        {WS_POPUP | WS_BORDER, 0, false, bkNone},                       // popup without the whole caption
        {WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, false, bkFixed},
        {WS_CAPTION | DS_MODALFRAME, 0, false, bkDialog},
        {WS_CAPTION | WS_THICKFRAME, WS_EX_DLGMODALFRAME, false, bkDialog},  // the extended style wins
        {WS_POPUP | WS_CAPTION, 0, true, bkDialog},                    // a message box
    };
    for (const TCase& c : cases)
        EXPECT_EQ(BorderKindOf(c.Style, c.ExStyle, c.DialogClass), c.Kind) << std::hex << c.Style << " " << c.ExStyle;
}

TEST(FrameGeometry, ThicknessComesFromOneStateFrameOfEachBorderPicture)
{
    TSkinData skin(nullptr);
    crafted::TSkinPlan plan;
    plan.Left = 3, plan.Top = 26, plan.Right = 7, plan.Bottom = 9;
    ASSERT_TRUE(skin.LoadSkinFromBytes(crafted::Pack(plan)));
    EXPECT_EQ(FrameThicknessOf(skin.Elements(), bkFixed), (TFrameThickness{3, 26, 7, 9}));
    EXPECT_EQ(FrameThicknessOf(skin.Elements(), bkNone), TFrameThickness{});

    const RECT client = SkinnedClientRect({100, 50, 300, 250}, {3, 26, 7, 9}, 0);
    EXPECT_EQ(client.left, 103);
    EXPECT_EQ(client.top, 76);
    EXPECT_EQ(client.right, 293);
    EXPECT_EQ(client.bottom, 241);
    // A window smaller than its frame gets an empty client area, not an inverted one.
    const RECT tiny = SkinnedClientRect({0, 0, 5, 20}, {3, 26, 7, 9}, 0);
    EXPECT_EQ(tiny.right, tiny.left);
    EXPECT_EQ(tiny.bottom, tiny.top);
}

TEST(FrameGeometry, HitTestRefinesOnlyNowhereAndCaption)
{
    const TFrameThickness frame{4, 30, 4, 4};
    struct TCase {
        LRESULT Platform;
        POINT At;
        int MenuHeight;
        LRESULT Expected;
    };
    const TCase cases[] = {
        {HTNOWHERE, {100, 2}, 0, HTNOWHERE},   // the top 3 pixels keep the platform's answer
        {HTTOP, {100, 2}, 0, HTTOP},           // a sizing edge stays
        {HTNOWHERE, {100, 4}, 0, HTCAPTION},
        {HTCAPTION, {100, 30}, 0, HTCAPTION},  // the title strip's last row
        {HTNOWHERE, {100, 31}, 20, HTMENU},    // the menu bar's strip
        {HTNOWHERE, {100, 50}, 20, HTMENU},
        {HTNOWHERE, {100, 51}, 20, HTNOWHERE},  // below the menu bar
        {HTNOWHERE, {1, 200}, 0, HTNOWHERE},   // a side border without a menu bar is no menu
        {HTNOWHERE, {1, 40}, 20, HTNOWHERE},   // beside the menu bar, on the border
        {HTLEFT, {1, 200}, 0, HTLEFT},
        {HTCLIENT, {100, 200}, 0, HTCLIENT},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(RefineHitTest(c.Platform, c.At, 400, frame, c.MenuHeight), c.Expected)
            << "at " << c.At.x << "," << c.At.y << " platform " << c.Platform;
}

TEST(FrameGeometry, TitleButtonVisibility)
{
    TButtonContext normal;
    normal.HasMaximize = normal.HasMinimize = normal.HasSystemMenu = true;
    TButtonContext maximized = normal;
    maximized.Maximized = true;
    TButtonContext noSystemMenu = normal;
    noSystemMenu.HasSystemMenu = false;
    TButtonContext dialogBorder = normal;
    dialogBorder.BorderKind = bkDialog;
    TButtonContext inactive = normal;
    inactive.Active = false;
    TButtonContext askedYes = normal;
    askedYes.ApplicationSaysVisible = [] { return true; };
    TButtonContext askedNo = normal;
    askedNo.ApplicationSaysVisible = [] { return false; };
    TButtonContext fixedNoBoxes;
    fixedNoBoxes.HasSystemMenu = true;

    struct TCase {
        const char* What;
        int Action, Visibility, Visibility1;
        const TButtonContext& Context;
        bool Visible;
    };
    const TCase cases[] = {
        {"maximize picture, normal window", 1, 2, 0, normal, true},
        {"restore picture, normal window", 1, 1, 0, normal, false},
        {"maximize picture, maximized window", 1, 2, 0, maximized, false},
        {"restore picture, maximized window", 1, 1, 0, maximized, true},
        {"close with a system menu", 0, 0, 0, normal, true},
        {"close without a system menu", 0, 0, 0, noSystemMenu, false},
        {"maximize on a window without the box", 1, 0, 0, fixedNoBoxes, false},
        {"minimize on a window without the box", 2, 0, 0, fixedNoBoxes, false},
        {"window menu on a dialog border", 3, 0, 0, dialogBorder, false},
        {"window menu on a normal window", 3, 0, 0, normal, true},
        {"only while active, inactive", 5000, 3, 0, inactive, false},
        {"only while inactive, inactive", 5000, 4, 0, inactive, true},
        {"never", 5000, 5, 0, normal, false},
        {"application says yes", 1500, 1500, 0, askedYes, true},
        {"application says no", 1500, 1500, 0, askedNo, false},
        {"Visibility1 200 on a plain dialog border", 5000, 0, 200, dialogBorder, true},
        {"Visibility1 200 on a normal window", 5000, 0, 200, normal, false},
        {"unknown code", 5000, 3000, 0, normal, false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TitleButtonVisible(c.Action, c.Visibility, c.Visibility1, c.Context), c.Visible) << c.What;
}

TEST(FrameGeometry, TitleButtonPlacement)
{
    TTitleLayout layout;
    layout.PaintWidth = 500;
    layout.TitleText = {60, 0, 200, 30};
    layout.Frame = {4, 30, 5, 4};
    layout.MenuHeight = 20;
    struct TCase {
        int Align, X, Y;
        bool RightToLeft;
        int MenuMargin;
        RECT Expected;
    };
    const TCase cases[] = {
        {0, 10, 7, false, -1, {10, 7, 26, 21}},
        {1, 69, 5, false, -1, {431, 5, 447, 19}},    // measured from the right edge
        {2, 3, 5, false, -1, {41, 5, 57, 19}},       // left of the caption
        {8, 3, 5, false, -1, {41, 5, 57, 19}},
        {3, 3, 5, false, -1, {203, 5, 219, 19}},     // right of the caption
        {100, 20, 0, false, -1, {475, 33, 491, 47}},  // on the menu bar, centred in it
        {100, 20, 0, false, 6, {469, 33, 485, 47}},
        {100, 20, 0, true, 6, {30, 33, 46, 47}},
        {42, 20, 9, false, -1, {0, 0, 16, 14}},
    };
    for (const TCase& c : cases) {
        layout.RightToLeft = c.RightToLeft;
        layout.MenuBarLeftMargin = c.MenuMargin;
        const RECT r = PlaceTitleButton({c.Align, c.X, c.Y}, 16, 14, layout);
        EXPECT_TRUE(EqualRect(&r, &c.Expected)) << "align " << c.Align << ": " << r.left << "," << r.top << ","
                                                << r.right << "," << r.bottom;
    }
}
