#include "skin/engine/controls/ScrollBarCover.h"

#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "skin/engine/GdiTally.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "skin/engine/controls/SkinControl.h"

#include <windowsx.h>

namespace {

// Frames of the skin's arrow strip: first and second arrow, each normal and pressed.
constexpr int kArrowStripFrames = 23;
constexpr int kArrowFrames[2][4] = {{1, 2, 5, 6}, {9, 10, 13, 14}};  // by kind
constexpr int kDefaultThumbFrames = 3;
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 250;

}  // namespace

const TClassInfo& TWScrollbar::StaticClass()
{
    static const TClassInfo info(L"TWScrollbar", &TCustomControl::StaticClass());
    return info;
}

TWScrollbar::TWScrollbar(TComponent* owner)
    : TCustomControl(owner), FArrowSize(GetSystemMetrics(SM_CXHSCROLL)), FWork(std::make_unique<TCountedBitmap>()),
      FBack(std::make_unique<TCountedBitmap>()), FThumb(std::make_unique<TCountedBitmap>())
{
    FWork->SetPixelFormat(pf24bit);
    FBack->SetPixelFormat(pf24bit);
    SetVisible(false);
}

TWScrollbar::~TWScrollbar()
{
    *FAlive = false;
}

void TWScrollbar::AttachToWindow(TSkinControl& skinOwner, HWND target, TScrollCoverMode mode)
{
    FSkinOwner = &skinOwner;
    FTarget = target;
    FMode = mode;
    FKind = mode == scmControl ? ((GetWindowLongPtrW(target, GWL_STYLE) & SBS_VERT) ? 1 : 0) : static_cast<int>(mode);
    SetParentWindow(GetParent(target));
    HandleNeeded();
    UpdatePosition(target);
}

bool TWScrollbar::ReadInfo(SCROLLBARINFO& info) const
{
    static const LONG objects[] = {OBJID_HSCROLL, OBJID_VSCROLL, OBJID_CLIENT};  // by mode
    info = {};
    info.cbSize = sizeof(info);
    return FTarget && GetScrollBarInfo(FTarget, objects[FMode], &info);
}

void TWScrollbar::HideBar()
{
    if (HandleAllocated()) {
        KillTimer(Handle(), kFollowTimer);
        ShowWindow(Handle(), SW_HIDE);
    }
    FShown = false;
}

void TWScrollbar::UpdatePosition(HWND target)
{
    FTarget = target;
    SCROLLBARINFO info;
    if (!ReadInfo(info)) {
        FShown = false;
        return;
    }
    const RECT& bar = info.rcScrollBar;
    // A bar the system does not show, a window that is not shown (the system still reports
    // its bars) and a control whose skin is switched off have no cover.
    if ((info.rgstate[0] & STATE_SYSTEM_INVISIBLE) || !IsWindowVisible(target) || bar.right <= bar.left ||
        bar.bottom <= bar.top || (FSkinOwner && !FSkinOwner->SkinActive())) {
        HideBar();
        return;
    }
    const HWND parent = GetParent(target);
    if (ParentWindow() != parent)
        SetParentWindow(parent);
    POINT topLeft{bar.left, bar.top}, bottomRight{bar.right, bar.bottom};
    ScreenToClient(target, &topLeft);
    ScreenToClient(target, &bottomRight);
    FBarClientRect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    FBarScreenOrigin = {bar.left, bar.top};
    POINT pos = FBarScreenOrigin;
    ScreenToClient(parent, &pos);
    const int width = bar.right - bar.left, height = bar.bottom - bar.top;
    FBarLength = Vertical() ? height : width;
    // Directly above the scrolled window among their common parent's children, or above
    // it with only the window's other cover between. Moving a cover that already lies
    // there would uncover the window, whose next frame paint would move the other cover:
    // the two would change places for ever.
    const HWND cover = Handle();
    const HWND above = GetWindow(target, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (AboveTarget())
        flags |= SWP_NOZORDER;
    RECT now{};
    GetWindowRect(cover, &now);
    const bool moved = !EqualRect(&now, &bar) || !IsWindowVisible(cover);
    if (moved || !(flags & SWP_NOZORDER))
        SetWindowPos(cover, (flags & SWP_NOZORDER) ? nullptr : above, pos.x, pos.y, width, height, flags);
    FShown = true;
    // A program may set the bar's position straight through the system (SetScrollInfo on
    // the window), which tells the window nothing: the cover looks again now and then.
    SetTimer(cover, kFollowTimer, kFollowMs, nullptr);
    InvalidateRect(cover, nullptr, FALSE);
}

void TWScrollbar::FollowBar()
{
    if (!FTarget || !HandleAllocated())
        return;
    SCROLLBARINFO info;
    if (!ReadInfo(info))
        return;
    const bool visible = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE) && IsWindowVisible(FTarget);
    const bool placed = EqualRect(&info.rcScrollBar, &FLastInfo.rcScrollBar);
    const bool same = placed && visible == FShown && info.xyThumbTop == FLastInfo.xyThumbTop &&
                      info.xyThumbBottom == FLastInfo.xyThumbBottom && info.rgstate[0] == FLastInfo.rgstate[0];
    if (same)
        return;
    if (!placed || visible != FShown)
        UpdatePosition(FTarget);
    else
        InvalidateRect(Handle(), nullptr, FALSE);
}

bool TWScrollbar::AboveTarget() const
{
    const HWND cover = const_cast<TWScrollbar*>(this)->Handle();
    for (HWND w = GetWindow(FTarget, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (w == cover)
            return true;
        const auto* other = As<TWScrollbar>(FindControl(w));
        if (!other || other->FTarget != FTarget)
            return false;  // another window lies between
    }
    return false;
}

POINT TWScrollbar::ScreenPoint(LPARAM lParam) const
{
    // Signed: a captured mouse left or above the cover reports negative coordinates.
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(const_cast<TWScrollbar*>(this)->Handle(), &p);
    return p;
}

void TWScrollbar::Press(TMessage& message)
{
    const POINT screen = ScreenPoint(message.LParam);
    GetCursorPos(&FPressPoint);
    SCROLLBARINFO info;
    if (ReadInfo(info))
        FPressThumbStart = info.xyThumbTop;
    FPressed = true;
    ReleaseCapture();  // the scrolled window takes the mouse for its tracking
    const std::shared_ptr<bool> alive = FAlive;
    const HWND target = FTarget;
    // Returns when the system's tracking has ended (the button was released).
    if (FMode == scmControl) {
        POINT client = screen;
        ScreenToClient(target, &client);
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    } else {
        SendMessageW(target, WM_NCLBUTTONDOWN, FMode == scmHorizontal ? HTHSCROLL : HTVSCROLL,
                     MAKELPARAM(screen.x, screen.y));
    }
    if (!*alive)
        return;
    FPressed = false;
    ReleaseCapture();
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, FALSE);
}

void TWScrollbar::Release(TMessage& message)
{
    const POINT screen = ScreenPoint(message.LParam);
    FPressed = false;
    ReleaseCapture();
    if (FMode == scmControl) {
        POINT client = screen;
        ScreenToClient(FTarget, &client);
        PostMessageW(FTarget, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    } else {
        PostMessageW(FTarget, WM_NCLBUTTONUP, FMode == scmHorizontal ? HTHSCROLL : HTVSCROLL,
                     MAKELPARAM(screen.x, screen.y));
    }
}

void TWScrollbar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        TCustomControl::WndProc(message);
        if (FTarget)
            Press(message);
        return;
    case WM_LBUTTONUP:
        TCustomControl::WndProc(message);
        if (FTarget)
            Release(message);
        return;
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_TIMER:
        if (message.WParam == kFollowTimer) {
            FollowBar();
            return;
        }
        TCustomControl::WndProc(message);
        return;
    default:
        TCustomControl::WndProc(message);
        return;
    }
}

void TWScrollbar::TrackThumb()
{
    const int length = FThumbEnd - FThumbStart;
    POINT cursor{};
    GetCursorPos(&cursor);
    FThumbStart = FPressThumbStart + (Vertical() ? cursor.y - FPressPoint.y : cursor.x - FPressPoint.x);
    if (FThumbStart < FArrowSize)
        FThumbStart = FArrowSize;
    if (FThumbStart > FBarLength - FArrowSize - length)
        FThumbStart = FBarLength - FArrowSize - length;
    FThumbEnd = FThumbStart + length;
}

void TWScrollbar::Paint()
{
    PaintTo(Canvas()->Handle());
}

void TWScrollbar::ForgetPictures()
{
    FBackKey = {};
    FThumbKey = {};
}

void TWScrollbar::ComposeBackground(const TSkinData& skin, const TBackKey& key)
{
    // Face, track and arrows change only with the bar's size, its enabled state and a
    // pressed arrow: composed once for each of those, not at every thumb move.
    const auto& e = skin.Elements();
    const int width = key.Width, height = key.Height;
    if (FBack->Width() != width || FBack->Height() != height)
        FBack->SetSize(width, height);
    HDC back = FBack->Canvas()->Handle();
    SetStretchBltMode(back, COLORONCOLOR);
    const RECT all{0, 0, width, height};
    if (skin.ButtonFaceBrush()) {
        FillRect(back, &all, skin.ButtonFaceBrush());
    } else {
        TGdiHandle<HBRUSH> face(CreateSolidBrush(ColorToRGB(static_cast<TColor>(e.ColorButtonFace))));
        FillRect(back, &all, face.get());
    }
    RECT r{0, 0, width, height};
    (Vertical() ? r.right : r.bottom) = key.Thick;
    int arrow = FArrowSize;
    // The track between the arrows: frame 1 enabled, 3 disabled.
    const TDataSkinObject* track = Vertical() ? e.VertScroll.get() : e.HorzScroll.get();
    if (HasPicture(track)) {
        RECT t = r;
        if (Vertical()) {
            t.top += arrow;
            t.bottom -= arrow;
        } else {
            t.left += arrow;
            t.right -= arrow;
        }
        DrawElement(back, t, 4, key.Enabled ? 1 : 3, *track);
    }
    // Arrows share a bar too short for both at full length.
    const int length = Vertical() ? height : width;
    if (2 * arrow > length)
        arrow = length / 2;
    RECT first = r, second = r;
    if (Vertical()) {
        first.bottom = first.top + arrow;
        second.top = second.bottom - arrow;
    } else {
        first.right = first.left + arrow;
        second.left = second.right - arrow;
    }
    const int* frames = kArrowFrames[FKind];
    DrawStrip(back, first, kArrowStripFrames, frames[key.FirstDown ? 1 : 0], e.Scrollbar->Image);
    DrawStrip(back, second, kArrowStripFrames, frames[key.SecondDown ? 3 : 2], e.Scrollbar->Image);
    FBackKey = key;
}

void TWScrollbar::PaintTo(HDC dc)
{
    const TSkinData* skin = FSkinOwner ? FSkinOwner->SkinData() : nullptr;
    if (!skin || !HasPicture(skin->Elements().Scrollbar.get()))
        return;
    const auto& e = skin->Elements();
    SCROLLBARINFO info;
    if (!ReadInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return;
    FLastInfo = info;
    const bool enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    const int width = info.rcScrollBar.right - info.rcScrollBar.left;
    const int height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    if (width <= 0 || height <= 0)
        return;
    FBarLength = Vertical() ? height : width;
    int thick = e.Scrollbar->Image.Height();
    if (thick + 3 < FArrowSize)
        thick = FArrowSize;
    const TBackKey key{width, height, thick, enabled, FPressed && FHitPart == SB_LINEUP,
                       FPressed && FHitPart == SB_LINEDOWN, true};
    if (!(key == FBackKey))
        ComposeBackground(*skin, key);
    if (FWork->Width() != width || FWork->Height() != height)
        FWork->SetSize(width, height);
    HDC work = FWork->Canvas()->Handle();
    BitBlt(work, 0, 0, width, height, FBack->Canvas()->Handle(), 0, 0, SRCCOPY);

    // The thumb follows the mouse while it is dragged, the system's position otherwise.
    const bool dragging = FPressed && FHitPart == SB_THUMBTRACK;
    if (dragging) {
        TrackThumb();
    } else {
        FThumbStart = info.xyThumbTop;
        FThumbEnd = info.xyThumbBottom;
    }
    const TDataSkinObject* thumb = Vertical() ? e.VertScrollThumb.get() : e.HorzScrollThumb.get();
    if (enabled && HasPicture(thumb) && FThumbEnd > FThumbStart) {
        const RECT t = Vertical() ? RECT{0, FThumbStart, thick, FThumbEnd} : RECT{FThumbStart, 0, FThumbEnd, thick};
        const int count = thumb->FrameCount > 0 ? thumb->FrameCount : kDefaultThumbFrames;
        const TThumbKey thumbKey{t.right - t.left, t.bottom - t.top, dragging ? 2 : 1, true};
        if (!(thumbKey == FThumbKey)) {
            const auto picture = RenderElementFrame(thumbKey.Width, thumbKey.Height, thumb->Image, thumb->Margins, false,
                                                    {count, thumbKey.Frame, false});
            FThumb->Assign(*picture);
            FThumbKey = thumbKey;
        }
        if (thumb->Trans == 1)
            DrawTransparent(work, t, *FThumb, kSkinTransparentColor);
        else
            BitBlt(work, t.left, t.top, thumbKey.Width, thumbKey.Height, FThumb->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    BitBlt(dc, 0, 0, width, height, work, 0, 0, SRCCOPY);
}
