#include "tools/skin-gallery/GalleryForm.h"

#include "tools/skin-gallery/GalleryArt.h"
#include "tools/skin-gallery/GalleryScrolling.h"
#include "skin/SkinData.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/MessageBox.h"
#include "framework/OpenDialog.h"
#include "framework/Panel.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"

bool TGalleryForm::Skinned = true;

const TClassInfo& TGalleryForm::StaticClass()
{
    static const TClassInfo info(L"TGalleryForm", &TForm::StaticClass());
    return info;
}

namespace {

// The layout: two columns of groups, each group a panel with a title and a row or two
// of controls.
constexpr int kColumnWidth = 296, kGroupHeight = 78, kTop = 40, kGap = 8;
constexpr int kRowY = 28, kSecondRowY = 52;

}  // namespace

void TGalleryForm::CreateComponents()
{
    SetName(L"GalleryForm");
    SetCaption(L"Kivora Skin Gallery");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetClientWidth(2 * kColumnWidth + 3 * kGap + kScrollingColumnWidth + kGap);
    SetClientHeight(kTop + 4 * (kGroupHeight + kGap) + 19);
    SetPosition(poScreenCenter);
    Font()->SetName(L"宋体");
    Font()->SetSize(9);
    Font()->SetCharset(GB2312_CHARSET);

    if (Skinned) {
        SkinData1 = new TSkinData(this);
        SkinData1->SetName(L"SkinData1");
        SkinData1->SetActive(true);
        SkinData1->LoadSkinFromResource(L"SKINSTREAM");
    }

    auto* images = new TImageList(this);
    images->SetWidth(16);
    images->SetHeight(16);
    for (TColor color : {TColor(0x3050D0), TColor(0x30A040), TColor(0xC07020), TColor(0x2090E0)})
        images->AddMasked(*DiscPicture(16, color), clFuchsia);
    auto* toolBar = new TToolBar(this);
    toolBar->SetName(L"ToolBar");
    toolBar->SetParent(this);
    toolBar->SetBounds(0, 0, ClientWidth(), 32);
    toolBar->SetButtonWidth(26);
    toolBar->SetButtonHeight(26);
    toolBar->SetImages(images);
    for (int i = 0; i < 4; ++i) {
        auto* b = new TToolButton(this);
        b->SetImageIndex(i);
        b->SetEnabled(i != 3);
        b->SetParent(toolBar);
    }

    int group = 0;
    auto panel = [&](const wchar_t* title) {
        const int column = group % 2, row = group / 2;
        ++group;
        auto* p = new TPanel(this);
        p->SetParent(this);
        p->SetBounds(kGap + column * (kColumnWidth + kGap), kTop + row * (kGroupHeight + kGap), kColumnWidth, kGroupHeight);
        auto* l = new TLabel(this);
        l->SetParent(p);
        l->SetBounds(8, 7, kColumnWidth - 16, 13);
        l->SetCaption(title);
        return p;
    };
    auto place = [&](auto* control, TPanel* parent, int x, int y, int width, int height, const wchar_t* caption) {
        control->SetParent(parent);
        control->SetBounds(x, y, width, height);
        if (caption)
            control->SetCaption(caption);
        return control;
    };

    TPanel* p = panel(L"按钮 Push buttons: normal, default, focused, disabled");
    place(new TButton(this), p, 8, kRowY, 66, 25, L"普通(&N)");
    place(new TButton(this), p, 80, kRowY, 66, 25, L"确定(&O)")->SetDefault(true);
    FocusedButton = place(new TButton(this), p, 152, kRowY, 66, 25, L"焦点(&F)");
    place(new TButton(this), p, 224, kRowY, 66, 25, L"禁用")->SetEnabled(false);

    p = panel(L"图形按钮 Glyph buttons: left, right, disabled");
    const auto glyph = DiscPicture(16, TColor(0x30A040));
    auto* b1 = place(new TBitBtn(this), p, 8, kRowY, 88, 27, L"播放(&P)");
    b1->SetGlyph(glyph.get());
    auto* b2 = place(new TBitBtn(this), p, 102, kRowY, 88, 27, L"录制(&R)");
    b2->SetGlyph(DiscPicture(16, TColor(0x3050D0)).get());
    b2->SetLayout(blGlyphRight);
    auto* b3 = place(new TBitBtn(this), p, 196, kRowY, 88, 27, L"停止");
    b3->SetGlyph(glyph.get());
    b3->SetEnabled(false);

    p = panel(L"快捷按钮 Speed buttons: normal, flat, down, disabled");
    place(new TSpeedButton(this), p, 8, kRowY, 66, 25, L"普通");
    place(new TSpeedButton(this), p, 80, kRowY, 66, 25, L"平面")->SetFlat(true);
    auto* down = place(new TSpeedButton(this), p, 152, kRowY, 66, 25, L"按下");
    down->SetGroupIndex(1);
    down->SetDown(true);
    auto* off = place(new TSpeedButton(this), p, 224, kRowY, 66, 25, L"禁用");
    off->SetGlyph(glyph.get());
    off->SetEnabled(false);

    p = panel(L"复选框 Check boxes");
    place(new TCheckBox(this), p, 8, kRowY, 130, 17, L"未选中(&U)");
    place(new TCheckBox(this), p, 150, kRowY, 130, 17, L"选中(&C)")->SetChecked(true);
    auto* grayed = place(new TCheckBox(this), p, 8, kSecondRowY, 130, 17, L"不确定");
    grayed->SetAllowGrayed(true);
    grayed->SetState(cbGrayed);
    auto* disabledCheck = place(new TCheckBox(this), p, 150, kSecondRowY, 130, 17, L"禁用(选中)");
    disabledCheck->SetChecked(true);
    disabledCheck->SetEnabled(false);

    p = panel(L"单选按钮 Radio buttons");
    place(new TRadioButton(this), p, 8, kRowY, 130, 17, L"视频(&V)")->SetChecked(true);
    place(new TRadioButton(this), p, 150, kRowY, 130, 17, L"音频(&A)");
    place(new TRadioButton(this), p, 8, kSecondRowY, 130, 17, L"照片");
    place(new TRadioButton(this), p, 150, kSecondRowY, 130, 17, L"禁用")->SetEnabled(false);

    p = panel(L"下拉框 Drop-down boxes: editable, list, disabled");
    auto combo = [&](int x, TComboBoxStyle style, bool enabled) {
        auto* c = place(new TComboBox(this), p, x, kRowY, 88, 21, nullptr);
        c->SetStyle(style);
        for (const wchar_t* item : {L"640 x 480", L"320 x 240", L"1280 x 720"})
            c->Items()->Add(item);
        c->SetItemIndex(0);
        c->SetEnabled(enabled);
    };
    combo(8, csDropDown, true);
    combo(102, csDropDownList, true);
    combo(196, csDropDownList, false);

    p = panel(L"编辑框 Edits: normal, disabled");
    place(new TEdit(this), p, 8, kRowY, 136, 21, L"C:\\视频\\捕捉.wmv");
    place(new TEdit(this), p, 152, kRowY, 136, 21, L"只读")->SetEnabled(false);

    p = panel(L"对话框 Dialogs");
    place(new TButton(this), p, 8, kRowY, 120, 25, L"消息框(&M)...")->OnClick =
        TNotifyEvent(this, &TGalleryForm::MessageBoxClick);
    place(new TButton(this), p, 136, kRowY, 120, 25, L"打开文件(&L)...")->OnClick =
        TNotifyEvent(this, &TGalleryForm::OpenFileClick);

    AddScrollingColumn(*this, 2 * kColumnWidth + 3 * kGap, kTop);

    StatusBar = new TStatusBar(this);
    StatusBar->SetName(L"StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetHeight(19);
    const struct { int Width; const wchar_t* Text; TAlignment Alignment; } panels[] = {
        {150, L"左对齐 left", taLeftJustify}, {200, L"居中 centred", taCenter}, {0, L"右对齐 right", taRightJustify}};
    for (const auto& panel : panels) {
        TStatusPanel* panelItem = StatusBar->Panels().Add();
        panelItem->SetWidth(panel.Width);
        panelItem->SetText(panel.Text);
        panelItem->SetAlignment(panel.Alignment);
    }
    MakeGalleryMenu(*this, images, toolBar, StatusBar, MainMenu);
    OnShow = TNotifyEvent(this, &TGalleryForm::FormShow);
}

void TGalleryForm::FormShow(TObject*)
{
    FocusedButton->SetFocus();
}

void TGalleryForm::MessageBoxClick(TObject*)
{
    MessageBoxW(Handle(), L"这是一个消息框。\nThis is a message box.", L"Kivora", MB_YESNOCANCEL | MB_ICONINFORMATION);
}

void TGalleryForm::OpenFileClick(TObject*)
{
    TOpenDialog dialog(nullptr);
    dialog.SetTitle(L"打开文件");
    dialog.SetFilter(L"视频文件 (*.wmv;*.avi)|*.wmv;*.avi|所有文件 (*.*)|*.*");
    dialog.Execute();
}
