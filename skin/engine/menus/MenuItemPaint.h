// Drawing and measuring one menu item from the skin: the item is composed in a bitmap of
// its own size — its piece of the popup window's rendered background (or the skin's menu
// colour), the MenuItem picture's frame for its state (1 normal, 4 selected; frame 2 is
// the separator line), glyph (image, or check mark), caption and shortcut — and put on the
// target in one copy, so it never flickers between background and frame.
//
// Items are framework menu items; a native item (known only by menu handle and command)
// is drawn through a temporary framework item made from it (MakeRawItem).
#pragma once

#include "framework/Color.h"

#include <windows.h>

#include <memory>
#include <string>

class TBitmap;
class TCanvas;
class TMenuItem;
class TSkinData;

// What an item is drawn on: the popup window's background and where the item's rectangle
// (in the popup's client coordinates) lies in it. No picture: the skin's menu colour.
struct TItemBackground {
    const TBitmap* Picture = nullptr;
    POINT Offset{};
};

class TMenuItemPainter {
public:
    explicit TMenuItemPainter(const TSkinData& skin) : FSkin(skin) {}

    // Width added to the framework's measure of an item of a popup menu component (the
    // window menu too) and of a menu bar's drop-down; height stays.
    int PopupItemExtraWidth(bool hasImages) const;
    int MenuItemExtraWidth(bool hasImages) const;

    // The whole item, in one copy onto canvas at rect. A skin without a MenuItem picture
    // gets plain colours.
    void DrawMenuItem(const TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected,
                      const TItemBackground& background) const;
    void DrawPlainItem(const TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected) const;
    // Frame 2 of the MenuItem picture as a line across rect of canvas, magenta left out:
    // the bottom rows of the frame for a short item, the frame stretched for a tall one.
    void DrawSeparator(TCanvas& canvas, const RECT& rect) const;
    // Glyph, caption and shortcut of the item, on the item's own bitmap.
    void DrawItemContent(const TMenuItem& item, TCanvas& canvas, bool selected, const RECT& rect) const;
    // The caption with the state's colour; with DT_CALCRECT measures it into rect.
    void DrawItemText(const TMenuItem& item, TCanvas& canvas, UINT flags, bool selected, RECT& rect,
                      std::wstring text) const;
    // The colour an item's caption is drawn in.
    TColor TextColor(const TMenuItem& item, bool selected) const;

private:
    void DrawCheckMark(TCanvas& canvas, const RECT& glyph) const;
    const TSkinData& FSkin;
};

// A temporary framework item with the text, enabling and check mark of a native menu
// item (by command); a separator's caption is "-".
std::unique_ptr<TMenuItem> MakeRawItem(HMENU menu, UINT command);
