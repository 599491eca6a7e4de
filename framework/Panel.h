// TPanel: a plain container that paints its Color, an optional raised or lowered bevel
// and its Caption in the middle; child controls sit on it.
#pragma once
#include "framework/CustomControl.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };
KIVORA_ENUM_NAMES(TBevelCut, L"bvNone", L"bvLowered", L"bvRaised")

class TCustomPanel : public TCustomControl {
    KIVORA_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut bevel) { FBevelOuter = bevel; Invalidate(); }

protected:
    void Paint() override;
    // A panel holds controls: Tab moves into it and through its controls as through the
    // form's own (the dialog manager steps into windows marked as control parents).
    void CreateParams(TCreateParams& params) override;

private:
    TBevelCut FBevelOuter = bvRaised;
};

class TPanel : public TCustomPanel {
    KIVORA_CLASS(TPanel, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};
