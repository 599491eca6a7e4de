// TSkinStatusBar: a framework status bar paints itself (under Wine its own painting also
// brings its panel rectangles up to date), and the skin then covers it with its own
// picture, composed off screen: each panel's frame from the skin's status-bar
// edges (lowered, raised, none by the panel's bevel; plain 3D frames without them), the
// panel texts in their alignment, and the skin's size grip. Owner-drawn panels are then
// drawn by the bar's OnDrawPanel.
#pragma once

#include "skin/engine/GdiTally.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "skin/engine/controls/SkinControl.h"

#include <vector>

#include <memory>

class TCustomStatusBar;

class TSkinStatusBar : public TSkinControl {
    KIVORA_CLASS(TSkinStatusBar, TSkinControl)
public:
    explicit TSkinStatusBar(TComponent* owner);
    void AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor) override;
    void Detach() override;
    void SkinChanged() override;

    // Where a panel's text goes inside the panel (shrunk by 2 on the left and right):
    // centred, or across the whole width, one pixel above the vertical centre.
    static RECT PanelTextRect(const RECT& panel, SIZE text, UINT flag);

protected:
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    void DrawPanelFrame(HDC dc, const RECT& rect, int frame, bool skinFrames, size_t panel);
    void DrawPanelText(HDC dc, const RECT& rect, const std::wstring& text, UINT flag);
    TCustomStatusBar* Bar() const;
    std::unique_ptr<TCountedBitmap> FBitmap;
    bool FHadSizeGrip = false;
    std::vector<TElementCache> FPanelFrames;  // one per panel
};
