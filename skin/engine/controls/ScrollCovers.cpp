#include "skin/engine/controls/ScrollCovers.h"

#include "skin/engine/controls/ScrollBarCover.h"
#include "skin/engine/controls/SkinControl.h"

#include <commctrl.h>

void TScrollCovers::Attach(TSkinControl& owner, HWND target, bool scrollBarControl)
{
    Free();
    if (scrollBarControl) {
        TWScrollbar*& slot = (GetWindowLongPtrW(target, GWL_STYLE) & SBS_VERT) ? FVert : FHorz;
        slot = new TWScrollbar(&owner);
        slot->AttachToWindow(owner, target, scmControl);
        return;
    }
    FHorz = new TWScrollbar(&owner);
    FHorz->AttachToWindow(owner, target, scmHorizontal);
    FVert = new TWScrollbar(&owner);
    FVert->AttachToWindow(owner, target, scmVertical);
}

void TScrollCovers::Free()
{
    for (TWScrollbar** bar : {&FHorz, &FVert}) {
        if (*bar)
            (*bar)->Free();
        *bar = nullptr;
    }
}

void TScrollCovers::UpdateBars(HWND target)
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar)
            bar->UpdatePosition(target);
}

void TScrollCovers::HideBars()
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar)
            bar->HideBar();
}

void TScrollCovers::Invalidate()
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar && bar->Shown() && bar->HandleAllocated())
            InvalidateRect(bar->Handle(), nullptr, FALSE);
}

void TScrollCovers::Follow()
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar)
            bar->FollowBar();
}

void TScrollCovers::ScrollNotice(bool vertical, WPARAM wParam)
{
    TWScrollbar* bar = vertical ? FVert : FHorz;
    if (!bar)
        return;
    bar->SetHitPart(LOWORD(wParam));
    if (bar->HandleAllocated())
        InvalidateRect(bar->Handle(), nullptr, FALSE);
}

void TScrollCovers::FillCorner(HDC windowDC, HWND target, HBRUSH face) const
{
    if (!FHorz || !FVert || !FHorz->Shown() || !FVert->Shown() || FHorz->Mode() == scmControl || !face)
        return;
    // The bars' corners are in client coordinates; the window DC's origin is the window's
    // top-left corner.
    RECT window{};
    GetWindowRect(target, &window);
    POINT client{0, 0};
    ClientToScreen(target, &client);
    const int dx = client.x - window.left, dy = client.y - window.top;
    const RECT& v = FVert->BarClientRect();
    const RECT& h = FHorz->BarClientRect();
    RECT corner{v.left + dx, h.top + dy, v.right + dx, h.bottom + dy};
    FillRect(windowDC, &corner, face);
}

bool TScrollCovers::MayScroll(UINT msg, WPARAM wParam)
{
    struct TRange {
        UINT First, Last;
    };
    // Keys, the wheel, timers (a selection dragged past the edge), new text or items, and
    // the edit, list box, scroll bar and list view messages that move or resize content.
    static const TRange ranges[] = {
        {WM_KEYDOWN, WM_CHAR}, {WM_MOUSEWHEEL, WM_MOUSEWHEEL}, {WM_MOUSEHWHEEL, WM_MOUSEHWHEEL},
        {WM_LBUTTONUP, WM_LBUTTONUP}, {WM_TIMER, WM_TIMER}, {WM_SETTEXT, WM_SETTEXT},
        {WM_STYLECHANGED, WM_STYLECHANGED}, {WM_SETFONT, WM_SETFONT}, {EM_GETSEL, EM_SETIMESTATUS},
        // Only the scroll bar messages that change it: reading a scroll bar control's
        // bar sends it SBM_GETSCROLLBARINFO, which must not start another reading.
        {SBM_SETPOS, SBM_SETPOS}, {SBM_SETRANGE, SBM_SETRANGE}, {SBM_ENABLE_ARROWS, SBM_ENABLE_ARROWS},
        {SBM_SETRANGEREDRAW, SBM_SETRANGEREDRAW}, {SBM_SETSCROLLINFO, SBM_SETSCROLLINFO},
        {LB_ADDSTRING, LB_GETLISTBOXINFO}, {LVM_FIRST, LVM_FIRST + 0xFF},
    };
    if (msg == WM_MOUSEMOVE)
        return (wParam & MK_LBUTTON) != 0;
    for (const TRange& r : ranges)
        if (msg >= r.First && msg <= r.Last)
            return true;
    return false;
}

void TScrollCovers::AfterMessage(HWND target, UINT msg, WPARAM wParam)
{
    switch (msg) {
    case WM_NCPAINT:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
        // The system bars are drawn with the frame: this is where they appear, go, move
        // or change size.
        UpdateBars(target);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollNotice(msg == WM_VSCROLL, wParam);
        Follow();
        break;
    default:
        if (MayScroll(msg, wParam))
            Follow();
        break;
    }
}

void TScrollCovers::SkinSwitched(bool active)
{
    if (active)
        return;
    HideBars();
    FPlaceAtPaint = true;
}

void TScrollCovers::OwnerPaint(HDC windowDC, HWND target, HBRUSH face)
{
    if (FPlaceAtPaint) {
        FPlaceAtPaint = false;
        UpdateBars(target);
    }
    Invalidate();
    FillCorner(windowDC, target, face);
}

void TScrollCovers::SkinChanged()
{
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar) {
            bar->ForgetPictures();
            if (bar->Shown() && bar->HandleAllocated())
                InvalidateRect(bar->Handle(), nullptr, FALSE);
        }
}
