// TSkinGroupBox: a group box keeps its own painting; the skin then covers its etched frame
// in the face colour and draws a thin rounded frame in the shadow colour, half a text
// line down, with the caption over its top line at x = 9.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinGroupBox : public TSkinControl {
    KIVORA_CLASS(TSkinGroupBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    // The height of text in the font selected into dc.
    static int CharHeight(HDC dc, const std::wstring& text);

protected:
    void DrawSkin(HDC dc, const RECT& rect) override;
};
