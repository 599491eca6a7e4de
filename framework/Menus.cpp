#include "framework/Menus.h"
#include "framework/Application.h"
#include "framework/DeviceContext.h"
#include "framework/Form.h"
#include "framework/ImageList.h"

#include <algorithm>
#include <map>

namespace {

// Never destroyed with the statics: items of forms freed at the end still look here.
std::map<UINT, TMenuItem*>& ItemsByCommand()
{
    static auto* items = new std::map<UINT, TMenuItem*>;
    return *items;
}

UINT NewCommand(TMenuItem* item)
{
    static UINT next = 0x1000;
    auto& items = ItemsByCommand();
    while (items.count(next) || next < 0x1000)
        next = next >= 0xEFFF ? 0x1000 : next + 1;
    UINT command = next++;
    items[command] = item;
    return command;
}

} // namespace

TMenuItem* FindMenuItem(UINT command)
{
    auto it = ItemsByCommand().find(command);
    return it == ItemsByCommand().end() ? nullptr : it->second;
}

bool DispatchMenuCommand(UINT command)
{
    TMenuItem* item = FindMenuItem(command);
    if (!item)
        return false;
    item->Click();
    return true;
}

TFont& MenuFont()
{
    static TFont* font = [] {
        auto* f = new TFont;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            f->SetName(metrics.lfMenuFont.lfFaceName);
            f->SetHeight(metrics.lfMenuFont.lfHeight);
            f->SetCharset(metrics.lfMenuFont.lfCharSet);
        }
        f->SetColor(clMenuText);
        return f;
    }();
    return *font;
}

namespace {

// The canvas owner-drawn items are measured and drawn on: one for the process, so that the
// menu font is made once and not for every item of every menu shown. A handler that
// changed its font or brush leaves it as the next item expects it.
TCanvas& MenuItemCanvas()
{
    static TCanvas* canvas = new TCanvas;
    TFont& font = canvas->Font();
    const TFont& menu = MenuFont();
    if (font.Name() != menu.Name() || font.Height() != menu.Height() || font.Charset() != menu.Charset() ||
        !(font.Style() == menu.Style()))
        font.Assign(menu);
    font.SetColor(menu.Color());
    canvas->Brush().SetStyle(bsSolid);
    return *canvas;
}

}  // namespace

bool DispatchMenuOwnerDraw(TMessage& message)
{
    TCanvas& canvas = MenuItemCanvas();
    if (message.Msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        TMenuItem* item = measure->CtlType == ODT_MENU ? FindMenuItem(measure->itemID) : nullptr;
        if (!item)
            return false;
        // A memory DC of the screen's kind measures like the screen, without asking for it.
        static const TMemoryDC measuring(CreateCompatibleDC(nullptr));
        const TCanvasDCScope lent(canvas, measuring.get());
        int width = 0, height = 0;
        item->MeasureItem(canvas, width, height);
        measure->itemWidth = static_cast<UINT>(std::max(width, 0));
        measure->itemHeight = static_cast<UINT>(std::max(height, 0));
        message.Result = TRUE;
        return true;
    }
    if (message.Msg == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        TMenuItem* item = draw->CtlType == ODT_MENU ? FindMenuItem(draw->itemID) : nullptr;
        if (!item)
            return false;
        const TCanvasDCScope lent(canvas, draw->hDC);
        item->DrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
        message.Result = TRUE;
        return true;
    }
    return false;
}

namespace {

// The letter after the caption's single ampersand ("&&" is an ampersand shown), or 0.
wchar_t AcceleratorOf(const std::wstring& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] != L'&')
            return caption[i + 1];
        ++i;
    }
    return 0;
}

wchar_t UpperChar(wchar_t c)
{
    // CharUpper converts one character passed in the pointer's low word.
    return static_cast<wchar_t>(
        reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

}  // namespace

bool DispatchMenuChar(TMessage& message)
{
    const HMENU menu = reinterpret_cast<HMENU>(message.LParam);
    const wchar_t key = UpperChar(static_cast<wchar_t>(LOWORD(message.WParam)));
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        const TMenuItem* item = FindMenuItem(GetMenuItemID(menu, position));
        if (!item) {  // a sub-menu: its item is found through its handle
            const HMENU sub = GetSubMenu(menu, position);
            for (const auto& [command, candidate] : ItemsByCommand())
                if (sub && candidate->Handle() == sub)
                    item = candidate;
        }
        const wchar_t letter = item ? AcceleratorOf(item->Caption()) : 0;
        if (letter && UpperChar(letter) == key && item->Enabled()) {
            message.Result = MAKELRESULT(position, MNC_EXECUTE);
            return true;
        }
    }
    return false;
}

// ---- TMenuItem -------------------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClass()
{
    static const TClassInfo info(L"TMenuItem", &TComponent::StaticClass(), {
        StrProp(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
        BoolProp(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
        BoolProp(L"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
        IntProp(L"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex),
        BoolProp(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
        BoolProp(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
        StrProp(L"Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
        IntProp(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
        StrProp(L"ShortCutText", &TMenuItem::ShortCutText, &TMenuItem::SetShortCutText),
        BoolProp(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault),
        ObjProp(L"Action", &TMenuItem::Action, &TMenuItem::SetAction),
        EventProp(L"OnClick", &TMenuItem::OnClick),
        EventProp(L"OnMeasureItem", &TMenuItem::OnMeasureItem),
        EventProp(L"OnDrawItem", &TMenuItem::OnDrawItem),
    });
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner)
{
    FCommand = NewCommand(this);
}

TMenuItem::~TMenuItem()
{
    ItemsByCommand().erase(FCommand);
    if (FAction)
        FAction->UnregisterClient(this);
    while (!FItems.empty())
        FItems.back()->Free();
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FAction) {
        FAction->UnregisterClient(this);
        FAction = nullptr;
    }
    TComponent::Notification(component, operation);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

void TMenuItem::MenuChanged(bool rebuild)
{
    TMenu* menu = GetParentMenu();
    if (!menu || menu->ComponentState().Contains(csDestroying))
        return;
    if (rebuild) {
        menu->Rebuild();
        return;
    }
    // Check marks and enabling change in place, without a new menu handle.
    if (HMENU handle = menu->Handle()) {
        CheckMenuItem(handle, FCommand, MF_BYCOMMAND | (FChecked ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(handle, FCommand, MF_BYCOMMAND | (FEnabled ? MF_ENABLED : MF_GRAYED));
    }
}

void TMenuItem::SetCaption(const std::wstring& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    FCaptionFromAction = FAction && FAction->Caption() == caption;
    MenuChanged(true);
}

void TMenuItem::SetChecked(bool checked)
{
    if (checked == FChecked)
        return;
    FChecked = checked;
    MenuChanged(false);
    if (checked && FRadioItem && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
                sibling->SetChecked(false);
}

void TMenuItem::SetRadioItem(bool radio)
{
    if (radio != FRadioItem) {
        FRadioItem = radio;
        MenuChanged(true);
    }
}

void TMenuItem::SetEnabled(bool enabled)
{
    if (enabled != FEnabled) {
        FEnabled = enabled;
        MenuChanged(false);
    }
}

void TMenuItem::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    TMenu* menu = GetParentMenu();
    if (!menu || menu->ComponentState().Contains(csDestroying))
        return;
    // A sub-menu item changes in place: the menu handles of its menu stay valid (a drop-down
    // being prepared keeps its handle). The bar's own entries go through a rebuild, which
    // tells the window.
    const bool inBar = !FParent || (!FParent->FParent && dynamic_cast<TMainMenu*>(menu));
    if (!inBar && menu->HandleAllocated()) {
        // Under a hidden item nothing is built to change.
        if (HMENU parentMenu = FParent->FParent ? FParent->FHandle : menu->FHandle.get())
            menu->ShowItem(parentMenu, this);
        return;
    }
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int index)
{
    if (index != FImageIndex) {
        FImageIndex = index;
        MenuChanged(true);  // the item's size may change
    }
}

void TMenuItem::SetShortCutText(const std::wstring& text)
{
    if (text != FShortCutText) {
        FShortCutText = text;
        MenuChanged(true);
    }
}

void TMenuItem::SetDefault(bool isDefault)
{
    if (isDefault != FDefault) {
        FDefault = isDefault;
        MenuChanged(true);
    }
}

void TMenuItem::SetAction(TAction* action)
{
    if (RelinkAction(FAction, action, *this, *this) && action) {
        FCaptionFromAction = true;
        FCaption.clear(); // take the action's caption below
        ActionChanged(action);
    }
}

void TMenuItem::ActionChanged(TAction* action)
{
    bool rebuild = false;
    if (FCaptionFromAction && FCaption != action->Caption()) {
        FCaption = action->Caption();
        rebuild = true;
    }
    if (FVisible != action->Visible()) {
        FVisible = action->Visible();
        rebuild = true;
    }
    FChecked = action->Checked();
    FEnabled = action->Enabled();
    MenuChanged(rebuild);
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
    MenuChanged(true);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        FItems.back()->Free();
}

int TMenuItem::MenuIndex() const
{
    if (!FParent)
        return -1;
    auto& list = FParent->FItems;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TMenuItem::Click()
{
    if (!FEnabled)
        return;
    if (OnClick)
        OnClick(this);
    else if (FAction)
        FAction->Execute();
}

namespace {

// The canvas font made bold for a default item, put back afterwards.
class TDefaultItemFont {
public:
    TDefaultItemFont(TCanvas& canvas, bool bold) : FFont(canvas.Font()), FOld(canvas.Font().Style())
    {
        if (bold)
            FFont.SetStyle(TFontStyles(FOld).Include(fsBold));
    }
    ~TDefaultItemFont() { FFont.SetStyle(FOld); }
    TDefaultItemFont(const TDefaultItemFont&) = delete;
    TDefaultItemFont& operator=(const TDefaultItemFont&) = delete;

private:
    TFont& FFont;
    TFontStyles FOld;
};

TImageList* ImagesOf(const TMenuItem& item)
{
    TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

constexpr int kShortCutGap = 16;  // between the caption and the shortcut

}  // namespace

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height)
{
    if (IsLine()) {
        width = 10;
        height = 8;
    } else {
        const TDefaultItemFont bold(canvas, FDefault);
        // An empty caption still measures one line high.
        SIZE size = canvas.TextExtent(FCaption.empty() ? std::wstring(L" ") : FCaption);
        width = size.cx + 32;
        height = std::max<int>(size.cy + 6, GetSystemMetrics(SM_CYMENU));
        if (!FShortCutText.empty())
            width += kShortCutGap + canvas.TextWidth(FShortCutText);
        if (TImageList* images = ImagesOf(*this)) {
            width += std::max(images->Width() - 16, 0);
            height = std::max(height, images->Height() + 2);
        }
    }
    OnMeasureItem(this, &canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, &canvas, rect, selected);
        return;
    }
    canvas.Brush().SetColor(selected && !IsLine() ? clHighlight : clMenu);
    canvas.FillRect(rect);
    if (IsLine()) {
        RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, (rect.top + rect.bottom) / 2 + 1};
        DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TImageList* images = ImagesOf(*this);
    LONG textLeft = rect.left + 20;
    if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
        images->Draw(canvas, rect.left + 2, rect.top + (rect.bottom - rect.top - images->Height()) / 2, FImageIndex,
                     FEnabled);
        textLeft = std::max<LONG>(textLeft, rect.left + images->Width() + 4);
    } else if (FChecked) {
        RECT mark{rect.left + 2, rect.top + 2, rect.left + 16, rect.bottom - 2};
        DrawFrameControl(canvas.Handle(), &mark, DFC_MENU,
                         (FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK) | DFCS_TRANSPARENT);
    }
    const TDefaultItemFont bold(canvas, FDefault);
    canvas.Font().SetColor(!FEnabled ? clGrayText : selected ? clHighlightText : clMenuText);
    canvas.Brush().SetStyle(bsClear);
    RECT text{textLeft, rect.top, rect.right - 4, rect.bottom};
    canvas.DrawText(FCaption, text, DT_SINGLELINE | DT_VCENTER);
    if (!FShortCutText.empty()) {
        RECT key{textLeft, rect.top, rect.right - 8, rect.bottom};
        canvas.DrawText(FShortCutText, key, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
}

// ---- TMenu -----------------------------------------------------------------------------

const TClassInfo& TMenu::StaticClass()
{
    static const TClassInfo info(L"TMenu", &TComponent::StaticClass(), {
        ObjProp(L"Items", &TMenu::Items),
        BoolProp(L"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
        ObjProp(L"Images", &TMenu::Images, &TMenu::SetImages),
    });
    return info;
}

const TClassInfo& TMainMenu::StaticClass()
{
    static const TClassInfo info(L"TMainMenu", &TMenu::StaticClass());
    return info;
}

const TClassInfo& TPopupMenu::StaticClass()
{
    static const TClassInfo info(L"TPopupMenu", &TMenu::StaticClass(), {
        BoolProp(L"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup),
        EventProp(L"OnPopup", &TPopupMenu::OnPopup),
    });
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this))
{
    FItems->FMenu = this;
}

TMenu::~TMenu() = default;

HMENU TMenu::Handle()
{
    if (!FHandle) {
        FHandle.reset(CreateMenuHandle());
        Build(FHandle.get(), FItems);
    }
    return FHandle.get();
}

void TMenu::SetOwnerDraw(bool ownerDraw)
{
    if (ownerDraw != FOwnerDraw) {
        FOwnerDraw = ownerDraw;
        Rebuild();
    }
}

void TMenu::SetImages(TImageList* images)
{
    if (images == FImages)
        return;
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = images;
    if (FImages)
        FImages->FreeNotification(this);
    Rebuild();
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        if (!ComponentState().Contains(csDestroying))
            Rebuild();
    }
    TComponent::Notification(component, operation);
}

void TMenu::Rebuild()
{
    FHandle.reset(); // built again when next needed
}

void TMenu::Build(HMENU menu, TMenuItem* parent)
{
    UINT position = 0;
    for (TMenuItem* item : parent->FItems) {
        item->FHandle = nullptr;
        if (!item->FVisible)
            continue;
        InsertItem(menu, position++, item);
    }
}

void TMenu::ShowItem(HMENU menu, TMenuItem* item)
{
    // The item's place: the visible siblings before it.
    UINT position = 0;
    for (TMenuItem* sibling : item->FParent->FItems) {
        if (sibling == item)
            break;
        if (sibling->FVisible)
            ++position;
    }
    if (item->FVisible) {
        InsertItem(menu, position, item);
        return;
    }
    // Taken out with its sub-menus, which nothing else holds.
    RemoveMenu(menu, position, MF_BYPOSITION);
    if (item->FHandle)
        DestroyMenu(item->FHandle);
    ForgetHandles(item);
}

void TMenu::ForgetHandles(TMenuItem* item)
{
    item->FHandle = nullptr;
    for (TMenuItem* child : item->FItems)
        ForgetHandles(child);
}

void TMenu::InsertItem(HMENU menu, UINT position, TMenuItem* item)
{
    {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
        info.wID = item->FCommand;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        info.fType = FOwnerDraw ? MFT_OWNERDRAW : 0;
        if (item->IsLine())
            info.fType |= MFT_SEPARATOR;
        if (item->FRadioItem)
            info.fType |= MFT_RADIOCHECK;
        // The text stays with an owner-drawn item too: the platform finds the item's
        // accelerator letter in it.
        std::wstring text = item->FCaption;
        if (!item->FShortCutText.empty())
            text += L"\t" + item->FShortCutText;
        if (!item->IsLine()) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
            info.fState = (item->FChecked ? MFS_CHECKED : 0) | (item->FEnabled ? 0 : MFS_GRAYED) |
                          (item->FDefault ? MFS_DEFAULT : 0);
        }
        if (!item->FItems.empty()) {
            item->FHandle = CreatePopupMenu();
            Build(item->FHandle, item);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = item->FHandle;
        }
        InsertMenuItemW(menu, position, TRUE, &info);
    }
}

TMainMenu::~TMainMenu()
{
    // The window would destroy its menu again; take it away first.
    if (FForm && FForm->HandleAllocated() && GetMenu(FForm->Handle()) == FHandle.get())
        ::SetMenu(FForm->Handle(), nullptr);
}

void TMainMenu::Rebuild()
{
    bool shown = FForm && FForm->HandleAllocated() && HandleAllocated() && GetMenu(FForm->Handle()) == FHandle.get();
    if (!shown) {
        TMenu::Rebuild();
        // A window whose menu was taken off (a skin draws the bar itself) is told through
        // its window, so that whoever hooked it hears of the change.
        if (FForm && FForm->HandleAllocated() && FForm->Menu() == this && !GetMenu(FForm->Handle()))
            SendMessageW(FForm->Handle(), CM_MENUCHANGED, 0, 0);
        return;
    }
    TMenuHandle old(FHandle.release());
    ::SetMenu(FForm->Handle(), Handle());
    DrawMenuBar(FForm->Handle());
    FForm->Perform(CM_MENUCHANGED, 0, 0);
}

void TPopupMenu::Popup(int x, int y)
{
    OnPopup(this);
    HMENU menu = Handle();
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0,
                                                    Application->Handle(), nullptr));
    if (command)
        DispatchMenuCommand(command);
}
