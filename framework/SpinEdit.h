// TSpinEdit: an edit for a whole number with a pair of arrow buttons inside its right
// edge (a system up-down control, a child window of the edit). The arrows and the Up and
// Down keys step Value by Increment, kept between MinValue and MaxValue (no limit when
// both are 0); OnChange fires as the text changes.
#pragma once
#include "framework/Edit.h"

class TSpinEdit : public TCustomEdit {
    KIVORA_CLASS(TSpinEdit, TCustomEdit)
public:
    explicit TSpinEdit(TComponent* owner);
    int Value() const;
    void SetValue(int v);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { FMinValue = v; SetValue(Value()); }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { FMaxValue = v; SetValue(Value()); }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    // The arrows' window (class "msctls_updown32"), or none before the edit has a window.
    HWND ButtonHandle() const { return FButton; }
    void WndProc(TMessage& message) override;

protected:
    void CreateWnd() override;

private:
    int Limited(int v) const;
    void PlaceButton();
    HWND FButton = nullptr;
    int FMinValue = 0, FMaxValue = 0, FIncrement = 1;
};
