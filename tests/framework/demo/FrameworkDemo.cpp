// A form with each control of the framework, for looking at: scripts/screenshot
// --out demo.png FrameworkDemo.exe. Captions are Chinese, as in the program.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/GroupBox.h"
#include "framework/Image.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/Memo.h"
#include "framework/Menus.h"
#include "framework/MessageBox.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/ProgressBar.h"
#include "framework/ScrollBar.h"
#include "framework/SpinEdit.h"
#include "framework/StatusBar.h"
#include "framework/Timer.h"
#include "framework/ToolBar.h"
#include "framework/TrackBar.h"
#include "framework/UpDown.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class TDemoForm : public TForm {
    KIVORA_CLASS(TDemoForm, TForm)
public:
    using TForm::TForm;

protected:
    void CreateComponents() override;

private:
    std::unique_ptr<TBitmap> Picture(int width, int height, int seed);
    TStatusBar* FStatus = nullptr;
    TTimer* FTimer = nullptr;
    int FTicks = 0;
};

const TClassInfo& TDemoForm::StaticClass()
{
    static const TClassInfo info(L"TDemoForm", &TForm::StaticClass());
    return info;
}

// A toolbar picture: a coloured disc on a magenta (transparent) ground.
std::unique_ptr<TBitmap> TDemoForm::Picture(int width, int height, int seed)
{
    static const TColor colors[] = {clRed, clGreen, clBlue, clNavy, clMaroon};
    auto bitmap = std::make_unique<TBitmap>(width, height, pf24bit);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush().SetColor(clFuchsia);
    canvas->FillRect(RECT{0, 0, width, height});
    canvas->Brush().SetColor(colors[seed % 5]);
    canvas->Pen().SetColor(clBlack);
    HGDIOBJ oldBrush = SelectObject(canvas->Handle(), canvas->Brush().Handle());
    HGDIOBJ oldPen = SelectObject(canvas->Handle(), canvas->Pen().Handle());
    Ellipse(canvas->Handle(), 4, 2, width - 4, height - 2);
    SelectObject(canvas->Handle(), oldBrush);
    SelectObject(canvas->Handle(), oldPen);
    return bitmap;
}

void TDemoForm::CreateComponents()
{
    SetCaption(L"框架演示 — Kivora");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetClientWidth(820);
    SetClientHeight(360);
    SetPosition(poScreenCenter);
    SetShowHint(true);
    Font()->SetName(L"宋体");
    Font()->SetSize(9);
    Font()->SetCharset(GB2312_CHARSET);

    auto* actions = new TActionList(this);
    auto* fullScreen = new TAction(this);
    fullScreen->SetActionList(actions);
    fullScreen->SetCaption(L"全屏");
    fullScreen->SetChecked(true);
    fullScreen->OnExecute = [fullScreen](TObject*) { fullScreen->SetChecked(!fullScreen->Checked()); };

    auto* mainMenu = new TMainMenu(this);
    auto addItem = [this](TMenuItem* parent, const wchar_t* caption) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    };
    TMenuItem* file = addItem(mainMenu->Items(), L"文件(&F)");
    addItem(file, L"播放文件");
    addItem(file, L"-");
    addItem(file, L"退出")->OnClick = [this](TObject*) { Close(); };
    TMenuItem* view = addItem(mainMenu->Items(), L"查看(&V)");
    addItem(view, L"全屏")->SetAction(fullScreen);
    SetMenu(mainMenu);

    auto* popup = new TPopupMenu(this);
    addItem(popup->Items(), L"活动视频");
    addItem(popup->Items(), L"拍照")->SetChecked(true);
    addItem(popup->Items(), L"-");
    addItem(popup->Items(), L"设置");
    SetPopupMenu(popup);

    auto* images = new TImageList(this);
    images->SetWidth(24);
    images->SetHeight(24);
    for (int i = 0; i < 5; ++i)
        images->AddMasked(*Picture(24, 24, i), clFuchsia);
    auto* bar = new TToolBar(this);
    bar->SetParent(this);
    bar->SetHeight(36);
    bar->SetButtonWidth(32);
    bar->SetButtonHeight(30);
    bar->SetImages(images);
    static const wchar_t* hints[] = {L"开始预览", L"拍照", L"录制电影", L"设置视频", L"About"};
    for (int i = 0; i < 5; ++i) {
        if (i > 0) {
            auto* separator = new TToolButton(this);
            separator->SetStyle(tbsSeparator);
            separator->SetWidth(8);
            separator->SetParent(bar);
        }
        auto* button = new TToolButton(this);
        button->SetImageIndex(i);
        button->SetHint(hints[i]);
        button->SetParent(bar);
        if (i == 2)
            button->SetEnabled(false);
        if (i == 3)
            button->SetAction(fullScreen);
    }

    FStatus = new TStatusBar(this);
    FStatus->SetParent(this);
    FStatus->Panels().Add()->SetWidth(100);
    FStatus->Panels().Add()->SetWidth(300);
    FStatus->Panels()[0]->SetText(L"00:00:00");
    FStatus->Panels()[1]->SetText(L"文件保存在: C:\\我的文档\\视频");

    auto* panel = new TPanel(this);
    panel->SetParent(this);
    panel->SetBounds(8, 44, 320, 200);
    auto* label = new TLabel(this);
    label->SetParent(panel);
    label->SetBounds(16, 20, 0, 0);
    label->SetCaption(L"视频设备：");
    auto* devices = new TComboBox(this);
    devices->SetParent(panel);
    devices->SetStyle(csDropDownList);
    devices->SetBounds(80, 16, 209, 21);
    devices->Items()->Add(L"USB 视频设备");
    devices->Items()->Add(L"测试摄像头");
    devices->SetItemIndex(0);
    devices->SetHint(L"USB 视频设备");
    auto* folderLabel = new TLabel(this);
    folderLabel->SetParent(panel);
    folderLabel->SetBounds(16, 60, 0, 0);
    folderLabel->SetCaption(L"文件保存：");
    auto* folder = new TEdit(this);
    folder->SetParent(panel);
    folder->SetBounds(80, 56, 209, 21);
    folder->SetText(L"C:\\我的文档");
    auto* ok = new TButton(this);
    ok->SetParent(panel);
    ok->SetBounds(80, 150, 75, 25);
    ok->SetCaption(L"确定(&A)");
    ok->OnClick = [](TObject*) { ShowMessage(L"请选择文件保存位置."); };
    auto* cancel = new TButton(this);
    cancel->SetParent(panel);
    cancel->SetBounds(200, 150, 75, 25);
    cancel->SetCaption(L"取消(&X)");
    auto* caption = new TPanel(this);
    caption->SetParent(panel);
    caption->SetBounds(16, 96, 273, 40);
    caption->SetBevelOuter(bvLowered);
    caption->SetCaption(L"照片保存在: 我的文档");

    auto* image = new TImage(this);
    image->SetParent(this);
    image->SetBounds(340, 44, 172, 128);
    image->SetStretch(true);
    TBitmap* pixels = image->Picture()->Bitmap();
    pixels->SetPixelFormat(pf24bit);
    pixels->SetSize(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            std::uint8_t* p = pixels->ScanLine(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(x * 4);
            p[1] = static_cast<std::uint8_t>(y * 5);
            p[2] = static_cast<std::uint8_t>(255 - x * 4);
        }

    // The controls that scroll, slide, step and page, on three pages.
    auto* pages = new TPageControl(this);
    pages->SetParent(this);
    pages->SetBounds(520, 44, 292, 284);
    auto page = [&](const wchar_t* caption) {
        auto* sheet = new TTabSheet(this);
        sheet->SetParent(pages);
        sheet->SetCaption(caption);
        return sheet;
    };
    TTabSheet* texts = page(L"文本");
    auto* memo = new TMemo(this);
    memo->SetParent(texts);
    memo->SetBounds(6, 6, 272, 120);
    memo->SetScrollBars(ssVertical);
    std::vector<std::wstring> lines;
    for (int i = 1; i <= 40; ++i)
        lines.push_back(L"第 " + std::to_wstring(i) + L" 行文字");
    memo->SetLines(lines);
    auto* list = new TListBox(this);
    list->SetParent(texts);
    list->SetBounds(6, 132, 272, 116);
    for (int i = 1; i <= 30; ++i)
        list->Items()->Add(L"列表项 " + std::to_wstring(i));
    list->SetItemIndex(2);

    TTabSheet* ranges = page(L"范围");
    auto* horizontal = new TScrollBar(this);
    horizontal->SetParent(ranges);
    horizontal->SetBounds(6, 8, 240, 17);
    horizontal->SetPageSize(20);
    horizontal->SetPosition(30);
    auto* vertical = new TScrollBar(this);
    vertical->SetParent(ranges);
    vertical->SetKind(sbVertical);
    vertical->SetBounds(256, 8, 17, 230);
    auto* track = new TTrackBar(this);
    track->SetParent(ranges);
    track->SetBounds(6, 40, 240, 40);
    track->SetPosition(4);
    auto* upright = new TTrackBar(this);
    upright->SetParent(ranges);
    upright->SetOrientation(trVertical);
    upright->SetBounds(200, 90, 40, 140);
    auto* progress = new TProgressBar(this);
    progress->SetParent(ranges);
    progress->SetBounds(6, 96, 180, 18);
    progress->SetPosition(55);

    TTabSheet* numbers = page(L"数字");
    auto* group = new TGroupBox(this);
    group->SetParent(numbers);
    group->SetBounds(6, 6, 272, 110);
    group->SetCaption(L"帧率");
    auto* spin = new TSpinEdit(this);
    spin->SetParent(group);
    spin->SetBounds(12, 28, 90, 22);
    spin->SetMaxValue(60);
    spin->SetValue(30);
    auto* edit = new TEdit(this);
    edit->SetParent(group);
    edit->SetBounds(12, 64, 70, 22);
    auto* arrows = new TUpDown(this);
    arrows->SetParent(group);
    arrows->SetAssociate(edit);
    arrows->SetPosition(5);

    // "FrameworkDemo.exe popup" opens the popup menu by itself, to be looked at.
    if (wcsstr(GetCommandLineW(), L"popup")) {
        auto* opener = new TTimer(this);
        opener->SetInterval(500);
        opener->OnTimer = [opener, popup](TObject*) {
            opener->SetEnabled(false);
            popup->Popup(200, 200);
        };
    }

    FTimer = new TTimer(this);
    FTimer->SetInterval(1000);
    FTimer->OnTimer = [this](TObject*) {
        ++FTicks;
        wchar_t text[16];
        wsprintfW(text, L"00:00:%02d", FTicks % 60);
        FStatus->Panels()[0]->SetText(text);
    };
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Application->Initialize();
    Application->SetTitle(L"框架演示");
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    Application->Finalize();
    return 0;
}
