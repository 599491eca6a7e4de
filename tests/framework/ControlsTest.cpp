// The controls the program's forms use: combo boxes, actions with menus and tool
// buttons, buttons with modal results, status bars, and their properties by name.
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"

#include <gtest/gtest.h>

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = TCustomForm::Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { Form->Free(); }
    template <class T> T* Add()
    {
        T* control = new T(Form);
        control->SetParent(Form);
        return control;
    }
    TForm* Form = nullptr;
};

TEST_F(ControlsTest, ComboBoxFiresOnChangeForTheUserButNotForCode)
{
    auto* box = Add<TComboBox>();
    box->SetStyle(csDropDownList);
    for (const wchar_t* item : {L"视频格式 A", L"视频格式 B", L"视频格式 C"})
        box->Items()->Add(item);
    int changes = 0;
    box->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, box);
        ++changes;
    };
    box->SetItemIndex(1); // before the window exists
    HWND window = box->Handle();
    EXPECT_EQ(box->ItemIndex(), 1);
    box->SetItemIndex(2); // with the window
    EXPECT_EQ(SendMessageW(window, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(box->Text(), L"视频格式 C");
    EXPECT_EQ(changes, 0);

    // The user picks another row with the keyboard.
    SendMessageW(window, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(changes, 1);

    box->Items()->Clear();
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(changes, 1);
    wchar_t name[32];
    GetClassNameW(window, name, 32);
    EXPECT_STREQ(name, L"TComboBox");
}

TEST_F(ControlsTest, ActionCheckMarkReachesLinkedMenuItemsAndToolButtons)
{
    auto* action = new TAction(Form);
    action->SetCaption(L"FullScreen");
    int executed = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    auto* popup = new TPopupMenu(Form);
    auto* own = new TMenuItem(Form);
    own->SetAction(action);
    own->SetCaption(L"全屏"); // its own caption wins over the action's
    auto* follower = new TMenuItem(Form);
    follower->SetAction(action);
    popup->Items()->Add(own);
    popup->Items()->Add(follower);
    auto* bar = Add<TToolBar>();
    auto* button = new TToolButton(Form);
    button->SetParent(bar);
    button->SetAction(action);
    HMENU menu = popup->Handle();

    action->SetChecked(true);
    EXPECT_TRUE(own->Checked());
    EXPECT_TRUE(follower->Checked());
    EXPECT_TRUE(button->Down());
    EXPECT_TRUE(GetMenuState(menu, own->Command(), MF_BYCOMMAND) & MF_CHECKED);
    action->SetCaption(L"Full screen");
    EXPECT_EQ(own->Caption(), L"全屏");
    EXPECT_EQ(follower->Caption(), L"Full screen");
    action->SetChecked(false);
    EXPECT_FALSE(own->Checked());
    EXPECT_FALSE(GetMenuState(popup->Handle(), own->Command(), MF_BYCOMMAND) & MF_CHECKED);

    // A menu command reaching the form runs the action; so does the tool button.
    SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(own->Command(), 0), 0);
    EXPECT_EQ(executed, 1);
    TBBUTTON tb{};
    ASSERT_TRUE(SendMessageW(bar->Handle(), TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&tb)));
    SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(tb.idCommand, BN_CLICKED), reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(executed, 2);

    // Freeing the action clears the links.
    action->Free();
    EXPECT_EQ(own->Action(), nullptr);
    EXPECT_EQ(button->Action(), nullptr);
}

TEST_F(ControlsTest, ButtonWithModalResultEndsAModalForm)
{
    auto* ok = Add<TButton>();
    ok->SetCaption(L"确定(&A)");
    ok->SetModalResult(mrOk);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    Form->OnShow = [&](TObject*) { PostMessageW(ok->Handle(), BM_CLICK, 0, 0); };
    EXPECT_EQ(Form->ShowModal(), mrOk);
    EXPECT_EQ(clicks, 1);
    // Its accelerator clicks it too.
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, L'a', 0), 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, L'x', 0), 0);
}

TEST_F(ControlsTest, ToolBarCustomDrawReachesTheEventThroughTheForm)
{
    auto* bar = Add<TToolBar>();
    auto* button = new TToolButton(Form);
    button->SetParent(bar);
    TToolButton* drawn = nullptr;
    TCustomDrawState drawnState;
    bar->OnCustomDrawButton = [&](TToolBar* sender, TToolButton* b, TCustomDrawState state, bool& defaultDraw) {
        EXPECT_EQ(sender, bar);
        EXPECT_NE(sender->Canvas()->Handle(), nullptr);
        drawn = b;
        drawnState = state;
        defaultDraw = false;
    };
    TBBUTTON tb{};
    ASSERT_TRUE(SendMessageW(bar->Handle(), TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&tb)));
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    NMTBCUSTOMDRAW draw{};
    draw.nmcd.hdr.hwndFrom = bar->Handle();
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.hdc = dc.get();
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(SendMessageW(Form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), CDRF_NOTIFYITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(tb.idCommand);
    draw.nmcd.uItemState = CDIS_HOT | CDIS_SELECTED;
    EXPECT_EQ(SendMessageW(Form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), CDRF_SKIPDEFAULT);
    EXPECT_EQ(drawn, button);
    EXPECT_EQ(drawnState, (TCustomDrawState{cdsHot, cdsSelected}));
}

TEST_F(ControlsTest, StatusBarPanelsReachTheWindow)
{
    auto* bar = Add<TStatusBar>();
    bar->Panels().Add()->SetWidth(100);
    bar->Panels().Add()->SetWidth(300);
    bar->Panels()[1]->SetText(L"文件保存在: C:\\视频");
    HWND window = bar->Handle();
    int edges[4] = {};
    EXPECT_EQ(SendMessageW(window, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 100);
    wchar_t text[64] = {};
    SendMessageW(window, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"文件保存在: C:\\视频");
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Top() + bar->Height(), Form->ClientHeight());
}

TEST_F(ControlsTest, PropertiesOfRealControlsByName)
{
    auto* button = Add<TButton>();
    button->SetCaption(L"视频属性");
    auto* bar = Add<TToolBar>();
    auto* status = Add<TStatusBar>();
    status->SetSimpleText(L"ready");
    auto* panel = Add<TPanel>();
    auto* label = new TLabel(Form);
    label->SetParent(panel);
    label->SetCaption(L"视频设备：");

    EXPECT_EQ(ReadTextProp(button, L"Caption"), L"视频属性");
    EXPECT_EQ(ReadTextProp(status, L"simpletext"), L"ready");
    EXPECT_EQ(ReadEnumProp(bar, L"Flat"), L"False");
    EXPECT_TRUE(WriteProp(bar, L"Flat", L"True"));
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(WriteProp(status, L"SizeGrip", L"false"));
    EXPECT_FALSE(status->SizeGrip());
    EXPECT_EQ(ReadObjectProp<TFont>(button, L"Font"), button->Font());
    EXPECT_EQ(ReadObjectProp<TFont>(button, L"PopupMenu"), nullptr);
    EXPECT_EQ(ReadEnumProp(bar, L"OnCustomDrawButton"), L"");
    EXPECT_EQ(GetPropText(bar, L"OnCustomDrawButton"), L"");
    EXPECT_EQ(ReadIntProp(panel, L"Margin"), 0); // missing
    EXPECT_TRUE(WriteProp(label, L"Tag", L"99"));
    EXPECT_EQ(label->Tag(), 99);
    EXPECT_TRUE(panel->Is<TCustomPanel>());
    EXPECT_TRUE(status->Is<TCustomStatusBar>());
    EXPECT_EQ(label->Parent(), panel);
    EXPECT_GT(label->Width(), 0); // sized to its text
}

TEST_F(ControlsTest, PopupMenuOnAnotherFormIsClearedWhenThatFormGoes)
{
    auto* other = TCustomForm::Create<TForm>(nullptr);
    auto* menu = new TPopupMenu(other);
    auto* panel = Add<TPanel>();
    panel->SetPopupMenu(menu);
    other->Free();
    EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST_F(ControlsTest, MouseEnterAndLeaveReachTheControl)
{
    auto* panel = Add<TPanel>();
    panel->SetBounds(10, 10, 100, 50);
    std::vector<UINT> seen;
    TWndMethod old = panel->WindowProc;
    panel->WindowProc = [&](TMessage& m) {
        if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE)
            seen.push_back(m.Msg);
        old(m);
    };
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    SendMessageW(panel->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(seen, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
    panel->WindowProc = old;
}

} // namespace
