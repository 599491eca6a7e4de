#include "tools/skin-gallery/GalleryMenu.h"

#include "tools/skin-gallery/GalleryMdi.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"

namespace {

// One item of the table below; a null caption closes the sub-menu opened last.
struct TItemRow {
    int Depth;              // 0: a bar entry, 1: in its drop-down, 2: in a sub-menu
    const wchar_t* Caption;
    const wchar_t* ShortCut = nullptr;
    int Image = -1;
    enum { Plain, Disabled, Checked, Radio, RadioChecked, Default } Kind = Plain;
};

constexpr TItemRow kItems[] = {
    {0, L"文件(&F)"},
    {1, L"新建(&N)", L"Ctrl+N", 0},
    {1, L"打开(&O)...", L"Ctrl+O", 1},
    {1, L"最近的文件(&R)"},
    {2, L"&1 捕捉.wmv"},
    {2, L"&2 快照.jpg"},
    {2, L"&3 旧文件.avi", nullptr, -1, TItemRow::Disabled},
    {1, L"-"},
    {1, L"MDI 窗口(&M)..."},
    {1, L"-"},
    {1, L"退出(&X)", L"Alt+F4"},
    {0, L"编辑(&E)"},
    {1, L"撤销(&U)", L"Ctrl+Z", -1, TItemRow::Disabled},
    {1, L"-"},
    {1, L"剪切(&T)", L"Ctrl+X", 2},
    {1, L"复制(&C)", L"Ctrl+C", 3},
    {1, L"粘贴(&P)", L"Ctrl+V", -1, TItemRow::Disabled},
    {1, L"-"},
    {1, L"全选(&A)", L"Ctrl+A"},
    {0, L"查看(&V)"},
    {1, L"工具栏(&T)", nullptr, -1, TItemRow::Checked},
    {1, L"状态栏(&S)", nullptr, -1, TItemRow::Checked},
    {1, L"-"},
    {1, L"小图标(&1)", nullptr, -1, TItemRow::Radio},
    {1, L"中图标(&2)", nullptr, -1, TItemRow::RadioChecked},
    {1, L"大图标(&3)", nullptr, -1, TItemRow::Radio},
    {1, L"-"},
    {1, L"缩放(&Z)"},
    {2, L"50%(&5)", nullptr, -1, TItemRow::Radio},
    {2, L"100%(&1)", nullptr, -1, TItemRow::RadioChecked},
    {2, L"200%(&2)", nullptr, -1, TItemRow::Radio},
    {0, L"帮助(&H)"},
    {1, L"帮助主题(&H)", L"F1", -1, TItemRow::Default},
    {1, L"-"},
    {1, L"关于(&A)..."},
};

}  // namespace

void MakeGalleryMenu(TForm& form, TImageList* images, TToolBar* toolBar, TStatusBar* statusBar, TGalleryMenu& menu)
{
    menu.Menu = new TMainMenu(&form);
    menu.Menu->SetImages(images);
    TMenuItem* parents[3] = {menu.Menu->Items(), nullptr, nullptr};
    for (const TItemRow& row : kItems) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(row.Caption);
        if (row.ShortCut)
            item->SetShortCutText(row.ShortCut);
        item->SetImageIndex(row.Image);
        item->SetEnabled(row.Kind != TItemRow::Disabled);
        item->SetDefault(row.Kind == TItemRow::Default);
        item->SetRadioItem(row.Kind == TItemRow::Radio || row.Kind == TItemRow::RadioChecked);
        item->SetChecked(row.Kind == TItemRow::Checked || row.Kind == TItemRow::RadioChecked);
        parents[row.Depth]->Add(item);
        if (row.Depth < 2)
            parents[row.Depth + 1] = item;
        // Every item tells the status bar it was chosen; items with sub-items open them.
        item->OnClick = [&menu, item, statusBar](TObject*) {
            if (item->Count() > 0 || item->Parent() == menu.Menu->Items())
                return;
            if (item->RadioItem())
                item->SetChecked(true);
            menu.Chosen = item->Caption();
            if (statusBar && statusBar->Panels().Count() > 0)
                statusBar->Panels().Items(0)->SetText(item->Caption());
        };
    }
    TMenuItem& root = *menu.Menu->Items();
    menu.File = root.Items(0);
    menu.Edit = root.Items(1);
    menu.View = root.Items(2);
    menu.Help = root.Items(3);
    menu.Recent = menu.File->Items(2);
    menu.MdiItem = menu.File->Items(4);
    menu.ToolBarItem = menu.View->Items(0);
    menu.Zoom = menu.View->Items(7);
    menu.File->Items(6)->OnClick = [&form](TObject*) { form.Close(); };
    menu.MdiItem->OnClick = [&form](TObject*) { ShowGalleryMdiWindow(form, false); };
    const auto toggle = [&menu](TMenuItem* item, TControl* control) {
        TNotifyEvent chosen = item->OnClick;
        item->OnClick = [&menu, item, control, chosen](TObject* sender) {
            chosen(sender);
            item->SetChecked(!item->Checked());
            if (control)
                control->SetVisible(item->Checked());
        };
    };
    toggle(menu.ToolBarItem, toolBar);
    toggle(menu.View->Items(1), statusBar);
    form.SetMenu(menu.Menu);
}
