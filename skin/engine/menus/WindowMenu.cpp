#include "skin/engine/menus/WindowMenu.h"

#include "skin/engine/menus/OwnerDrawMenus.h"
#include "framework/Menus.h"

namespace {

constexpr int kWindowMenuTag = 33333;  // the menu's own tag: not one of a form's menus

struct TWindowMenuEntry {
    TWindowMenuTag Tag;
    const wchar_t* Caption;
    const wchar_t* ShortCut;
};

// The platform's window menu's captions and accelerator letters.
constexpr TWindowMenuEntry kEntries[] = {
    {wmRestore, L"&Restore", L""},
    {wmMaximize, L"Ma&ximize", L""},
    {wmMinimize, L"Mi&nimize", L""},
    {wmLine, L"-", L""},
    {wmClose, L"&Close", L"Alt+F4"},
};

}  // namespace

std::unique_ptr<TPopupMenu> BuildSystemPopup(TFormMenus& menus, TImageList* images, bool maximize, bool minimize,
                                             const TNotifyEvent& onClick)
{
    auto popup = std::make_unique<TPopupMenu>(nullptr);
    popup->SetTag(kWindowMenuTag);
    popup->SetImages(images);
    for (const TWindowMenuEntry& entry : kEntries) {
        if ((entry.Tag == wmMaximize && !maximize) || (entry.Tag == wmMinimize && !minimize))
            continue;
        auto* item = new TMenuItem(popup.get());
        item->SetCaption(entry.Caption);
        item->SetTag(entry.Tag);
        item->SetShortCutText(entry.ShortCut);
        item->SetDefault(entry.Tag == wmClose);  // as the platform's window menu
        if (entry.Tag != wmLine) {
            item->SetImageIndex(entry.Tag);
            item->OnClick = onClick;
        }
        popup->Items()->Add(item);
    }
    popup->SetOwnerDraw(true);
    for (int i = 0; i < popup->Items()->Count(); ++i) {
        TMenuItem& item = *popup->Items()->Items(i);
        item.OnDrawItem = TMenuDrawItemEvent(&menus, &TFormMenus::DrawMenuItem);
        item.OnMeasureItem = TMenuMeasureItemEvent(&menus, &TFormMenus::MeasurePopupItem);
    }
    return popup;
}

void EnableSystemPopup(TPopupMenu& menu, int windowState)
{
    for (int i = 0; i < menu.Items()->Count(); ++i) {
        TMenuItem& item = *menu.Items()->Items(i);
        switch (item.Tag()) {
        case wmRestore: item.SetEnabled(windowState != 0); break;
        case wmMaximize: item.SetEnabled(windowState != 1); break;
        case wmMinimize: item.SetEnabled(windowState != 2); break;
        default: break;
        }
    }
}
