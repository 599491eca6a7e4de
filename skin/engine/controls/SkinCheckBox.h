// TSkinCheckBox: check boxes (framework TCheckBox, raw check-box buttons) paint themselves
// — caption, focus rectangle, native box — and the skin then draws its check mark over
// the box, in the frame of the box's state. Clicks and keys are the control's own.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinCheckBox : public TSkinControl {
    KIVORA_CLASS(TSkinCheckBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    void AfterMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

// The messages after which a check box or radio button's own painting (some of it
// straight onto the screen) is covered again by the skin's mark.
bool RepaintsMark(UINT msg);
