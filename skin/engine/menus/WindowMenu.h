// The skinned window menu (the title-bar icon's menu and Alt+Space): a framework popup menu
// with Restore, Maximize, Minimize, a line and Close, the skin's window-menu glyphs as its
// images, each item tagged with what it does, drawn and measured by the skin.
#pragma once

#include "framework/Event.h"

#include <memory>

class TFormMenus;
class TImageList;
class TPopupMenu;

// Item tags (also the glyph index of the item).
enum TWindowMenuTag { wmRestore = 0, wmMaximize = 1, wmMinimize = 2, wmClose = 3, wmLine = 100 };

// The window menu; Maximize and Minimize only where the window offers them.
std::unique_ptr<TPopupMenu> BuildSystemPopup(TFormMenus& menus, TImageList* images, bool maximize, bool minimize,
                                             const TNotifyEvent& onClick);
// Enables what the window's state (0 normal, 1 maximized, 2 minimized) allows.
void EnableSystemPopup(TPopupMenu& menu, int windowState);
