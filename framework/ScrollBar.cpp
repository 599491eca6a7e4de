#include "framework/ScrollBar.h"

#include <algorithm>

const TClassInfo& TScrollBar::StaticClass()
{
    static const TClassInfo info(L"TScrollBar", &TWinControl::StaticClass(), {
        EnumProp(L"Kind", &TScrollBar::Kind, &TScrollBar::SetKind),
        IntProp(L"Min", &TScrollBar::Min, &TScrollBar::SetMin),
        IntProp(L"Max", &TScrollBar::Max, &TScrollBar::SetMax),
        IntProp(L"Position", &TScrollBar::Position, &TScrollBar::SetPosition),
        IntProp(L"PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize),
        IntProp(L"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange),
        IntProp(L"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange),
        EventProp(L"OnChange", &TScrollBar::OnChange),
    });
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"SCROLLBAR";
    params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateWindow();
}

void TScrollBar::SetKind(TScrollBarKind kind)
{
    if (kind == FKind)
        return;
    FKind = kind;
    // The bar's direction is a creation style: the window is made again, and the bar's
    // length and thickness change places, as when a user turns it.
    SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TScrollBar::SetPageSize(int v)
{
    FPageSize = std::clamp(v, 0, std::max(FMax - FMin + 1, 0));
    UpdateWindow();
}

void TScrollBar::SetParams(int position, int min, int max)
{
    max = std::max(max, min);
    // The last position the thumb can reach leaves one page of the range in view.
    position = std::clamp(position, min, std::max(min, max - std::max(FPageSize - 1, 0)));
    const bool moved = position != FPosition;
    FMin = min;
    FMax = max;
    FPosition = position;
    UpdateWindow();
    if (moved)
        OnChange(this);
}

void TScrollBar::UpdateWindow()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPage = static_cast<UINT>(FPageSize);
    info.nPos = FPosition;
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

int TScrollBar::Requested(int code, int thumb) const
{
    switch (code) {
    case SB_LINEUP: return FPosition - FSmallChange;
    case SB_LINEDOWN: return FPosition + FSmallChange;
    case SB_PAGEUP: return FPosition - FLargeChange;
    case SB_PAGEDOWN: return FPosition + FLargeChange;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return thumb;
    case SB_TOP: return FMin;
    case SB_BOTTOM: return FMax;
    default: return FPosition;
    }
}

void TScrollBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        // The 16-bit position in the message is too small for large ranges: the track
        // position comes from the control itself.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_CTL, &info);
        SetPosition(Requested(LOWORD(message.WParam), info.nTrackPos));
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
