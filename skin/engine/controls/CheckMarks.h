// Where and which frame of the skin's check-box and radio marks a check box or radio
// button shows. A four-frame check strip reads 1 unchecked, 2 checked, 3 unchecked
// disabled, 4 checked disabled or indeterminate; a twelve-frame strip holds four frames
// each (the fourth disabled) for unchecked, checked and indeterminate. A radio strip has
// four frames, or eight (four each for unchecked and checked).
#pragma once

#include <windows.h>

struct TCheckLook {
    bool Checked = false;
    bool Indeterminate = false;
    bool Disabled = false;
};

int CheckFrameIndex(const TCheckLook& look, int frameCount);
int RadioFrameIndex(bool checked, bool disabled, int frameCount);

struct TMarkPlace {
    RECT Mark{};  // where the mark goes (its own size)
    RECT Fill{};  // the native box's area, filled first
};

// The mark of markWidth x markHeight in the control's rectangle r, the box at the left or
// (BS_LEFTTEXT) at the right.
TMarkPlace PlaceMark(const RECT& r, int markWidth, int markHeight, bool boxRight, bool radio);
