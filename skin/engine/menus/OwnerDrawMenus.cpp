#include "skin/engine/menus/OwnerDrawMenus.h"

#include "skin/SkinData.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/menus/MenuItemPaint.h"
#include "skin/engine/menus/PopupMenuSkin.h"
#include "framework/DeviceContext.h"
#include "framework/Form.h"
#include "framework/Menus.h"

#include <algorithm>
#include <functional>

namespace {

// Framework menu items have commands from 0x1000 up; below that a command belongs to the
// window's own native items, which keep their default handling.
constexpr UINT kFirstForeignCommand = 1, kLastForeignCommand = 4095;

bool IsForeignCommand(UINT command)
{
    return command >= kFirstForeignCommand && command <= kLastForeignCommand;
}

void ForEachItem(TMenuItem& parent, int depth, const std::function<void(TMenuItem&, int)>& visit)
{
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = *parent.Items(i);
        visit(item, depth);
        ForEachItem(item, depth + 1, visit);
    }
}

// The native menu that shows the item: its parent's sub-menu, or the menu's own handle for
// a top-level item.
HMENU MenuHandleOf(const TMenuItem& item)
{
    const TMenuItem* parent = item.Parent();
    if (!parent)
        return nullptr;
    if (parent->Parent())
        return parent->Handle();
    TMenu* menu = item.GetParentMenu();
    return menu ? menu->Handle() : nullptr;
}

}  // namespace

TFormMenus::TFormMenus(TSkinManager& manager, HWND window) : TComponent(nullptr), FManager(manager), FHandle(window)
{
}

TFormMenus::~TFormMenus()
{
    // The items outlive this object: none may keep a handler that points here.
    while (!FWatched.empty()) {
        TMenu* menu = FWatched.back();
        ClearHandlers(*menu->Items(), true);
        Unwatch(*menu);
    }
}

void TFormMenus::SetSkin(TSkinData* skin)
{
    FSkin = skin;
    FPainter = skin ? std::make_unique<TMenuItemPainter>(*skin) : nullptr;
}

void TFormMenus::Watch(TMenu& menu)
{
    if (std::find(FWatched.begin(), FWatched.end(), &menu) != FWatched.end())
        return;
    FWatched.push_back(&menu);
    menu.FreeNotification(this);
}

void TFormMenus::Unwatch(TMenu& menu)
{
    FWatched.erase(std::remove(FWatched.begin(), FWatched.end(), &menu), FWatched.end());
    menu.RemoveFreeNotification(this);
}

void TFormMenus::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove)
        FWatched.erase(std::remove(FWatched.begin(), FWatched.end(), component), FWatched.end());
    TComponent::Notification(component, operation);
}

bool TFormMenus::OwnsHandlers(const TMenuItem& item) const
{
    return item.OnDrawItem.Data() == this || item.OnMeasureItem.Data() == this;
}

void TFormMenus::SetHandlers(TMenuItem& item, bool popupMeasure)
{
    item.OnDrawItem = TMenuDrawItemEvent(this, &TFormMenus::DrawMenuItem);
    item.OnMeasureItem = popupMeasure ? TMenuMeasureItemEvent(this, &TFormMenus::MeasurePopupItem)
                                      : TMenuMeasureItemEvent(this, &TFormMenus::MeasureMenuItem);
}

void TFormMenus::ClearHandlers(TMenuItem& root, bool onlyOwn)
{
    ForEachItem(root, 1, [&](TMenuItem& item, int) {
        if (onlyOwn && !OwnsHandlers(item))
            return;
        item.OnDrawItem.Clear();
        item.OnMeasureItem.Clear();
    });
}

bool TFormMenus::AllowsPopupMenu(const TMenu& menu, const TCustomForm& form) const
{
    return FSkin && FSkin->SkinControls().Contains(xcPopupMenu) && menu.Tag() % 100 != FSkin->DisableTag() &&
           form.ClassName() != L"TwwRichEditForm";
}

void TFormMenus::SetPopupMenusOwnerDraw(TCustomForm* form, bool on)
{
    if (!form)
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* popup = As<TPopupMenu>(form->Components(i));
        if (!popup || !AllowsPopupMenu(*popup, *form))
            continue;
        popup->SetOwnerDraw(on);
        if (on) {
            ForEachItem(*popup->Items(), 1, [&](TMenuItem& item, int) { SetHandlers(item, true); });
            Watch(*popup);
        } else {
            ClearHandlers(*popup->Items(), false);
            Unwatch(*popup);
        }
    }
}

void TFormMenus::SetMainMenusOwnerDraw(TCustomForm* form, bool on)
{
    if (!form)
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* menu = As<TMainMenu>(form->Components(i));
        if (!menu)
            continue;
        menu->SetOwnerDraw(on);
        if (on) {
            // The top level is the menu bar's own; items that draw themselves keep it.
            ForEachItem(*menu->Items(), 1, [&](TMenuItem& item, int depth) {
                if (depth >= 2 && !item.OnDrawItem)
                    SetHandlers(item, false);
            });
            Watch(*menu);
        } else {
            ClearHandlers(*menu->Items(), false);
            Unwatch(*menu);
        }
    }
}

void TFormMenus::SetItemTreeDrawing(TMenuItem& item)
{
    SetHandlers(item, false);
    ForEachItem(item, 1, [&](TMenuItem& child, int) { SetHandlers(child, false); });
    if (TMenu* menu = item.GetParentMenu())
        Watch(*menu);
}

void TFormMenus::AddExtraWidth(TObject* sender, int& width, int (TMenuItemPainter::*extra)(bool) const) const
{
    const auto* item = As<TMenuItem>(sender);
    if (!FSkin || !item)
        return;
    const TMenu* menu = item->GetParentMenu();
    width += ((*FPainter).*extra)(menu && menu->Images());
}

void TFormMenus::MeasureMenuItem(TObject* sender, TCanvas*, int& width, int&)
{
    AddExtraWidth(sender, width, &TMenuItemPainter::MenuItemExtraWidth);
}

void TFormMenus::MeasurePopupItem(TObject* sender, TCanvas*, int& width, int&)
{
    AddExtraWidth(sender, width, &TMenuItemPainter::PopupItemExtraWidth);
}

TItemBackground TFormMenus::BackgroundOf(HMENU menu) const
{
    TItemBackground background;
    if (const TPopupMenuSkin* popup = FManager.PopupBackground(menu)) {
        background.Picture = popup->Background();
        background.Offset = popup->ClientOffset();
    }
    return background;
}

void TFormMenus::DrawMenuItem(TObject* sender, TCanvas* canvas, RECT rect, bool selected)
{
    auto* item = As<TMenuItem>(sender);
    if (!item || !canvas)
        return;
    if (!FSkin || FSkin->Empty()) {
        // Switched off halfway: the framework's own look.
        const TMenuDrawItemEvent own = item->OnDrawItem;
        item->OnDrawItem.Clear();
        item->DrawItem(*canvas, rect, selected);
        item->OnDrawItem = own;
        return;
    }
    const HMENU menu = MenuHandleOf(*item);
    FManager.BindUnboundPopup(menu);
    FPainter->DrawMenuItem(*item, *canvas, rect, selected, BackgroundOf(menu));
}

TMenuItem* TFormMenus::BarItem(UINT command) const
{
    TMenuItem* item = FBarMenu ? FindMenuItem(command) : nullptr;
    return item && item->GetParentMenu() == FBarMenu && !item->OnDrawItem ? item : nullptr;
}

bool TFormMenus::HandleMeasureItem(TWindowMessage& m)
{
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (!measure || measure->CtlType != ODT_MENU || !FFormMenu || !FSkin)
        return false;
    if (TMenuItem* item = BarItem(measure->itemID)) {
        static const TMemoryDC measuring(CreateCompatibleDC(nullptr));
        TCanvas canvas(measuring.get());
        canvas.Font().Assign(MenuFont());
        int width = 0, height = 0;
        item->MeasureItem(canvas, width, height);
        MeasureMenuItem(item, &canvas, width, height);
        measure->itemWidth = static_cast<UINT>(std::max(width, 0));
        measure->itemHeight = static_cast<UINT>(std::max(height, 0));
        m.Result = TRUE;
        return true;
    }
    // Framework items measure themselves (with this object's handlers); the window's own
    // native items keep their default handling.
    if (FindMenuItem(measure->itemID) || IsForeignCommand(measure->itemID))
        return false;
    const std::unique_ptr<TMenuItem> item = MakeRawItem(FFormMenu, measure->itemID);
    const TScreenDC screen;
    TCanvas canvas(screen.Handle());
    canvas.Font().Assign(MenuFont());
    const std::wstring text = item->IsLine() ? std::wstring() : item->Caption();
    const auto& element = FSkin->Elements().MenuItem;
    measure->itemWidth = static_cast<UINT>(canvas.TextWidth(text) + 26 + (element ? element->Margins.Left : 0));
    measure->itemHeight = text.empty() ? 8u : static_cast<UINT>(std::max<int>(measure->itemHeight, canvas.TextHeight(text)) + 4);
    m.Result = TRUE;
    return true;
}

bool TFormMenus::HandleDrawItem(TWindowMessage& m)
{
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!draw || draw->CtlType != ODT_MENU || !FFormMenu || !FSkin)
        return false;
    const HMENU menu = reinterpret_cast<HMENU>(draw->hwndItem);
    FManager.BindUnboundPopup(menu);
    TMenuItem* barItem = BarItem(draw->itemID);
    if (!barItem && (FindMenuItem(draw->itemID) || IsForeignCommand(draw->itemID)))
        return false;
    const std::unique_ptr<TMenuItem> raw = barItem ? nullptr : MakeRawItem(menu, draw->itemID);
    TCanvas canvas(draw->hDC);
    FPainter->DrawMenuItem(barItem ? *barItem : *raw, canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0,
                           BackgroundOf(menu));
    m.Result = TRUE;
    return true;
}

void MakeOwnerDraw(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        // The type flag alone: a MIIM_TYPE change would replace the item's text.
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        }
        if (info.hSubMenu)
            MakeOwnerDraw(info.hSubMenu);
    }
}
