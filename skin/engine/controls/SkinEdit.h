// TSkinEdit: edits (framework TEdit, raw edit windows) keep their own painting; the skin
// draws a thin two-colour frame (shadow outside, white inside) over their sunken border
// after each paint. An edit without a border is left alone.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinEdit : public TSkinControl {
    KIVORA_CLASS(TSkinEdit, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    void AfterMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    // WM_PRINT: the frame only, onto the given DC (or the window's).
    void PrintFrame(HDC dc);
};
