// TProgressBar: a bar that fills as work proceeds (the system progress bar), from Min to
// Max; StepIt advances it by Step.
#pragma once
#include "framework/WinControl.h"

class TProgressBar : public TWinControl {
    KIVORA_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int Step() const { return FStep; }
    void SetStep(int v) { FStep = v; }
    void StepIt() { SetPosition(FPosition + FStep); }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void UpdateWindow();
    int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
};
