// TTrackBar: a slider (the system track bar), horizontal or vertical, from Min to Max with
// a tick every Frequency positions; arrow keys move it by LineSize, Page Up/Down and
// clicks on the channel by PageSize. OnChange fires whenever Position changes, by the
// user or in code.
#pragma once
#include "framework/WinControl.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
KIVORA_ENUM_NAMES(TTrackBarOrientation, L"trHorizontal", L"trVertical")

class TTrackBar : public TWinControl {
    KIVORA_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation orientation);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void UpdateWindow();
    TTrackBarOrientation FOrientation = trHorizontal;
    int FMin = 0, FMax = 10, FPosition = 0, FFrequency = 1, FLineSize = 1, FPageSize = 2;
};
