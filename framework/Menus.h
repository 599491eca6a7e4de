// Menus: TMenuItem (Caption — "-" makes a separator —, Checked, RadioItem, Enabled, Visible, Default,
// ImageIndex into its menu's Images, ShortCutText, linked Action, OnClick, and the
// owner-draw events OnMeasureItem/OnDrawItem used when the menu's OwnerDraw is set), TMainMenu (the menu bar of a form; changes rebuild it and send the
// form CM_MENUCHANGED) and TPopupMenu (Popup at a screen point; shown by a control's
// PopupMenu on a right click). Menu handles are built when first needed (an item of a
// drop-down shown or hidden changes its built menu in place); every item has
// a command identifier by which WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM find it.
#pragma once
#include "framework/Actions.h"
#include "framework/Canvas.h"
#include "framework/Handles.h"
#include "framework/Messages.h"

#include <string>
#include <vector>

class TMenu;
class TCustomForm;
class TImageList;

using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, RECT, bool>;

class TMenuItem : public TComponent, public TActionClient {
    KIVORA_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the other radio items of its GroupIndex among its
    // siblings.
    void SetChecked(bool checked);
    // Shown with a bullet instead of a check mark when checked.
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool radio);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index) { FGroupIndex = index; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& hint) { FHint = hint; }
    // The picture of the item in its menu's Images; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    // The key shown right of the caption ("Shift+F4"). Only shown: the window that owns
    // the key handles it.
    const std::wstring& ShortCutText() const { return FShortCutText; }
    void SetShortCutText(const std::wstring& text);
    // The default item of its menu, drawn bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    TAction* Action() const { return FAction; }
    void SetAction(TAction* action);
    bool IsLine() const { return FCaption == L"-"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    TMenu* GetParentMenu() const;

    UINT Command() const { return FCommand; }
    // The handle of the sub-menu this item opens (0 without sub-items or before the
    // menu is built).
    HMENU Handle() const { return FHandle; }

    // OnClick, or the linked action's OnExecute.
    virtual void Click();
    // Owner-draw: the events when assigned, else plain drawing.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    void ActionChanged(TAction* action) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenu;
    void MenuChanged(bool rebuild);
    std::wstring FCaption, FHint, FShortCutText;
    bool FChecked = false, FEnabled = true, FVisible = true, FDefault = false, FRadioItem = false;
    int FImageIndex = -1, FGroupIndex = 0;
    bool FCaptionFromAction = false;
    TAction* FAction = nullptr;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on the root item of a menu
    UINT FCommand = 0;
    HMENU FHandle = nullptr;
};

class TMenu : public TComponent {
    KIVORA_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    TMenuItem* Items() const { return FItems; }
    HMENU Handle();
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool ownerDraw);
    // The pictures of the items (ImageIndex); not owned.
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    // Builds the menu handle again after items changed.
    virtual void Rebuild();
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual HMENU CreateMenuHandle() = 0;
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }
    TMenuHandle FHandle;

private:
    friend class TMenuItem;
    void Build(HMENU menu, TMenuItem* parent);
    void InsertItem(HMENU menu, UINT position, TMenuItem* item);
    // A sub-menu item shown or hidden: put into or taken out of its built menu.
    void ShowItem(HMENU menu, TMenuItem* item);
    static void ForgetHandles(TMenuItem* item);
    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TImageList* FImages = nullptr;
};

class TMainMenu : public TMenu {
    KIVORA_CLASS(TMainMenu, TMenu)
public:
    using TMenu::TMenu;
    ~TMainMenu() override;
    void Rebuild() override;
    // The form whose menu bar this is (set by TCustomForm::SetMenu).
    void SetWindow(TCustomForm* form) { FForm = form; }

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }

private:
    TCustomForm* FForm = nullptr;
};

class TPopupMenu : public TMenu {
    KIVORA_CLASS(TPopupMenu, TMenu)
public:
    using TMenu::TMenu;
    // Shows the menu at a screen point and runs the chosen item.
    virtual void Popup(int x, int y);
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component) { FPopupComponent = component; }
    TNotifyEvent OnPopup;

protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

private:
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
};

// WM_COMMAND of a menu item: runs it; false when no item has that command.
bool DispatchMenuCommand(UINT command);
// WM_MEASUREITEM / WM_DRAWITEM of a framework menu item; false for anything else.
bool DispatchMenuOwnerDraw(TMessage& message);
// WM_MENUCHAR of a menu with framework items: a key that is an item's accelerator letter
// runs that item (the platform leaves this to the owner for owner-drawn items); false when
// no item of the menu has it.
bool DispatchMenuChar(TMessage& message);
TMenuItem* FindMenuItem(UINT command);
// The system's menu font.
TFont& MenuFont();
