// TSkinSizer: a raw scroll-bar window (a dialog's size grip) is covered with the skin's
// face colour after each of its own paints.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinSizer : public TSkinControl {
    KIVORA_CLASS(TSkinSizer, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    void DrawSkin(HDC dc, const RECT& rect) override { FillFace(dc, rect); }
};
