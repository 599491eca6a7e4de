// Drawing and measuring one menu item from the skin: the item is composed in a bitmap of
// its own size — its piece of the popup window's rendered background (or the skin's menu
// colour), the MenuItem picture's frame for its state (1 normal, 4 selected; frame 2 is
// the separator line), glyph (image, or check mark), caption and shortcut — and put on the
// target in one copy, so it never flickers between background and frame.
//
// Items are framework menu items; a native item (known only by menu handle and command)
// is drawn through a temporary framework item made from it (MakeRawItem).
#pragma once

#include "skin/engine/GdiTally.h"
#include "framework/Canvas.h"
#include "framework/Color.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// A painter keeps what every item of its skin draws with — the menu font's canvas, the
// bitmap items are composed in, the MenuItem frames rendered at the items' sizes — so a
// menu's items make no GDI object of their own. Its owner keeps it as long as the skin.
class TMenuItemPainter {
public:
    explicit TMenuItemPainter(const TSkinData& skin);
    ~TMenuItemPainter();
    TMenuItemPainter(const TMenuItemPainter&) = delete;
    TMenuItemPainter& operator=(const TMenuItemPainter&) = delete;
    const TSkinData& Skin() const { return FSkin; }

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
    // A check mark, or a bullet for a radio item.
    void DrawCheckMark(TCanvas& canvas, const RECT& glyph, bool radio) const;
    // Composes an item in the shared bitmap with the menu font and puts it on canvas at
    // rect in one copy.
    void Compose(TCanvas& canvas, const RECT& rect, const std::function<void(TCanvas&, const RECT&)>& draw) const;
    // The MenuItem frame over the item: rendered once per size, left out where it is all
    // transparent.
    void DrawFrame(HDC dc, const RECT& rect, int frame) const;
    bool FrameIsTransparent(int frame) const;

    struct TRenderedFrame {
        int Frame, Width, Height;
        std::unique_ptr<TCountedBitmap> Picture;
    };
    const TSkinData& FSkin;
    mutable TCanvas FCanvas;
    mutable std::unique_ptr<TCountedBitmap> FComposed;
    mutable std::vector<TRenderedFrame> FFrames;
    mutable std::array<int, 6> FTransparentFrames{};  // by frame: 0 not known yet, 1 yes, 2 no
    mutable TCountedGdi<HBITMAP> FCheckMark;            // made at the first checked item
    mutable TCountedGdi<HBITMAP> FBullet;               // made at the first checked radio item
};

// A temporary framework item with the text, enabling and check mark of a native menu
// item (by command); a separator's caption is "-".
std::unique_ptr<TMenuItem> MakeRawItem(HMENU menu, UINT command);
