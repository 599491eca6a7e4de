// TSkinButton: push buttons — framework TButton and raw "button" windows with a push
// style (a message box's buttons). The skin paints the whole button from the skin's
// Buttons picture (frames: 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default)
// with its caption, and makes the mouse click itself: the press never reaches the
// control, and a release over the pressed button clicks it (the framework's Click, or
// BN_CLICKED to a raw button's parent). Keyboard clicks (space, accelerators, Enter) stay
// the control's own.
#pragma once

#include "skin/engine/GdiTally.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "skin/engine/controls/SkinControl.h"

#include <memory>

class TSkinButton : public TSkinControl {
    KIVORA_CLASS(TSkinButton, TSkinControl)
public:
    explicit TSkinButton(TComponent* owner);

    // The frame a push button shows (the frame choice of the state table above).
    static int PushFrame(bool enabled, int mouseState, bool defaultStyle, bool focused);

protected:
    bool BeforeMessage(TSkinMessage& message) override;
    void AfterMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    // Whether the skin has the button picture; without it the control paints itself.
    bool HasButtonPicture() const;
    // The caption (with "||" turned into a line break), centred vertically one pixel above
    // the middle; align DT_CENTER centres it horizontally too.
    void DrawButtonCaption(HDC dc, const RECT& rect, UINT align);
    // Caption colour for a frame: the skin's state colours, grey when disabled.
    COLORREF CaptionColor(int frame, bool enabled, COLORREF normal) const;
    // Sizes FaceBitmap to the rectangle and fills it with the face colour.
    HDC PrepareFace(const RECT& rect);
    void Click();
    void SkinChanged() override;
    std::unique_ptr<TCountedBitmap> FFaceBitmap;
    TElementCache FFrame;
};

// "||" in a caption asks for a line break.
std::wstring CaptionLines(const std::wstring& caption);
