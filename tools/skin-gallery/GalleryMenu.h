// The gallery's menu bar: four entries whose drop-downs hold items with pictures, shortcut
// texts, check marks, a radio group, disabled items, a default item, separators and
// sub-menus, so that the skin's menu drawing can be seen (and driven by the keyboard) in
// every state. Choosing an item shows its caption in the status bar.
#pragma once

#include <string>

class TForm;
class TImageList;
class TMainMenu;
class TMenuItem;
class TStatusBar;
class TToolBar;

struct TGalleryMenu {
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *Edit = nullptr, *View = nullptr, *Help = nullptr;
    TMenuItem* Recent = nullptr;    // File's sub-menu
    TMenuItem* ToolBarItem = nullptr;  // View's check items
    TMenuItem* Zoom = nullptr;         // View's sub-menu of radio items
    TMenuItem* MdiItem = nullptr;      // File: opens the MDI window
    std::wstring Chosen;            // the caption of the item chosen last
};

// Makes the menu (owned by the form) and gives it to the form. The tool bar and status bar
// are shown and hidden by View's check items; the status bar shows the chosen item.
void MakeGalleryMenu(TForm& form, TImageList* images, TToolBar* toolBar, TStatusBar* statusBar, TGalleryMenu& menu);
