// The menu bar of an MDI frame while a child with a main menu is active: a bar of its
// own whose entries open the frame's and the child's drop-downs. The drop-downs stay
// owned by their menus, and every item keeps its command, so a chosen item runs in the
// form whose menu it came from.
#include "framework/Form.h"

#include "framework/Menus.h"

#include <algorithm>
#include <vector>

namespace {

// The visible top-level items of both menus in bar order: the child's entries take the
// place of the frame's entries with the same GroupIndex.
std::vector<TMenuItem*> MergedEntries(TMainMenu& frameMenu, TMainMenu& childMenu)
{
    std::vector<TMenuItem*> childItems, entries;
    for (int i = 0; i < childMenu.Items()->Count(); ++i)
        if (childMenu.Items()->Items(i)->Visible())
            childItems.push_back(childMenu.Items()->Items(i));
    const auto childHasGroup = [&](int group) {
        return std::any_of(childItems.begin(), childItems.end(),
                           [group](const TMenuItem* item) { return item->GroupIndex() == group; });
    };
    for (int i = 0; i < frameMenu.Items()->Count(); ++i) {
        TMenuItem* item = frameMenu.Items()->Items(i);
        if (item->Visible() && !childHasGroup(item->GroupIndex()))
            entries.push_back(item);
    }
    entries.insert(entries.end(), childItems.begin(), childItems.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TMenuItem* a, const TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
    return entries;
}

void AppendEntry(HMENU bar, TMenuItem& item)
{
    std::wstring text = item.Caption();
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA;
    info.wID = item.Command();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    info.fState = item.Enabled() ? MFS_ENABLED : MFS_DISABLED;
    info.hSubMenu = item.Count() > 0 ? item.Handle() : nullptr;
    info.dwTypeData = text.data();
    InsertMenuItemW(bar, static_cast<UINT>(GetMenuItemCount(bar)), TRUE, &info);
}

}  // namespace

void TCustomForm::ReleaseMergedMenu()
{
    if (!FMergedMenu)
        return;
    if (HandleAllocated() && GetMenu(Handle()) == FMergedMenu)
        ::SetMenu(Handle(), FMenu ? FMenu->Handle() : nullptr);
    // Taken out first: DestroyMenu would destroy the borrowed drop-downs with it.
    while (GetMenuItemCount(FMergedMenu) > 0)
        RemoveMenu(FMergedMenu, 0, MF_BYPOSITION);
    DestroyMenu(FMergedMenu);
    FMergedMenu = nullptr;
}

void TCustomForm::UpdateMDIMenu()
{
    if (FFormStyle != fsMDIForm || !HandleAllocated() || !FClientHandle || !FMenu)
        return;
    TCustomForm* child = ActiveMDIChild();
    HMENU bar = FMenu->Handle();
    HMENU merged = nullptr;
    if (child && child->Menu()) {
        child->Menu()->Handle();  // the drop-downs built
        merged = CreateMenu();
        for (TMenuItem* item : MergedEntries(*FMenu, *child->Menu()))
            AppendEntry(merged, *item);
        bar = merged;
    }
    // The client puts the bar on the frame and keeps its window list in the drop-down.
    HMENU windowList = FWindowMenu && FWindowMenu->GetParentMenu() == FMenu ? FWindowMenu->Handle() : nullptr;
    SendMessageW(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(windowList));
    DrawMenuBar(Handle());
    ReleaseMergedMenu();
    FMergedMenu = merged;
    // Through the window, so that whoever hooked it (a skin drawing the bar) hears of it.
    SendMessageW(Handle(), CM_MENUCHANGED, 0, 0);
}

void TCustomForm::SetWindowMenu(TMenuItem* item)
{
    if (FWindowMenu)
        FWindowMenu->RemoveFreeNotification(this);
    FWindowMenu = item;
    if (item)
        item->FreeNotification(this);
    UpdateMDIMenu();
}
