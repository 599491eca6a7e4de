// TUpDown: a pair of arrow buttons (the system up-down control) that step Position from
// Min to Max by Increment, wrapping round when Wrap is set. With an Associate (an edit)
// the control sits at the edit's right edge and shows its position in it. OnChange fires
// when the user changes the position.
#pragma once
#include "framework/WinControl.h"

enum TUDOrientation { udHorizontal, udVertical };
KIVORA_ENUM_NAMES(TUDOrientation, L"udHorizontal", L"udVertical")

class TUpDown : public TWinControl {
    KIVORA_CLASS(TUpDown, TWinControl)
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int Increment() const { return FIncrement; }
    void SetIncrement(int v);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool wrap) { FWrap = wrap; RecreateWnd(); }
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation orientation) { FOrientation = orientation; RecreateWnd(); }
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* associate);

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void UpdateWindow();
    int FMin = 0, FMax = 100, FPosition = 0, FIncrement = 1;
    bool FWrap = false;
    TUDOrientation FOrientation = udVertical;
    TWinControl* FAssociate = nullptr;
};
