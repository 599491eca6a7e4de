#include "skin/engine/menus/PopupMenuSkin.h"

#include "skin/SkinData.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "framework/DeviceContext.h"
#include "framework/ScopeExit.h"

#include <algorithm>

TPopupMenuSkin::TPopupMenuSkin(TSkinManager& manager, HWND window, TSkinData& skin)
    : FManager(manager), FHandle(window), FSkin(skin)
{
}

TPopupMenuSkin::~TPopupMenuSkin()
{
    Unsubclass();
}

void TPopupMenuSkin::Subclass()
{
    if (FSubclassed)
        return;
    AddWindowHook(FHandle, this);
    FSubclassed = HasWindowHook(FHandle, this);
}

void TPopupMenuSkin::Unsubclass()
{
    if (FSubclassed) {
        RemoveWindowHook(FHandle, this);
        FSubclassed = false;
    }
    FBackground.reset();
}

const TBitmap* TPopupMenuSkin::Background() const
{
    return FBackground.get();
}

HDC TPopupMenuSkin::PictureDC() const
{
    // A shared picture is only read: its canvas is made once and drawn from.
    return const_cast<TCountedBitmap&>(*FBackground).Canvas()->Handle();
}

bool TPopupMenuSkin::HasPicture() const
{
    const auto& element = FSkin.Elements().MenuBackground;
    return !FSkin.Empty() && element && !element->Image.Empty();
}

bool TPopupMenuSkin::PrepareBackground()
{
    RECT r{};
    if (!HasPicture() || !GetWindowRect(FHandle, &r))
        return false;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (!FBackground || FBackground->Width() != width || FBackground->Height() != height)
        FBackground = FManager.PopupPictures.Get(FSkin, width, height);
    if (!FBackground)
        return false;
    POINT origin{0, 0};
    ClientToScreen(FHandle, &origin);
    FClientOffset = {origin.x - r.left, origin.y - r.top};
    // The window names its menu (Windows 2000 on, and Wine); otherwise the next item drawn
    // tells it (the manager's unbound popup).
    if (HMENU menu = reinterpret_cast<HMENU>(SendMessageW(FHandle, MN_GETHMENU, 0, 0)))
        FMenuHandle = menu;
    if (!FMenuHandle)
        FManager.SetUnboundPopup(this);
    return true;
}

bool TPopupMenuSkin::WndProc(TWindowMessage& m)
{
    if (m.Msg == WM_SKINQUERY) {
        m.Result = 1;
        return true;
    }
    if (!FManager.SkinsPopups())
        return false;
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (!HasPicture())
            return false;
        m.Result = 1;  // the paint covers everything, in one copy
        return true;
    case WM_PAINT: {
        if (!PrepareBackground())
            return false;
        const TPaintDC dc(FHandle);
        PaintClient(dc.Handle());
        m.Result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        if (FOwnPrint || !PrepareBackground())
            return false;
        PaintClient(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return true;
    case WM_NCPAINT:
        PaintBorder(m);
        return true;
    case WM_PRINT:
        Print(m);
        return true;
    default:
        return false;
    }
}

// The client area in one copy: the background's part under it, then the platform's drawing
// of the menu (owner-drawn items come out of the same background) kept off the border band.
void TPopupMenuSkin::PaintClient(HDC target)
{
    RECT client{}, window{};
    GetClientRect(FHandle, &client);
    GetWindowRect(FHandle, &window);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    const POINT offset = ClientOffset();
    TBitmap buffer(client.right, client.bottom);
    HDC dc = buffer.Canvas()->Handle();
    BitBlt(dc, 0, 0, client.right, client.bottom, PictureDC(), offset.x, offset.y, SRCCOPY);
    RECT inner = {kBorder - offset.x, kBorder - offset.y, (window.right - window.left) - kBorder - offset.x,
                  (window.bottom - window.top) - kBorder - offset.y};
    IntersectRect(&inner, &inner, &client);
    {
        const TGdiHandle<HRGN> clip(CreateRectRgnIndirect(&inner));
        SelectClipRgn(dc, clip.get());
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    {
        FOwnPrint = true;
        const TScopeExit done([this] { FOwnPrint = false; });
        SendMessageW(FHandle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    SetBkMode(dc, oldMode);
    SelectClipRgn(dc, nullptr);
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

// Windows: the 3-pixel border is the non-client area. Under Wine the window has none and the
// border is part of the client paint.
void TPopupMenuSkin::PaintBorder(TWindowMessage& m)
{
    RECT client{};
    GetClientRect(FHandle, &client);
    RECT window{};
    GetWindowRect(FHandle, &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    if ((client.right >= width && client.bottom >= height) || !PrepareBackground()) {
        m.CallNext();
        return;
    }
    const TWindowDC dc(FHandle);
    HDC source = PictureDC();
    const int b = kBorder;
    BitBlt(dc.Handle(), 0, 0, width, b, source, 0, 0, SRCCOPY);
    BitBlt(dc.Handle(), 0, height - b, width, b, source, 0, height - b, SRCCOPY);
    BitBlt(dc.Handle(), 0, b, b, height - 2 * b, source, 0, b, SRCCOPY);
    BitBlt(dc.Handle(), width - b, b, b, height - 2 * b, source, width - b, b, SRCCOPY);
    m.Result = 0;
}

// WM_PRINT (the platform's menu animation, a screenshot of the window): the whole
// background, then the platform's printing of the items inside the border.
void TPopupMenuSkin::Print(TWindowMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc || !PrepareBackground()) {
        m.CallNext();
        return;
    }
    const int width = FBackground->Width(), height = FBackground->Height();
    BitBlt(dc, 0, 0, width, height, PictureDC(), 0, 0, SRCCOPY);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    {
        const TGdiHandle<HRGN> clip(CreateRectRgn(kBorder, kBorder, width - kBorder, height - kBorder));
        SelectClipRgn(dc, clip.get());
    }
    const TScopeExit restore([&] {
        SelectClipRgn(dc, nullptr);
        SetBkMode(dc, oldMode);
    });
    m.CallNext();
}

void TPopupMenuSkin::WindowDestroyed(HWND)
{
    // The hook list is gone with the window; the manager lets go of this object (when it
    // has not already, on the window's destruction notice).
    FSubclassed = false;
    FManager.PopupWindowGone(this);
}
