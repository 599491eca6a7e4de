#include "tools/skin-gallery/GalleryScrolling.h"

#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/GroupBox.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/OpenDialog.h"
#include "framework/Memo.h"
#include "framework/PageControl.h"
#include "framework/ProgressBar.h"
#include "framework/ScrollBar.h"
#include "framework/SpinEdit.h"
#include "framework/TrackBar.h"

#include <string>
#include <vector>

namespace {

template <class T>
T* Place(TForm& form, TWinControl* parent, int x, int y, int width, int height)
{
    auto* control = new T(&form);
    control->SetParent(parent);
    control->SetBounds(x, y, width, height);
    return control;
}

}  // namespace

void AddScrollingColumn(TForm& form, int left, int top)
{
    auto at = [&](int x, int y) { return std::pair{left + x, top + y}; };

    auto [mx, my] = at(0, 0);
    auto* memo = Place<TMemo>(form, &form, mx, my, 180, 112);
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    std::vector<std::wstring> lines;
    for (int i = 1; i <= 60; ++i)
        lines.push_back(L"第 " + std::to_wstring(i) + L" 行：捕捉 capture line with enough text to scroll sideways");
    memo->SetLines(lines);

    auto [lx, ly] = at(186, 0);
    auto* list = Place<TListBox>(form, &form, lx, ly, 130, 112);
    for (int i = 1; i <= 40; ++i)
        list->Items()->Add(L"设备 device " + std::to_wstring(i));
    list->SetItemIndex(2);

    auto [vx, vy] = at(322, 0);
    auto* vertical = Place<TScrollBar>(form, &form, vx, vy, 17, 112);
    vertical->SetKind(sbVertical);  // a new window, its bounds turned: placed again
    vertical->SetBounds(vx, vy, 17, 112);
    vertical->SetParams(40, 0, 100);
    vertical->SetPageSize(20);

    auto [hx, hy] = at(0, 120);
    auto* horizontal = Place<TScrollBar>(form, &form, hx, hy, 180, 17);
    horizontal->SetParams(25, 0, 100);
    horizontal->SetPageSize(10);

    // A system dialog with long lists: its lists' scroll bars are skinned too.
    auto [ox, oy] = at(186, 116);
    auto* open = Place<TButton>(form, &form, ox, oy, 100, 24);
    open->SetCaption(L"打开(&O)...");
    auto* dialog = new TOpenDialog(&form);
    dialog->SetInitialDir(L"C:\\windows\\system32");
    dialog->SetFilter(L"所有文件 (*.*)|*.*");
    open->OnClick = [dialog](TObject*) { dialog->Execute(); };

    auto [cx, cy] = at(0, 144);
    auto* combo = Place<TComboBox>(form, &form, cx, cy, 130, 92);
    combo->SetStyle(csSimple);
    for (const wchar_t* item : {L"640 x 480", L"320 x 240", L"800 x 600", L"1024 x 768", L"1280 x 720", L"1920 x 1080",
                                L"2560 x 1440"})
        combo->Items()->Add(item);
    combo->SetItemIndex(0);

    auto [sx, sy] = at(138, 144);
    auto* spin = Place<TSpinEdit>(form, &form, sx, sy, 80, 22);
    spin->SetMinValue(1);
    spin->SetMaxValue(60);
    spin->SetValue(30);

    auto [px, py] = at(138, 172);
    auto* progress = Place<TProgressBar>(form, &form, px, py, 150, 18);
    progress->SetPosition(50);

    auto [tx, ty] = at(138, 198);
    auto* track = Place<TTrackBar>(form, &form, tx, ty, 150, 32);
    track->SetMax(10);
    track->SetPosition(4);

    auto [ux, uy] = at(300, 142);
    auto* upright = Place<TTrackBar>(form, &form, ux, uy, 32, 96);
    upright->SetOrientation(trVertical);
    upright->SetBounds(ux, uy, 32, 96);
    upright->SetMax(10);
    upright->SetPosition(6);

    auto [gx, gy] = at(0, 242);
    auto* pages = Place<TPageControl>(form, &form, gx, gy, 190, 100);
    // Short tab names, so that all three tabs show side by side in the narrow column.
    const wchar_t* captions[] = {L"常规", L"视频", L"音频"};
    const wchar_t* english[] = {L"General", L"Video", L"Audio"};
    for (int i = 0; i < 3; ++i) {
        auto* sheet = Place<TTabSheet>(form, pages, 0, 0, 10, 10);
        sheet->SetCaption(captions[i]);
        auto* label = Place<TLabel>(form, sheet, 8, 10, 170, 13);
        label->SetCaption(std::wstring(L"第 ") + std::to_wstring(i + 1) + L" 页 page");
        Place<TEdit>(form, sheet, 8, 30, 140, 21)->SetCaption(std::wstring(captions[i]) + L" " + english[i]);
    }
    pages->SetActivePageIndex(1);

    auto [bx, by] = at(198, 242);
    auto* group = Place<TGroupBox>(form, &form, bx, by, 140, 100);
    group->SetCaption(L"分组 Group");
    Place<TCheckBox>(form, group, 10, 22, 120, 17)->SetCaption(L"录音 Sound");
    Place<TEdit>(form, group, 10, 44, 120, 21)->SetCaption(L"30 fps");
    Place<TButton>(form, group, 10, 70, 75, 24)->SetCaption(L"应用(&A)");
}
