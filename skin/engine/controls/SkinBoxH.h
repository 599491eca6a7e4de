// TSkinBoxH: a raw dialog nested in a skinned window (a common dialog's page) erases its
// background in the skin's face colour; its controls paint as before.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TSkinBoxH : public TSkinControl {
    KIVORA_CLASS(TSkinBoxH, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(TSkinMessage& message) override;
};
