// TRadioButton: a radio button (the system button with the auto radio style). Buttons
// with the same parent form one group: checking one clears the others. A click by mouse,
// space, arrow keys or accelerator checks it and fires OnClick; setting Checked in code
// fires nothing.
#pragma once
#include "framework/CheckBox.h"

class TRadioButton : public TWinControl {
    KIVORA_CLASS(TRadioButton, TWinControl)
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    // Clears the other radio buttons of the parent.
    void UncheckSiblings();
    TBrush FBackground;
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};
