// TCustomControl: a windowed control that paints itself (Paint, on Canvas) — the base of
// panels and of controls drawn entirely by their own code.
// TGraphicControl: a control without a window, painted by its parent into the parent's
// device context (Paint, on Canvas) and given mouse messages by its parent.
#pragma once
#include "framework/Canvas.h"
#include "framework/WinControl.h"

class TCustomControl : public TWinControl {
    KIVORA_CLASS(TCustomControl, TWinControl)
public:
    using TWinControl::TWinControl;
    TCanvas* Canvas() { return &FCanvas; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    TCanvas FCanvas;
};

class TGraphicControl : public TControl {
    KIVORA_CLASS(TGraphicControl, TControl)
public:
    using TControl::TControl;
    TCanvas* Canvas() { return &FCanvas; }
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};
