// TFormSkin: skins the frame of one top-level window — a framework form, or a window with
// no framework form behind it (a message box, a common dialog, a property frame). It sits
// on the window's hook list (framework/WindowHooks.h) in front of the window's own
// procedure, replaces the non-client area by a frame drawn from the skin (borders, title
// strip with caption and buttons), answers hit tests for it, cuts the window's shape from
// the borders' transparent pixels, gives the window's controls their skinning objects
// (Controls(), skin/engine/controls/), and gives everything back when it is unskinned.
//
// The skin manager makes one per window it accepts. A framework form owns its object (it is
// one of the form's components); the manager owns the others. Either way the object is
// freed after its window is gone (state Dead) or when skinning is switched off.
#pragma once

#include "skin/engine/GdiTally.h"
#include "skin/engine/frames/FrameGeometry.h"
#include "skin/engine/frames/TitleButtons.h"
#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/WindowHooks.h"

#include <memory>
#include <string>
#include <vector>

class TControlAttachment;
class TCustomForm;
class TFormMenus;
class TMenuBarSkin;
class TPopupMenu;
class TSkinData;
class TSkinManager;

enum TFormSkinState { fsWaiting = 0, fsReady = 1, fsRefreshing = 3, fsDestroying = 4, fsFitting = 5, fsDead = 6 };

// What the window's style offered when it was skinned, and whether the caption was removed.
enum TFrameIcon { fiMaximize = 1, fiMinimize = 2, fiSystemMenu = 8, fiCaptionRemoved = 16 };

class TFormSkin : public TComponent, private TWindowHook {
public:
    // owner: the framework form of the window, or null for a raw window.
    TFormSkin(TComponent* owner, TSkinManager& manager, HWND window);
    ~TFormSkin() override;

    void AttachForm(TSkinData& skin, TCustomForm& form);
    void Attach(TSkinData& skin);
    // Gives the window its native frame back keeping its client size, and lets go of it.
    void Unskin();
    void RefreshSkin();
    void UpdateGeometry();
    void FreeTitleButtons();
    void FitToClient(bool reread);
    void SetCaptionStyle(bool restore);
    void BuildRegion();
    void DropRegion();
    void FrameChanged();
    // Paints the whole skinned frame into dc, or into the window's own DC when dc is null.
    void PaintFrame(HDC dc = nullptr);

    HWND Handle() const { return FHandle; }
    TCustomForm* Form() const { return FForm; }
    // The form's border-width band between the frame and the client area (0 for a raw
    // window): the skin keeps it and paints it in the form's colour.
    int BorderBand() const;
    TSkinData* Skin() const { return FSkin; }
    TFormSkinState State() const { return FState; }
    bool Hooked() const { return FHooked; }
    bool Active() const { return FActive; }
    TBorderKind BorderKind() const { return FBorderKind; }
    const TFrameThickness& Frame() const { return FFrame; }
    int MenuHeight() const { return FMenuHeight; }
    bool HasRegion() const { return FHasRegion; }
    const RECT& TitleTextRect() const { return FTitleTextRect; }
    const std::vector<std::unique_ptr<TWinSysButton>>& TitleButtons() const { return FTitleButtons; }
    TNCObject* HotObject() const { return FHotObject; }
    void SetHotObject(TNCObject* object) { FHotObject = object; }

    // Title-bar buttons.
    TWinSysButton* ButtonAt(POINT windowPoint) const;
    void LayoutTitleButtons();
    void PaintButton(const TWinSysButton& button, int frame);
    void DoAction(const TWinSysButton& button, POINT screenPoint);
    void ToggleMaximize();
    void ToggleMinimize();
    void Restore();
    void ShowWindowMenu(POINT screenPoint);
    // The skinned window menu (null before attaching) and the form's menu drawing.
    TPopupMenu* SystemPopup() const { return FSystemPopup.get(); }
    TFormMenus& Menus() const { return *FMenus; }
    // The skinned menu bar of a window that has a menu; null otherwise.
    TMenuBarSkin* MenuBar() const { return FMenuBar.get(); }
    TSkinManager& Manager() const { return FManager; }
    // The menu's entries changed: the bar is made again and repainted.
    void MenuBarChanged();

    // The skinning objects of the window's controls.
    TControlAttachment& Controls() const { return *FControls; }

    // MDI. The MDI client when this window is an MDI frame; null otherwise.
    HWND MdiClient() const;
    // An MDI frame whose active child is maximized: the child's buttons are on its bar.
    bool ActiveChildMaximized() const;
    // A system command (SC_MINIMIZE, SC_RESTORE, SC_CLOSE) for the frame's active child.
    void MdiChildCommand(UINT command);
    // A child of this MDI frame was maximized, restored or went: the bar shows or hides
    // its buttons.
    void MdiChildChanged();

    // Screen point to window coordinates.
    POINT ScreenToWindow(POINT screen) const;
    void ReadWindowState();

private:
    bool WndProc(TWindowMessage& message) override;
    void WindowDestroyed(HWND window) override;
    bool FrameMessage(TWindowMessage& message);
    bool PaintedFrameMessage(TWindowMessage& message);
    bool MouseMessage(TWindowMessage& message);
    bool PressedButtonMessage(TWindowMessage& message);
    void HandleSkinAttach();
    void HandleCalcSize(TWindowMessage& message);
    void HandleActivation(TWindowMessage& message);
    void HandleSysCommand(TWindowMessage& message);
    void CallDefaultHidden(TWindowMessage& message);
    void QuietUnskin();
    void Unhook();
    void LoadSmallIcon();
    bool FramePainted() const;
    void SetHoverTimer(bool enabled);
    void CheckHover();
    void EndPress(bool act);
    TButtonContext ButtonContext(int buttonIndex) const;
    void AttachMenus();
    void DetachMenus(bool restoreItems);
    void SystemPopupClick(TObject* sender);

    // Painting (FramePaint.cpp).
    void PaintBorder(int index, HDC dc, const RECT& rect);
    void PaintTitle(HDC dc);
    void PaintTitleButtons(HDC dc);
    void DrawCaptionText(HDC dc, const RECT& area);
    std::wstring CaptionText() const;
    bool ComposeFrame(int width, int height);

    TSkinManager& FManager;
    HWND FHandle;
    TCustomForm* FForm = nullptr;
    TSkinData* FSkin = nullptr;
    bool FHooked = false;
    bool FFrameSkinned = false;
    LONG_PTR FOriginalStyle = 0;
    bool FRightToLeftCaption = false;
    HWND FOwnerWindow = nullptr;
    HMENU FSystemMenu = nullptr;
    std::wstring FClassName;
    RECT FSavedClientRect{};
    int FNativeFrameWidth = 0, FNativeFrameHeight = 0;
    int FBorderIcons = 0;  // TFrameIcon bits
    int FWindowState = 0;  // 0 normal, 1 maximized, 2 minimized
    TBorderKind FBorderKind = bkFixed;
    bool FIsDialogClass = false;
    TFrameThickness FFrame;
    int FMenuHeight = 0;
    std::vector<std::unique_ptr<TWinSysButton>> FTitleButtons;
    TNCObject* FHotObject = nullptr;
    TWinSysButton* FPressedButton = nullptr;  // held down with the mouse captured
    bool FActive = true;
    TFormSkinState FState = fsWaiting;
    RECT FTitleTextRect{};
    int FRightButtonsLeft = 0;
    std::unique_ptr<TCountedBitmap> FTitleBitmap;
    std::unique_ptr<TCountedBitmap> FSmallIcon;
    HICON FIconHandle = nullptr;
    int FIconSize = 16;
    TCountedGdi<HFONT> FCaptionFont;
    bool FHasRegion = false;
    int FRegionWidth = 0, FRegionHeight = 0;
    bool FHoverTimer = false;
    DWORD FLastSystemMenuTime = 0;
    UINT FDoubleClickTime = 500;
    TColor FSavedFormColor = clBtnFace;
    // The whole frame as last painted, for repainting it with one copy while nothing changed.
    std::unique_ptr<TCountedBitmap> FFrameCache;
    bool FFrameCacheValid = false;
    bool FCachedActive = false;
    int FCachedWindowState = 0;
    std::wstring FCachedCaption;
    // Declared in this order so that the window menu, whose items call the menu drawing,
    // goes first.
    std::unique_ptr<TFormMenus> FMenus;
    std::unique_ptr<TPopupMenu> FSystemPopup;
    std::unique_ptr<TMenuBarSkin> FMenuBar;
    std::unique_ptr<TControlAttachment> FControls;
    friend class TNCObject;
    friend class TWinSysButton;
};
