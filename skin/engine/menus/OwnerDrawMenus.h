// TFormMenus: the menu half of a form skinning object. It switches the form's framework
// menus to owner-drawing with handlers of its own (popup menu components, and the
// drop-down items of main menus), draws and measures their items from the skin
// (MenuItemPaint.h) over the background of the popup window that shows them, and draws
// the native owner-drawn items (MakeOwnerDraw) that reach the skinned window as
// WM_MEASUREITEM and WM_DRAWITEM.
//
// Its handlers are told apart from the application's by their object, so switching off
// clears only what it set (and, for main menus, everything, as the application's own
// handlers assumed a skinned look). Menus it touched are watched: when one is freed first
// it is forgotten; when this object goes first, its handlers are taken off the items.
#pragma once

#include "framework/Component.h"
#include "framework/WindowHooks.h"

#include <windows.h>

#include <memory>
#include <vector>

class TCanvas;
class TCustomForm;
class TMainMenu;
class TMenu;
class TMenuItem;
class TSkinData;
class TSkinManager;
class TMenuItemPainter;
struct TItemBackground;

class TFormMenus : public TComponent {
public:
    TFormMenus(TSkinManager& manager, HWND window);
    ~TFormMenus() override;

    // The skin to draw with (again after it was reloaded: what was rendered from the old
    // pictures is dropped).
    void SetSkin(TSkinData* skin);
    // The window's menu bar when it was skinned (0 for none): native owner-drawn items are
    // only drawn here for a window that had one.
    void SetFormMenu(HMENU menu) { FFormMenu = menu; }
    // The framework menu of the skinned menu bar: its drop-down items reach the window as
    // native owner-drawn items and are drawn here.
    void SetBarMenu(TMainMenu* menu) { FBarMenu = menu; }

    // Popup menu components of the form (not those the skin's DisableTag excludes).
    void SetPopupMenusOwnerDraw(TCustomForm* form, bool on);
    // Main menu components: their items below the top level, unless they draw themselves.
    void SetMainMenusOwnerDraw(TCustomForm* form, bool on);
    // The item and all below it (a tool button's menu).
    void SetItemTreeDrawing(TMenuItem& item);
    // Remembers a menu whose items carry this object's handlers.
    void Watch(TMenu& menu);

    // Framework OnMeasureItem/OnDrawItem handlers.
    void MeasureMenuItem(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MeasurePopupItem(TObject* sender, TCanvas* canvas, int& width, int& height);
    void DrawMenuItem(TObject* sender, TCanvas* canvas, RECT rect, bool selected);

    // WM_MEASUREITEM / WM_DRAWITEM of the skinned window: true when answered here.
    bool HandleMeasureItem(TWindowMessage& message);
    bool HandleDrawItem(TWindowMessage& message);

    // Whether a handler of an item is one of this object's.
    bool OwnsHandlers(const TMenuItem& item) const;

    void Notification(TComponent* component, TOperation operation) override;

private:
    TItemBackground BackgroundOf(HMENU menu) const;
    void AddExtraWidth(TObject* sender, int& width, int (TMenuItemPainter::*extra)(bool) const) const;
    bool AllowsPopupMenu(const TMenu& menu, const TCustomForm& form) const;
    void SetHandlers(TMenuItem& item, bool popupMeasure);
    void ClearHandlers(TMenuItem& item, bool onlyOwn);
    void Unwatch(TMenu& menu);
    // A framework item of the menu bar that the application does not draw itself.
    TMenuItem* BarItem(UINT command) const;

    TSkinManager& FManager;
    HWND FHandle;
    TSkinData* FSkin = nullptr;
    std::unique_ptr<TMenuItemPainter> FPainter;  // while there is a skin
    HMENU FFormMenu = nullptr;
    TMainMenu* FBarMenu = nullptr;
    std::vector<TMenu*> FWatched;
};

// Makes every item of a native menu and its sub-menus owner-drawn, keeping their texts
// (they still name the accelerator letters).
void MakeOwnerDraw(HMENU menu);
