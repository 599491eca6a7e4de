// TScrollBar: a stand-alone scroll bar (the system scroll bar control), horizontal or
// vertical, with Min, Max, Position, SmallChange (arrows, arrow keys), LargeChange (the
// track, Page Up/Down) and PageSize (the thumb's share of the range). The control moves
// its position itself when the user scrolls and fires OnChange; setting Position in code
// fires OnChange too when the position changes.
#pragma once
#include "framework/WinControl.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
KIVORA_ENUM_NAMES(TScrollBarKind, L"sbHorizontal", L"sbVertical")

class TScrollBar : public TWinControl {
    KIVORA_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return FMin; }
    void SetMin(int v) { SetParams(FPosition, v, FMax); }
    int Max() const { return FMax; }
    void SetMax(int v) { SetParams(FPosition, FMin, v); }
    int Position() const { return FPosition; }
    void SetPosition(int v) { SetParams(v, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v) { FSmallChange = v; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v) { FLargeChange = v; }
    // Sets the range and position at once (the position kept inside the range).
    void SetParams(int position, int min, int max);

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void UpdateWindow();
    // The position a scroll request (SB_ code, thumb position) asks for.
    int Requested(int code, int thumb) const;
    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0, FSmallChange = 1, FLargeChange = 1;
};
