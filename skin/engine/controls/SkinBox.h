// TSkinBox: containers — panels, tool bars, embedded forms — take the skin's face colour;
// they keep painting themselves. A skinned tool bar also turns flat and draws its
// buttons over the skin's button frames (unless it has its own button drawing); detaching
// gives all of it back. The object does not hook the window.
#pragma once

#include "skin/engine/controls/SkinControl.h"

class TToolBar;

class TSkinBox : public TSkinControl {
    KIVORA_CLASS(TSkinBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor) override;
    void Detach() override;
    // Before attaching to a tool bar: flat, and its buttons drawn over the skin's frames.
    void TakeToolBar(TToolBar& toolBar, TControlAttachment& form);

protected:
    void AfterMessage(TSkinMessage&) override {}

private:
    TToolBar* FToolBar = nullptr;
    bool FOldFlat = false;
    bool FDrawsButtons = false;
};
