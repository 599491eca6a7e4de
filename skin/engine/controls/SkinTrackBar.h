// TSkinTrackBar: track bars keep their own channel and tick marks; only the thumb is
// drawn from the skin (frame 2 of the horizontal or vertical thumb picture, or a plain
// rectangle without one), through the custom-draw requests the track bar sends its parent
// while it paints.
#pragma once

#include "skin/engine/controls/SkinControl.h"

#include <commctrl.h>

#include <memory>

class TParentNotifications;

class TSkinTrackBar : public TSkinControl {
    KIVORA_CLASS(TSkinTrackBar, TSkinControl)
public:
    explicit TSkinTrackBar(TComponent* owner);
    ~TSkinTrackBar() override;
    void AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor) override;
    void AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form) override;
    void Detach() override;
    void SkinChanged() override;
    // The answer to one custom-draw request.
    LRESULT HandleCustomDraw(const NMCUSTOMDRAW& draw);

protected:
    bool BeforeMessage(TSkinMessage& message) override;

private:
    void ListenToParent();
    void DrawThumb(const NMCUSTOMDRAW& draw);
    std::unique_ptr<TParentNotifications> FNotices;
};
