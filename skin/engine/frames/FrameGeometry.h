// The arithmetic of a skinned frame, apart from any window so that it can be checked by
// tables: what kind of border a window has, how thick the skinned frame is, where the
// client area goes, what a point of the frame means, whether a title-bar button shows and
// where it sits. Window coordinates have their origin at the window's top-left corner.
#pragma once

#include "skin/SkinElementRecords.h"

#include <windows.h>

#include <functional>

enum TBorderKind { bkSizeable = 0, bkFixed = 1, bkNone = 2, bkDialog = 3 };

// From the window's style: a popup without the whole caption has no border; a thick
// frame is sizeable; a modal dialog frame (style or extended style) or a dialog class is
// a dialog border; anything else is fixed.
TBorderKind BorderKindOf(LONG_PTR style, LONG_PTR exStyle, bool isDialogClass);

struct TFrameThickness {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TFrameThickness&) const = default;
};

// The skinned frame's thickness: the border pictures' sizes, one state frame each (top and
// bottom stack their frames, left and right lay them side by side); none without a border.
TFrameThickness FrameThicknessOf(const TSkinElements& skin, TBorderKind kind);

// The client rectangle inside a window rectangle (both in the same coordinates).
RECT SkinnedClientRect(const RECT& window, const TFrameThickness& frame, int menuHeight);

// Refines the platform's answer for a point of the frame (window coordinates) of a window
// `width` wide: only "nowhere" and "caption" answers change, so sizing borders and the
// client stay. The title strip below the top 3 pixels is the caption; the menu bar's strip
// is HTMENU, only when there is a menu bar; the rest of the frame keeps the answer.
LRESULT RefineHitTest(LRESULT platformAnswer, POINT point, int width, const TFrameThickness& frame, int menuHeight);

// What a title-bar button's visibility codes are judged against.
struct TButtonContext {
    bool Maximized = false;
    bool Active = true;
    bool HasMaximize = false, HasMinimize = false, HasSystemMenu = false;
    bool MdiMenuButtons = false;  // an MDI frame showing a maximized child's buttons on its menu bar
    bool IsDialogClass = false;
    TBorderKind BorderKind = bkSizeable;
    // The window's answer to WM_SKINBUTTONVISIBLE for this button (codes 1000 to 2000).
    std::function<bool()> ApplicationSaysVisible;
};

// Whether a button with this action and these two visibility codes is shown.
bool TitleButtonVisible(int action, int visibility, int visibility1, const TButtonContext& context);

// Where a button's picture of width x height sits, by its alignment and offsets.
struct TButtonPlace {
    int Align = 0, X = 0, Y = 0;
};
struct TTitleLayout {
    int PaintWidth = 0;   // the window's width
    RECT TitleText{};     // where the caption text was drawn
    TFrameThickness Frame;
    int MenuHeight = 0;
    int MenuBarLeftMargin = -1;  // the skin's menu-bar left margin, -1 without a menu-bar picture
    bool RightToLeft = false;
};
RECT PlaceTitleButton(const TButtonPlace& place, int width, int height, const TTitleLayout& layout);
