#include "skin/engine/controls/CheckMarks.h"

#include <algorithm>

int CheckFrameIndex(const TCheckLook& look, int frameCount)
{
    int index = look.Checked ? 2 : 1;
    if (look.Disabled)
        index += 2;
    if (look.Indeterminate)
        index = 4;
    if (frameCount == 12) {
        if (look.Indeterminate)
            return look.Disabled ? 12 : 9;
        static const int twelve[] = {0, 1, 5, 4, 8};
        index = twelve[index];
    }
    // Never a frame the strip does not have.
    return std::clamp(index, 1, std::max(frameCount, 1));
}

int RadioFrameIndex(bool checked, bool disabled, int frameCount)
{
    int index = (checked ? 2 : 1) + (disabled ? 2 : 0);
    if (frameCount == 8) {
        static const int eight[] = {0, 1, 5, 4, 8};
        index = eight[index];
    }
    return std::clamp(index, 1, std::max(frameCount, 1));
}

TMarkPlace PlaceMark(const RECT& r, int fw, int h, bool boxRight, bool radio)
{
    TMarkPlace p;
    const int top = r.top + (r.bottom - r.top - h) / 2;
    int left;
    if (!boxRight) {
        if (radio)
            left = fw > 14 ? r.left : r.left + (14 - fw) / 2;
        else
            left = fw > 14 ? r.left + 2 : r.left + (14 - fw) / 2 + 1;
        p.Fill = {r.left, r.top, r.left + 16, r.bottom};
    } else {
        int right;
        if (radio)
            right = fw > 14 ? r.right - 1 : r.right - (14 - fw) / 2;
        else
            right = fw > 15 ? r.right - 1 : r.right - (15 - fw) / 2;
        left = right - fw;
        p.Fill = {r.right - 18, r.top, r.right, r.bottom};
    }
    p.Mark = {left, top, left + fw, top + h};
    return p;
}
