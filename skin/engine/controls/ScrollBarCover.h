// TWScrollbar: a small window laid exactly over one of a window's system scroll bars (or
// over a stand-alone scroll bar control) and painted from the skin: the arrows, the track
// and the thumb. The system bar cannot be painted through its window's paint messages, so
// it is covered instead. The cover is a sibling of the scrolled window, directly above it
// in the z-order, so the scrolled window's own drawing of the bar is clipped away under it.
//
// A press on the cover is handed to the scrolled window as a press on its scroll bar: the
// system's own tracking then scrolls, repeats arrow and page steps while the button is
// held and drags the thumb, and the cover only repaints from what the system reports
// (the scroll notifications its owner copies into HitPart, and GetScrollBarInfo; a slow
// timer catches positions a program set straight through the system). While a
// thumb is dragged the skinned thumb follows the mouse, clamped between the arrows, even
// when the window moves its content only at the release.
#pragma once

#include "framework/CustomControl.h"

#include <memory>

class TSkinControl;
class TCountedBitmap;
class TSkinData;

// Which bar a cover lies over.
enum TScrollCoverMode { scmHorizontal = 0, scmVertical = 1, scmControl = 2 };

class TWScrollbar : public TCustomControl {
    KIVORA_CLASS(TWScrollbar, TCustomControl)
public:
    explicit TWScrollbar(TComponent* owner);
    ~TWScrollbar() override;

    // Lays the cover over the bar of target (mode: its horizontal or vertical bar, or the
    // target itself when it is a scroll bar control) and places it.
    void AttachToWindow(TSkinControl& skinOwner, HWND target, TScrollCoverMode mode);
    // Reads the system bar and places the cover over it, or hides it when the bar is not
    // shown. When the bar cannot be read, the cover is left where it is (marked not shown).
    void UpdatePosition(HWND target);
    void HideBar();
    // Keeps the cover in step with a bar the window changed without telling (keyboard and
    // wheel scrolling, new text): placed again when the bar moved, appeared or went,
    // repainted when its thumb or state changed.
    void FollowBar();

    bool Shown() const { return FShown; }
    int HitPart() const { return FHitPart; }
    void SetHitPart(int part) { FHitPart = part; }
    bool Pressed() const { return FPressed; }
    TScrollCoverMode Mode() const { return FMode; }
    HWND Target() const { return FTarget; }
    // The bar's corners in the scrolled window's client coordinates.
    const RECT& BarClientRect() const { return FBarClientRect; }
    bool LiesAboveTarget() const { return AboveTarget(); }
    // The thumb as last painted, along the bar from its start.
    int ThumbStart() const { return FThumbStart; }
    int ThumbEnd() const { return FThumbEnd; }

    // Composes the cover's picture at its current size (what a paint shows).
    void PaintTo(HDC dc);
    // The skin changed: the pictures kept between paints are made again.
    void ForgetPictures();
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void EraseBackground(HDC, const RECT&) override {}

private:
    bool ReadInfo(SCROLLBARINFO& info) const;
    // Whether the cover lies above its window with nothing but the window's other cover between.
    bool AboveTarget() const;
    bool Vertical() const { return FKind == 1; }
    void Press(TMessage& message);
    void Release(TMessage& message);
    POINT ScreenPoint(LPARAM lParam) const;
    // The thumb following the cursor during a drag.
    void TrackThumb();
    // What the kept background (face, track, arrows) and thumb pictures were made for.
    struct TBackKey {
        int Width = 0, Height = 0, Thick = 0;
        bool Enabled = false, FirstDown = false, SecondDown = false, Made = false;
        bool operator==(const TBackKey&) const = default;
    };
    struct TThumbKey {
        int Width = 0, Height = 0, Frame = 0;
        bool Made = false;
        bool operator==(const TThumbKey&) const = default;
    };
    void ComposeBackground(const TSkinData& skin, const TBackKey& key);

    int FBarLength = 0;
    int FThumbStart = 0, FThumbEnd = 0;
    POINT FBarScreenOrigin{};
    POINT FPressPoint{};
    int FPressThumbStart = 0;
    bool FPressed = false;
    int FKind = 0;  // 0 horizontal, 1 vertical
    int FArrowSize;
    HWND FTarget = nullptr;
    TSkinControl* FSkinOwner = nullptr;
    TScrollCoverMode FMode = scmHorizontal;
    RECT FBarClientRect{};
    int FHitPart = SB_ENDSCROLL;
    bool FShown = false;
    // The picture is composed here and copied in one block.
    std::unique_ptr<TCountedBitmap> FWork;
    std::unique_ptr<TCountedBitmap> FBack, FThumb;
    TBackKey FBackKey;
    TThumbKey FThumbKey;
    // The bar as the last paint saw it.
    SCROLLBARINFO FLastInfo{};
    // Cleared by the destructor: a press whose tracking outlived the cover stops there.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
