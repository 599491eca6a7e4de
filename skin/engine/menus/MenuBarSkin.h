// TMenuBarSkin: the menu bar of a skinned window, drawn by the skin in a strip under the
// title. The window's own menu is taken away while skinned (and given back when unskinned);
// every top-level entry becomes a TMenuBtn, a frame object that lights up under the mouse
// like the title-bar buttons. Pressing an entry, or Alt with its letter, drops its sub-menu
// down below it (items owner-drawn, so the skin draws them; the popup window is skinned by
// the manager); while it is open the arrow keys and the mouse move to the neighbouring
// entries.
//
// Wine's menu loop does not end on a posted non-client press, so switching to a neighbour
// ends the open drop-down (EndMenu) and opens the neighbour's when it has returned.
#pragma once

#include "skin/engine/GdiTally.h"
#include "skin/engine/frames/TitleButtons.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TFormSkin;
class TMainMenu;
class TMenuBarSkin;
class TMenuItem;
class TSkinData;

// Tidies the separators of a drop-down before it opens (a separator is an item "-"): none
// shows before the first or after the last visible item, and of a run between two visible
// items only the last shows. Only visibility changes, so the drop-down's menu handle stays.
void TidySeparators(TMenuItem& parent);

class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TFormSkin& form, TMenuBarSkin& bar, int index) : TNCObject(form), Bar(bar), Index(index) {}
    void Paint() override;

    TMenuBarSkin& Bar;
    int Index;
    TMenuItem* SourceItem = nullptr;  // the framework's top-level item, if any
    std::wstring Caption;             // with its ampersand
    bool Enabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
};

class TMenuBarSkin {
public:
    TMenuBarSkin(TFormSkin& form, HWND window, TSkinData& skin, TMainMenu* frameworkMenu);
    ~TMenuBarSkin();
    TMenuBarSkin(const TMenuBarSkin&) = delete;
    TMenuBarSkin& operator=(const TMenuBarSkin&) = delete;

    // Makes the entries from the window's menu and takes the menu away from the window.
    // A menu other than the form's own (an MDI frame's merged bar) is read item by item,
    // each entry shown from the framework item with its command.
    void BuildFromMenu();
    // Gives the window its menu back. A native menu never given back (its window went
    // first) is destroyed with the bar, as the window would have destroyed it.
    void GiveMenuBack();
    // The bar at r (window coordinates) onto dc.
    void PaintBar(HDC dc, const RECT& r);
    // One entry straight onto the window, in its current look.
    void PaintEntry(const TMenuBtn& entry);
    // The entry at a window point; null when none.
    TMenuBtn* ItemAt(POINT windowPoint) const;
    // The usable entry with this accelerator letter; null when none.
    TMenuBtn* AccelItem(wchar_t letter) const;
    // Drops the entry's sub-menu down (modal) and the neighbours' the user moves to; true
    // when a sub-menu was shown.
    bool DropDown(TMenuBtn& entry, bool byKeyboard);
    // DropDown, then the lit bar when the drop-down was left with Escape.
    void OpenFromBar(TMenuBtn& entry, bool byKeyboard);
    // The bar lit for the keyboard at the entry of index (Alt alone, F10): the arrows move
    // along the bar, Down, Up or Enter drop the lit entry down, a letter drops its entry
    // down; Escape, Alt, F10, a click or losing the activation leave. Modal like the
    // platform's own menu loop, so the keys reach the bar whichever control has the focus.
    void KeyboardMode(int index);
    // The first entry that can be opened; null when none.
    TMenuBtn* FirstUsable() const;
    // The menu changed while a drop-down was open: made again once it has closed.
    void RebuildAfterDropDown() { FRebuildPending = true; }
    // WM_MENUSELECT of the window while a drop-down is open.
    void NoteSelection(WPARAM wParam, LPARAM lParam);

    // A drop-down (or the run of neighbours opened one after the other) is open.
    // Also while the bar is lit for the keyboard: its entries are in use.
    bool DroppedDown() const { return FDroppedDown || FDroppedIndex >= 0 || FKeyboardMode; }
    bool KeyboardModeActive() const { return FKeyboardMode; }
    HMENU BarMenuHandle() const { return FBarMenu; }
    TMainMenu* FrameworkMenu() const { return FFrameworkMenu; }
    const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return FItems; }

private:
    static LRESULT CALLBACK TrackHook(int code, WPARAM wParam, LPARAM lParam);
    bool Track(const MSG& message);
    void SwitchTo(const TMenuBtn* target);
    const TMenuBtn* Neighbour(int from, bool next) const;
    // Opens the entry from the lit bar; the index to light again, or -1 to leave.
    int OpenFromKeyboardMode(int index);
    HMENU SubMenuOf(const TMenuBtn& entry) const;

    TFormSkin& FForm;
    HWND FHandle;
    TSkinData& FSkin;
    TMainMenu* FFrameworkMenu;
    HMENU FBarMenu = nullptr;
    bool FGivenBack = false;
    bool FFromHandle = false;  // the entries come from FBarMenu, not the framework menu
    std::vector<std::unique_ptr<TMenuBtn>> FItems;
    std::unique_ptr<TCountedBitmap> FBackground;  // the bar without captions, as last painted
    RECT FBarRect{};
    // While a drop-down is open.
    bool FDroppedDown = false;
    bool FRebuildPending = false;
    int FDroppedIndex = -1;
    int FSwitchIndex = -1;          // the neighbour to open once the drop-down has ended
    HMENU FSelectedMenu = nullptr;  // the menu of the item selected last, and whether it opens one
    bool FSelectedOpensMenu = false;
    bool FEscaped = false;          // Escape was pressed in the drop-down's first level
    int FEscapedIndex = -1;         // the entry whose drop-down was left with Escape last
    bool FKeyboardMode = false;
    POINT FLastCursor{};
    HHOOK FHook = nullptr;
};
