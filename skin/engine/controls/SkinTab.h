// TSkinTab: tab controls (a tab control, a page control) keep painting their pages; the
// skin then draws their tab row from its tab picture (frame 2 for the tab with the focus
// index, frame 1 for the others, each with its icon and caption) and the border around
// the page area from its border picture. The row is composed as if the tabs were on top,
// then turned for tabs on the left or right; the pictures are flipped for bottom tabs. The
// tab control's scroll arrows get a spin skin and are never painted over.
#pragma once

#include "skin/engine/controls/SkinControl.h"

#include <commctrl.h>

#include <memory>

class TCountedBitmap;

enum TTabSide { tsTop = 0, tsBottom = 1, tsLeft = 2, tsRight = 3 };

class TSkinTab : public TSkinControl {
    KIVORA_CLASS(TSkinTab, TSkinControl)
public:
    explicit TSkinTab(TComponent* owner);
    ~TSkinTab() override;
    void AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form) override;
    void SkinChanged() override;
    TTabSide Orientation() const { return FOrientation; }
    // The side by the tab control's style.
    static TTabSide SideOf(LONG_PTR style);

protected:
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    void PrepareBitmaps();
    // The scroll arrows' window, skinned once found; null when there is none.
    HWND FindSpin();
    void BlitAroundSpin(HDC dc, HWND spin, const RECT& strip);
    TTabSide FOrientation = tsTop;
    std::unique_ptr<TCountedBitmap> FTabBitmap, FBorderBitmap, FWorkBitmap;
};

// An icon and a one-line caption inside r (alignment 0 left, 1 centre, 2 right), in the
// font and text colour selected into dc; a caption that does not fit ends in an ellipsis.
void DrawIconText(HDC dc, const RECT& r, HIMAGELIST images, int index, const std::wstring& text, int alignment,
                  bool enabled);
