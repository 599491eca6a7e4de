// TSkinSpeedButton: windowless speed buttons (framework TSpeedButton; Skin3rd kind
// "speedbutton"), painted into the device context their parent hands them. A flat button
// at rest shows only the face colour; a button that is Down shows the pressed frame. The
// press and the click stay the control's own.
#pragma once

#include "skin/engine/controls/SkinBitButton.h"

class TSkinSpeedButton : public TSkinBitButton {
    KIVORA_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    using TSkinBitButton::TSkinBitButton;
    ~TSkinSpeedButton() override;
    // Attaches to the owner, a control without a window.
    void AttachGraphic(TControlAttachment& form, TSkinData& skin);
    void PaintNow(HDC dc) override;

    static int SpeedFrame(bool down, bool enabled, int mouseState);

protected:
    bool BeforeMessage(TSkinMessage& message) override;
    void AfterMessage(TSkinMessage& message) override;
    void PaintSpeedButton(HDC dc, const RECT& rect);
};
