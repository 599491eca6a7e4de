// TPopupMenuSkin: the skinned look of one popup menu window (class "#32768"). Its border,
// and every part of it the items leave free, come from the skin's MenuBackground picture,
// rendered at the window's size. The items are drawn by the form's menu drawing
// (MenuItemPaint.h), which copies each item's background out of this picture, found by the
// menu's handle through the manager (PopupBackground), so the items blend into it.
//
// Wine draws a popup's border inside its client area (the window has no non-client part)
// and paints the whole window on WM_PAINT; Windows paints the border as the non-client
// area. Both are served: the client area is composed in one bitmap from the background and
// the platform's own drawing of the items, clipped to stay off the 3-pixel border band,
// and the non-client border, when there is one, is copied from the background.
//
// The manager makes one when the window is created and frees it when the window is
// destroyed, with skinning on or off.
#pragma once

#include "skin/engine/GdiTally.h"
#include "framework/WindowHooks.h"

#include <windows.h>

#include <memory>

class TSkinData;
class TSkinManager;

class TPopupMenuSkin : private TWindowHook {
public:
    TPopupMenuSkin(TSkinManager& manager, HWND window, TSkinData& skin);
    ~TPopupMenuSkin() override;
    TPopupMenuSkin(const TPopupMenuSkin&) = delete;
    TPopupMenuSkin& operator=(const TPopupMenuSkin&) = delete;

    // Puts the object in front of the window's procedure / takes it away again.
    void Subclass();
    void Unsubclass();

    HWND Handle() const { return FHandle; }
    bool Subclassed() const { return FSubclassed; }
    // The menu the window shows; 0 until known.
    HMENU MenuHandle() const { return FMenuHandle; }
    void BindMenu(HMENU menu) { FMenuHandle = menu; }
    // The background as rendered at the last paint; null before the first or without a
    // MenuBackground picture in the skin.
    const TBitmap* Background() const;
    // Where the client area's top-left corner lies in the window (and so in Background), as
    // at the last paint.
    POINT ClientOffset() const { return FClientOffset; }

    // Width of the border band painted from the background.
    static constexpr int kBorder = 3;

private:
    bool WndProc(TWindowMessage& message) override;
    void WindowDestroyed(HWND window) override;
    bool HasPicture() const;
    HDC PictureDC() const;
    // Renders the background at the window's size (again when the size changed) and learns
    // the menu handle; false without a picture.
    bool PrepareBackground();
    void PaintBorder(TWindowMessage& message);
    void PaintClient(HDC target);
    void Print(TWindowMessage& message);

    TSkinManager& FManager;
    HWND FHandle;
    TSkinData& FSkin;
    HMENU FMenuHandle = nullptr;
    bool FSubclassed = false;
    bool FOwnPrint = false;  // our own WM_PRINTCLIENT is on its way to the platform's drawing
    std::shared_ptr<const TCountedBitmap> FBackground;  // shared with popups of the same size
    POINT FClientOffset{};
};
