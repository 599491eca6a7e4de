#include "skin/engine/menus/MenuBarSkin.h"

#include "skin/ElementFrame.h"
#include "skin/SkinData.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/engine/menus/OwnerDrawMenus.h"
#include "framework/DeviceContext.h"
#include "framework/Menus.h"

#include <algorithm>
#include <cwctype>

namespace {

// The bar whose drop-down is open: a message-filter hook has no context of its own, and
// one drop-down at a time is open on the GUI thread.
TMenuBarSkin* gTracking = nullptr;

constexpr int kCaptionPadding = 10;  // around an entry's caption

HDC DCOf(const TBitmap& bitmap)
{
    return const_cast<TBitmap&>(bitmap).Canvas()->Handle();
}

wchar_t Accelerator(const std::wstring& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(caption[i + 1]));
        ++i;
    }
    return 0;
}

// The caption centred in r both ways; a disabled one in the platform's button shadow.
void DrawCenteredCaption(HDC dc, const RECT& r, const std::wstring& text, bool enabled, COLORREF color)
{
    constexpr UINT format = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS;
    RECT t = r;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, format | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&t, ((r.right - r.left) - (t.right - t.left)) / 2 + (r.left - t.left),
               ((r.bottom - r.top) - (t.bottom - t.top)) / 2 + (r.top - t.top));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, enabled ? color : ColorToRGB(clBtnShadow));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, format);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

}  // namespace

void TidySeparators(TMenuItem& parent)
{
    int first = -1, last = -1;  // the visible items that are not separators
    for (int i = 0; i < parent.Count(); ++i)
        if (!parent.Items(i)->IsLine() && parent.Items(i)->Visible()) {
            if (first < 0)
                first = i;
            last = i;
        }
    TMenuItem* pending = nullptr;  // the last separator of the run since the previous item
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = *parent.Items(i);
        if (item.IsLine()) {
            if (pending)
                pending->SetVisible(false);
            pending = nullptr;
            if (i > first && i < last)
                pending = &item;
            else
                item.SetVisible(false);
        } else if (item.Visible() && pending) {
            pending->SetVisible(true);
            pending = nullptr;
        }
    }
}

void TMenuBtn::Paint()
{
    Bar.PaintEntry(*this);
}

TMenuBarSkin::TMenuBarSkin(TFormSkin& form, HWND window, TSkinData& skin, TMainMenu* frameworkMenu)
    : FForm(form), FHandle(window), FSkin(skin), FFrameworkMenu(frameworkMenu),
      FBackground(std::make_unique<TCountedBitmap>())
{
}

TMenuBarSkin::~TMenuBarSkin()
{
    if (FHook)
        UnhookWindowsHookEx(FHook);
    if (gTracking == this)
        gTracking = nullptr;
    // The framework owns its menus; a window's native menu taken off it is ours now.
    if (!FFrameworkMenu && FBarMenu && !FGivenBack && (!IsWindow(FHandle) || GetMenu(FHandle) != FBarMenu))
        DestroyMenu(FBarMenu);
}

void TMenuBarSkin::BuildFromMenu()
{
    if (HMENU menu = GetMenu(FHandle)) {
        FBarMenu = menu;
        // A bar that is not the form's own menu: an MDI frame's bar merged with its
        // active child's menu, made from the handle.
        FFromHandle = FFrameworkMenu && menu != FFrameworkMenu->Handle();
    }
    if (!FBarMenu)
        return;
    FItems.clear();
    if (FFrameworkMenu && !FFromHandle) {
        TMenuItem& root = *FFrameworkMenu->Items();
        for (int i = 0; i < root.Count(); ++i) {
            TMenuItem& item = *root.Items(i);
            auto entry = std::make_unique<TMenuBtn>(FForm, *this, i);
            entry->SourceItem = &item;
            entry->Visible = item.Visible();
            entry->Enabled = item.Enabled();
            entry->Command = item.Command();
            entry->Caption = item.Caption();
            FItems.push_back(std::move(entry));
        }
    } else {
        const int count = GetMenuItemCount(FBarMenu);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_DATA;
            if (!GetMenuItemInfoW(FBarMenu, static_cast<UINT>(i), TRUE, &info))
                continue;
            std::wstring text(info.cch + 1, L'\0');
            info.dwTypeData = text.data();
            info.cch = static_cast<UINT>(text.size());
            GetMenuItemInfoW(FBarMenu, static_cast<UINT>(i), TRUE, &info);
            text.resize(std::min<std::size_t>(info.cch, text.size() - 1));
            auto entry = std::make_unique<TMenuBtn>(FForm, *this, static_cast<int>(FItems.size()));
            entry->Visible = true;
            entry->Enabled = (info.fState & MFS_DISABLED) == 0;
            entry->Command = info.wID;
            entry->SubMenu = info.hSubMenu;
            entry->Caption = text;
            // A framework entry (the frame's or a child's) is shown from its item, whose
            // drop-down is built again when it changes.
            TMenuItem* item = FFromHandle ? FindMenuItem(info.wID) : nullptr;
            if (item && item->GetParentMenu() && info.dwItemData == reinterpret_cast<ULONG_PTR>(item)) {
                entry->SourceItem = item;
                entry->Caption = item->Caption();
                entry->Enabled = item->Enabled();
            } else if (FFromHandle && text.empty()) {
                continue;  // a maximized child's picture items: the frame draws its buttons
            }
            FItems.push_back(std::move(entry));
        }
    }
    SetMenu(FHandle, nullptr);
}

void TMenuBarSkin::GiveMenuBack()
{
    // A framework menu may have been rebuilt meanwhile: its handle of now.
    const HMENU menu = FFrameworkMenu && !FFromHandle ? FFrameworkMenu->Handle() : FBarMenu;
    if (menu && IsWindow(FHandle) && SetMenu(FHandle, menu))
        FGivenBack = true;
}

HMENU TMenuBarSkin::SubMenuOf(const TMenuBtn& entry) const
{
    if (!entry.SourceItem)
        return entry.SubMenu;
    if (TMenu* menu = entry.SourceItem->GetParentMenu())
        menu->Handle();  // built again when its items changed
    return entry.SourceItem->Count() > 0 ? entry.SourceItem->Handle() : nullptr;
}

void TMenuBarSkin::PaintBar(HDC dc, const RECT& r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return;
    FBarRect = r;
    FBackground->SetSize(width, height);
    HDC back = DCOf(*FBackground);
    const RECT all{0, 0, width, height};
    const auto& e = FSkin.Elements();
    int start = 6;
    if (!e.MenuBar || e.MenuBar->Image.Empty()) {
        const TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(static_cast<TColor>(e.ColorMenubar))));
        FillRect(back, &all, brush.get());
    } else {
        // Two frames stacked: the active window's over the inactive one's.
        const TFrameSpec frame{2, FForm.Active() ? 1 : 2, true};
        if (e.MenuBar->Tile == 1)
            DrawElementFrame(back, all, e.MenuBar->Image, false, false, frame, e.MenuBar->Margins);
        else
            DrawHorizontalSlices(back, all, e.MenuBar->Image, false, frame, e.MenuBar->Margins);
        start = e.MenuBar->Margins.Left + 4;
        if (start > width)
            start = 12;
    }
    TBitmap composed(width, height);
    HDC c = DCOf(composed);
    BitBlt(c, 0, 0, width, height, back, 0, 0, SRCCOPY);
    const TSelectObject font(c, MenuFont().Handle());
    const COLORREF color = ColorToRGB(static_cast<TColor>(e.ColorMenuBarText));
    int x = start;
    for (const auto& entry : FItems) {
        if (!entry->Visible) {
            entry->Rect = {0, 0, 0, 0};
            continue;
        }
        SIZE size{};
        GetTextExtentPoint32W(c, entry->Caption.c_str(), static_cast<int>(entry->Caption.size()), &size);
        const int w = size.cx > 0 ? size.cx + kCaptionPadding : 0;
        const RECT cell{x, 0, x + w, height - 1};
        DrawCenteredCaption(c, cell, entry->Caption, entry->Enabled, color);
        entry->Rect = cell;
        OffsetRect(&entry->Rect, r.left, r.top);
        x += w;
    }
    // An MDI frame whose active child is maximized: the child's buttons at their places
    // (laid out with the title buttons, in window coordinates).
    if (FForm.ActiveChildMaximized())
        for (const auto& button : FForm.TitleButtons()) {
            const TDataSkinSysButton& e = button->Element;
            if (!button->Visible || e.Visibility != 100 || e.Image.Empty())
                continue;
            RECT at = button->Rect;
            OffsetRect(&at, -r.left, -r.top);
            DrawStripFrame(c, at, e.Image, true, std::max(e.FrameCount, 1), 1);
        }
    BitBlt(dc, r.left, r.top, width, height, c, 0, 0, SRCCOPY);
}

void TMenuBarSkin::PaintEntry(const TMenuBtn& entry)
{
    if (!entry.Visible || IsRectEmpty(&entry.Rect) || FBackground->Empty())
        return;
    const TWindowDC dc(FHandle);
    if (!dc.Handle())
        return;
    const RECT& r = entry.Rect;
    BitBlt(dc.Handle(), r.left, FBarRect.top, r.right - r.left, FBarRect.bottom - FBarRect.top, DCOf(*FBackground),
           r.left - FBarRect.left, 0, SRCCOPY);
    if (entry.ButtonState == nbsPressed || entry.ButtonState == nbsHot) {
        const TGdiHandle<HBRUSH> brush(
            CreateSolidBrush(ColorToRGB(static_cast<TColor>(FSkin.Elements().ColorButtonHilight))));
        FrameRect(dc.Handle(), &r, brush.get());
    }
    const TSelectObject font(dc.Handle(), MenuFont().Handle());
    DrawCenteredCaption(dc.Handle(), r, entry.Caption, entry.Enabled,
                        ColorToRGB(static_cast<TColor>(FSkin.Elements().ColorMenuBarText)));
}

TMenuBtn* TMenuBarSkin::ItemAt(POINT p) const
{
    for (const auto& entry : FItems)
        if (entry->Visible && !entry->Caption.empty() && PtInRect(&entry->Rect, p))
            return entry.get();
    return nullptr;
}

TMenuBtn* TMenuBarSkin::AccelItem(wchar_t letter) const
{
    const wchar_t wanted = static_cast<wchar_t>(std::towupper(letter));
    for (const auto& entry : FItems)
        if (entry->Enabled && entry->Visible && Accelerator(entry->Caption) == wanted)
            return entry.get();
    return nullptr;
}

TMenuBtn* TMenuBarSkin::FirstUsable() const
{
    for (const auto& entry : FItems)
        if (entry->Visible && entry->Enabled && !entry->Caption.empty())
            return entry.get();
    return nullptr;
}

const TMenuBtn* TMenuBarSkin::Neighbour(int from, bool next) const
{
    const int count = static_cast<int>(FItems.size());
    // Entries that cannot open are passed over.
    for (int step = 1; step < count; ++step) {
        const int index = ((from + (next ? step : -step)) % count + count) % count;
        const TMenuBtn& entry = *FItems[static_cast<std::size_t>(index)];
        if (entry.Visible && entry.Enabled && !entry.Caption.empty())
            return &entry;
    }
    return nullptr;
}

bool TMenuBarSkin::DropDown(TMenuBtn& first, bool byKeyboard)
{
    if (first.SourceItem || !first.SubMenu)
        PostMessageW(FHandle, WM_COMMAND, first.Command, 0);  // a framework form runs the top-level item
    bool shown = false;
    FEscapedIndex = -1;
    int index = first.Index;
    while (index >= 0 && index < static_cast<int>(FItems.size())) {
        TMenuBtn& entry = *FItems[static_cast<std::size_t>(index)];
        if (entry.SourceItem)
            TidySeparators(*entry.SourceItem);
        // Read after the tidying: a menu built again meanwhile has a new handle.
        const HMENU sub = SubMenuOf(entry);
        if (!sub || !entry.Enabled)
            break;
        MakeOwnerDraw(sub);
        entry.Press();
        FDroppedDown = true;
        FDroppedIndex = index;
        FSwitchIndex = -1;
        FSelectedMenu = sub;
        FSelectedOpensMenu = false;
        FEscaped = false;
        GetCursorPos(&FLastCursor);
        FForm.Manager().MenuKind = 1;
        FForm.Manager().TrackingMenuBar = true;
        gTracking = this;
        FHook = SetWindowsHookExW(WH_MSGFILTER, TrackHook, nullptr, GetCurrentThreadId());
        if (byKeyboard)
            PostMessageW(FHandle, WM_KEYDOWN, VK_DOWN, 0);  // the drop-down's first item selected
        RECT window{};
        GetWindowRect(FHandle, &window);
        const UINT command = static_cast<UINT>(TrackPopupMenu(sub, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                              window.left + entry.Rect.left,
                                                              window.top + entry.Rect.bottom, 0, FHandle, nullptr));
        if (FHook)
            UnhookWindowsHookEx(FHook);
        FHook = nullptr;
        gTracking = nullptr;
        FDroppedDown = false;
        shown = true;
        if (IsWindow(FHandle))
            entry.Leave();
        if (command)
            PostMessageW(FHandle, WM_COMMAND, command, 0);
        else if (FEscaped && FSwitchIndex < 0)
            FEscapedIndex = index;
        index = FSwitchIndex;
    }
    FDroppedIndex = -1;
    if (FRebuildPending && IsWindow(FHandle)) {
        FRebuildPending = false;
        FForm.MenuBarChanged();  // frees the entries: nothing of them is used after this
    }
    return shown;
}

void TMenuBarSkin::OpenFromBar(TMenuBtn& entry, bool byKeyboard)
{
    DropDown(entry, byKeyboard);
    if (FEscapedIndex >= 0 && IsWindow(FHandle))
        KeyboardMode(FEscapedIndex);
}

int TMenuBarSkin::OpenFromKeyboardMode(int index)
{
    TMenuBtn& entry = *FItems[static_cast<std::size_t>(index)];
    entry.Leave();
    DropDown(entry, true);
    return IsWindow(FHandle) ? FEscapedIndex : -1;
}

void TMenuBarSkin::KeyboardMode(int index)
{
    if (FKeyboardMode || index < 0 || index >= static_cast<int>(FItems.size()))
        return;
    FKeyboardMode = true;
    TMenuBtn* lit = nullptr;
    const auto light = [&](int at) {
        if (lit && IsWindow(FHandle))
            lit->Leave();
        lit = at >= 0 && at < static_cast<int>(FItems.size()) ? FItems[static_cast<std::size_t>(at)].get() : nullptr;
        if (lit)
            lit->Hover();
    };
    // Entries are made again when the menu changed: one index at a time is kept.
    const auto leave = [&] {
        if (lit && IsWindow(FHandle))
            lit->Leave();
        FKeyboardMode = false;
        if (FRebuildPending && IsWindow(FHandle)) {
            FRebuildPending = false;
            FForm.MenuBarChanged();
        }
    };
    light(index);
    MSG msg;
    for (;;) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            leave();
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!IsWindow(FHandle) || GetActiveWindow() != FHandle) {
            leave();
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            return;
        }
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            switch (msg.wParam) {
            case VK_LEFT:
            case VK_RIGHT:
                if (const TMenuBtn* next = Neighbour(index, msg.wParam == VK_RIGHT)) {
                    index = next->Index;
                    light(index);
                }
                continue;
            case VK_DOWN:
            case VK_UP:
            case VK_RETURN:
                lit = nullptr;
                index = OpenFromKeyboardMode(index);
                if (index < 0) {
                    leave();
                    return;
                }
                light(index);
                continue;
            case VK_ESCAPE:
            case VK_MENU:
            case VK_F10:
                // Not passed on: the key's release then opens no menu again.
                leave();
                return;
            default:
                TranslateMessage(&msg);  // a letter comes back as a character
                continue;
            }
        case WM_CHAR:
        case WM_SYSCHAR:
            if (TMenuBtn* entry = AccelItem(static_cast<wchar_t>(msg.wParam))) {
                light(-1);
                index = OpenFromKeyboardMode(entry->Index);
                if (index < 0) {
                    leave();
                    return;
                }
                light(index);
            } else {
                MessageBeep(0);
            }
            continue;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            // A click leaves the lit bar and then does what it does (on an entry: opens it).
            leave();
            DispatchMessageW(&msg);
            return;
        default:
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
    }
}

void TMenuBarSkin::NoteSelection(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == 0xFFFF && lParam == 0)
        return;  // the menu closes
    FEscaped = false;  // Escape only closed a sub-menu: its parent item is selected again
    FSelectedMenu = reinterpret_cast<HMENU>(lParam);
    FSelectedOpensMenu = (HIWORD(wParam) & MF_POPUP) != 0;
}

void TMenuBarSkin::SwitchTo(const TMenuBtn* target)
{
    if (!target || target->Index == FDroppedIndex)
        return;
    FSwitchIndex = target->Index;
    EndMenu();
}

bool TMenuBarSkin::Track(const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
        if (message.wParam == VK_ESCAPE)
            FEscaped = FSelectedMenu == SubMenuOf(*FItems[static_cast<std::size_t>(FDroppedIndex)]);
        if (message.wParam == VK_RIGHT && !FSelectedOpensMenu) {
            SwitchTo(Neighbour(FDroppedIndex, true));
            return true;
        }
        if (message.wParam == VK_LEFT && FSelectedMenu == SubMenuOf(*FItems[static_cast<std::size_t>(FDroppedIndex)])) {
            SwitchTo(Neighbour(FDroppedIndex, false));
            return true;
        }
        return false;
    case WM_SYSKEYDOWN:
        if (message.wParam == VK_MENU || message.wParam == VK_F10)
            EndMenu();
        return false;
    case WM_MOUSEMOVE:
        if (message.pt.x != FLastCursor.x || message.pt.y != FLastCursor.y) {
            FLastCursor = message.pt;
            if (TMenuBtn* over = ItemAt(FForm.ScreenToWindow(message.pt)))
                SwitchTo(over);
        }
        return false;
    default:
        return false;
    }
}

LRESULT CALLBACK TMenuBarSkin::TrackHook(int code, WPARAM wParam, LPARAM lParam)
{
    // Nothing may leave a hook.
    try {
        if (code == MSGF_MENU && gTracking && lParam && gTracking->FDroppedIndex >= 0 &&
            gTracking->Track(*reinterpret_cast<const MSG*>(lParam)))
            return 1;
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
