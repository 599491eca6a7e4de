#include "skin/engine/controls/ParentNotifications.h"

#include <commctrl.h>

TParentNotifications::TParentNotifications(HWND child, THandler handler)
    : FChild(child), FParent(child ? GetParent(child) : nullptr), FHandler(std::move(handler))
{
    if (FParent)
        AddWindowHook(FParent, this);
}

TParentNotifications::~TParentNotifications()
{
    if (FParent)
        RemoveWindowHook(FParent, this);
}

bool TParentNotifications::WndProc(TWindowMessage& message)
{
    bool ours = false;
    switch (message.Msg) {
    case WM_NOTIFY:
        ours = message.LParam && reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom == FChild;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ours = reinterpret_cast<HWND>(message.LParam) == FChild;
        break;
    default:
        break;
    }
    return ours && FHandler(message);
}

void TParentNotifications::WindowDestroyed(HWND)
{
    FParent = nullptr;
}
