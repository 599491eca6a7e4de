// TSkinProgress: progress bars painted wholly from the skin's progress picture instead of
// the control: a background (frame 1) with the filled part (frame 2) stretched over it by
// the position, or, in the chunk style, a row of chunk pictures over the whole picture.
// A vertical bar is composed lying down and turned, so it fills from the bottom. Without
// the picture the control paints itself.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinProgress : public TSkinControl {
    KIVORA_CLASS(TSkinProgress, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    // The filled length of a bar length pixels long at position of the range.
    static int FilledLength(int length, int position, int low, int high);

protected:
    bool BeforeMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    void DrawChunks(HDC dc, const RECT& rect);
};
