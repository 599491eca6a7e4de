// TGroupBox: a titled frame that holds controls (its Caption on the top line of an etched
// frame). It paints itself; Tab steps into its controls as into the form's own.
#pragma once
#include "framework/CustomControl.h"

class TCustomGroupBox : public TCustomControl {
    KIVORA_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    KIVORA_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};
