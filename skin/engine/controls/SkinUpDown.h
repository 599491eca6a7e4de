// TSkinUpDown: up-down (spin) controls painted wholly by the skin: two halves, each from
// the skin's up-down picture (eight frames: the first button normal, pressed, disabled,
// hot, then the second) with its glyph, or without the picture as plain buttons with
// line-drawn arrows. The control keeps its own pressing, auto-repeat and positions; a
// press and a release repaint at once. A spin control inside an edit is drawn one pixel
// in, leaving the edit's frame.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinUpDown : public TSkinControl {
    KIVORA_CLASS(TSkinUpDown, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    bool InsideEdit = false;

    // Arrows: 0 up, 1 down, 2 left, 3 right. States: 1 normal, 2 pressed, 3 disabled, 4 hot.
    // The state of each half of a control whose client area is client, pressed or not,
    // with the cursor at cursor (client coordinates).
    static void HalfStates(const RECT& client, bool horizontal, bool enabled, bool pressed, POINT cursor, int states[2]);

protected:
    bool BeforeMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    void EraseBackground(TSkinMessage& message);
    void DrawArrowSkin(HDC dc, const RECT& part, int arrow, int state);
    void DrawArrowPlain(HDC dc, const RECT& part, int arrow, int state);
};

// The spin control among edit's child windows gets a skinning object (inside the edit),
// unless it has one; the object is found again through the form's list whenever needed.
void SkinSpinInsideEdit(HWND edit, TComponent* owner, TSkinData& skin, TControlAttachment& form);
