// TCheckBox: a check box (the system button with the auto check-box style). State is
// unchecked, checked or grayed (grayed only by code, or by a click when AllowGrayed);
// Checked reads and sets the checked state. A click by mouse, space or accelerator
// changes the state and fires OnClick; setting State or Checked in code fires nothing.
#pragma once
#include "framework/Alignment.h"
#include "framework/Canvas.h"
#include "framework/WinControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
KIVORA_ENUM_NAMES(TCheckBoxState, L"cbUnchecked", L"cbChecked", L"cbGrayed")


// A check box's or radio button's answer to its reflected colour message: the parent's
// colour behind its box and caption.
LRESULT ParentColorBackground(const TControl& control, HDC dc, TBrush& brush);
// CM_DIALOGCHAR for a check box or radio button: its accelerator focuses and clicks it
// (the state moves on and OnClick fires); the answer says whether it was its key.
LRESULT ClickByAccelerator(TWinControl& control, WPARAM key);
// Puts the box of a check box's or radio button's window on the caption's right
// (taLeftJustify) or left.
void SetBoxSide(TWinControl& control, TAlignment alignment);

class TCheckBox : public TWinControl {
    KIVORA_CLASS(TCheckBox, TWinControl)
public:
    explicit TCheckBox(TComponent* owner);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool allow);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    TBrush FBackground;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};
