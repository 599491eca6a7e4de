// TSkinScrollbar: the scroll bars of a framework control (a memo, a list box, any windowed
// control with WS_HSCROLL or WS_VSCROLL, or Tag 55), and stand-alone framework scroll bar
// controls, covered by skinned bars (TWScrollbar). The control keeps painting its content;
// the covers lie over its bars and hand presses back to it.
#pragma once

#include "skin/engine/controls/ScrollCovers.h"
#include "skin/engine/controls/SkinControl.h"

#include <memory>

class TParentNotifications;

class TSkinScrollbar : public TSkinControl {
    KIVORA_CLASS(TSkinScrollbar, TSkinControl)
public:
    explicit TSkinScrollbar(TComponent* owner);
    ~TSkinScrollbar() override;
    // Attaches to control, whose bars (or which, as a scroll bar control) are covered.
    virtual void AttachScrollControl(TWinControl& control, TSkinData& skin, TControlAttachment& form);
    void Detach() override;
    // Places the covers over the control's bars again.
    void UpdateBars();
    void SkinChanged() override;
    TWScrollbar* HorzBar() const { return FCovers.HorzBar(); }
    TWScrollbar* VertBar() const { return FCovers.VertBar(); }

protected:
    void AfterMessage(TSkinMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    TScrollCovers FCovers;
    // A scroll bar control tells its parent, not itself, how it is being scrolled.
    std::unique_ptr<TParentNotifications> FNotices;
};
