// TSkinRadioButton: radio buttons (framework TRadioButton, raw radio buttons) paint
// themselves and the skin then draws its radio mark over the native one.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinRadioButton : public TSkinControl {
    KIVORA_CLASS(TSkinRadioButton, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    void AfterMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
};
