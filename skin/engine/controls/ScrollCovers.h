// TScrollCovers: the covers (TWScrollbar) of one scrolled window — over its horizontal
// and vertical bars, or over the window itself when it is a scroll bar control — and what
// both kinds of owner do with them: place them after the window's frame changed, follow a
// bar the window scrolled without telling (keys, wheel, new text), show the pressed parts
// from the scroll notifications, paint the corner square between two bars, and hide them
// while the control's skin is switched off.
#pragma once

#include <windows.h>

class TSkinControl;
class TWScrollbar;

class TScrollCovers {
public:
    TScrollCovers() = default;
    ~TScrollCovers() { Free(); }
    TScrollCovers(const TScrollCovers&) = delete;
    TScrollCovers& operator=(const TScrollCovers&) = delete;

    // Covers for target's two bars, or for target itself when it is a scroll bar control;
    // owned (as components) by owner.
    void Attach(TSkinControl& owner, HWND target, bool scrollBarControl);
    void Free();
    void UpdateBars(HWND target);
    void HideBars();
    // Repaints the covers that are shown.
    void Invalidate();
    // Places or repaints the covers whose bar changed since they were painted.
    void Follow();
    // A scroll notification (WM_HSCROLL, WM_VSCROLL) the bars' window or control sent.
    void ScrollNotice(bool vertical, WPARAM wParam);
    // The square between two shown bars, in the face colour, on a window DC of target.
    void FillCorner(HDC windowDC, HWND target, HBRUSH face) const;
    // Follows a message the scrolled window has handled: placing after frame and size
    // changes, pressed parts from scroll notifications, repaints after silent scrolling.
    void AfterMessage(HWND target, UINT msg, WPARAM wParam);
    // The owner's skin was switched off (the covers go, the system bars show) or on (the
    // covers come back at the owner's next paint).
    void SkinSwitched(bool active);
    // The skin's pictures changed.
    void SkinChanged();
    // The owner's paint: covers placed if they are due, repainted, the corner filled.
    void OwnerPaint(HDC windowDC, HWND target, HBRUSH face);
    // Whether a message may have scrolled the window without a scroll notification.
    static bool MayScroll(UINT msg, WPARAM wParam);

    TWScrollbar* HorzBar() const { return FHorz; }
    TWScrollbar* VertBar() const { return FVert; }

private:
    TWScrollbar* FHorz = nullptr;
    TWScrollbar* FVert = nullptr;
    bool FPlaceAtPaint = false;
};
