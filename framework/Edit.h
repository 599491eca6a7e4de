// TEdit: a one-line text box (the system edit control); OnChange fires when its text
// changes.
#pragma once
#include "framework/WinControl.h"

class TCustomEdit : public TWinControl {
    KIVORA_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    bool FReadOnly = false;
    int FMaxLength = 0;
};

class TEdit : public TCustomEdit {
    KIVORA_CLASS(TEdit, TCustomEdit)
public:
    using TCustomEdit::TCustomEdit;
};
