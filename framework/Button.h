// TButton: a push button (the system button). A click runs OnClick and, when ModalResult
// is set, gives its form that result; the accelerator of its caption ("确定(&A)") clicks
// it from the keyboard (Alt+A).
#pragma once
#include "framework/WinControl.h"

class TButton : public TWinControl {
    KIVORA_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    bool FDefault = false, FCancel = false;
    int FModalResult = 0;
};

// The accelerator character of a caption (the one after a single '&'), or 0.
wchar_t AcceleratorOf(const std::wstring& caption);
