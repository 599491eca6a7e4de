// The controls that scroll, slide, step and page: scroll bars, track bars, list boxes,
// memos, spin edits and up-downs, progress bars, and tab and page controls. Each is driven
// the way a user drives it (keys and clicks reach the system control, which tells the
// parent) and checked on the framework object and on the window.
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/GroupBox.h"
#include "framework/ListBox.h"
#include "framework/Memo.h"
#include "framework/PageControl.h"
#include "framework/ProgressBar.h"
#include "framework/ScrollBar.h"
#include "framework/SpinEdit.h"
#include "framework/TrackBar.h"
#include "framework/UpDown.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

class ScrollAndPageControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = TCustomForm::Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 500, 400);
        Form->Show();
    }
    void TearDown() override { Form->Free(); }
    template <class T> T* Add(TWinControl* parent = nullptr)
    {
        T* control = new T(Form);
        control->SetParent(parent ? parent : Form);
        return control;
    }
    static void Key(HWND window, WPARAM key)
    {
        SendMessageW(window, WM_KEYDOWN, key, 0);
        SendMessageW(window, WM_KEYUP, key, 0);
    }
    static void Click(HWND window, POINT at)
    {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    TForm* Form = nullptr;
};

TEST_F(ScrollAndPageControlsTest, ScrollBarFollowsTheUserWithinItsRange)
{
    auto* bar = Add<TScrollBar>();
    bar->SetBounds(10, 10, 200, 17);
    bar->SetParams(0, 0, 100);
    bar->SetSmallChange(5);
    bar->SetLargeChange(20);
    bar->SetPageSize(10);
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    HWND window = bar->Handle();

    Key(window, VK_RIGHT); // the control asks its parent for a line down
    EXPECT_EQ(bar->Position(), 5);
    Key(window, VK_NEXT);
    EXPECT_EQ(bar->Position(), 25);
    Key(window, VK_END);
    // The last position leaves one page of the range in view.
    EXPECT_EQ(bar->Position(), 91);
    EXPECT_EQ(GetScrollPos(window, SB_CTL), 91);
    EXPECT_EQ(changes, 3);
    Key(window, VK_RIGHT);
    EXPECT_EQ(changes, 3); // nothing moved

    // Ranges larger than a message's 16 bits are tracked through the control itself.
    bar->SetParams(70000, 0, 100000);
    EXPECT_EQ(bar->Position(), 70000);
    Key(window, VK_LEFT);
    EXPECT_EQ(bar->Position(), 69995);

    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 69995);
}

TEST_F(ScrollAndPageControlsTest, TrackBarFollowsKeysAndCode)
{
    auto* track = Add<TTrackBar>();
    track->SetMax(20);
    track->SetPageSize(5);
    std::vector<int> seen;
    track->OnChange = [&](TObject*) { seen.push_back(track->Position()); };
    HWND window = track->Handle();
    Key(window, VK_RIGHT);
    Key(window, VK_NEXT);
    track->SetPosition(50); // kept inside the range
    Key(window, VK_HOME);
    EXPECT_EQ(seen, (std::vector<int>{1, 6, 20, 0}));
    EXPECT_EQ(SendMessageW(window, TBM_GETPOS, 0, 0), 0);

    track->SetOrientation(trVertical);
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_VERT);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMAX, 0, 0), 20);
}

TEST_F(ScrollAndPageControlsTest, ListBoxMirrorsItsItemsAndReportsOnlyTheUsersChoice)
{
    auto* list = Add<TListBox>();
    list->SetBounds(10, 10, 150, 60);
    for (int i = 0; i < 30; ++i)
        list->Items()->Add(L"第 " + std::to_wstring(i) + L" 行");
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->SetItemIndex(3);
    HWND window = list->Handle();
    EXPECT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), 30);
    EXPECT_EQ(SendMessageW(window, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);

    Key(window, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(clicks, 1);

    list->Items()->Delete(0);
    list->Items()->Insert(0, L"新的第一行");
    wchar_t text[32] = {};
    SendMessageW(window, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"新的第一行");
    list->Items()->Clear();
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ScrollAndPageControlsTest, MemoKeepsItsLinesAndScrollBarsAcrossStyleChanges)
{
    auto* memo = Add<TMemo>();
    memo->SetBounds(10, 10, 200, 80);
    const std::vector<std::wstring> lines = {L"第一行", L"", L"third line", L"最后"};
    memo->SetLines(lines);
    EXPECT_EQ(memo->Lines(), lines);
    EXPECT_EQ(memo->Text(), L"第一行\r\n\r\nthird line\r\n最后");

    memo->SetScrollBars(ssVertical);
    HWND window = memo->Handle();
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(memo->Lines(), lines); // the new window got the text

    std::vector<std::wstring> many;
    for (int i = 0; i < 200; ++i)
        many.push_back(L"行 " + std::to_wstring(i));
    memo->SetLines(many);
    EXPECT_EQ(SendMessageW(window, EM_GETLINECOUNT, 0, 0), 200);
    SendMessageW(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(SendMessageW(window, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    memo->SetText(L"");
    EXPECT_TRUE(memo->Lines().empty());
}

TEST_F(ScrollAndPageControlsTest, SpinEditStepsByArrowsAndKeysWithinItsLimits)
{
    auto* spin = Add<TSpinEdit>();
    spin->SetBounds(10, 10, 100, 24);
    spin->SetMinValue(-2);
    spin->SetMaxValue(10);
    spin->SetIncrement(3);
    spin->SetValue(4);
    HWND arrows = spin->ButtonHandle();
    ASSERT_NE(arrows, nullptr);
    wchar_t name[32] = {};
    GetClassNameW(arrows, name, 32);
    EXPECT_STREQ(name, L"msctls_updown32");
    EXPECT_EQ(GetParent(arrows), spin->Handle());

    RECT r{};
    GetClientRect(arrows, &r);
    Click(arrows, {r.right / 2, r.bottom / 4}); // the up arrow
    EXPECT_EQ(spin->Value(), 7);
    Click(arrows, {r.right / 2, r.bottom / 4});
    EXPECT_EQ(spin->Value(), 10); // held at the maximum
    Click(arrows, {r.right / 2, r.bottom * 3 / 4});
    EXPECT_EQ(spin->Value(), 7);
    Key(spin->Handle(), VK_DOWN);
    Key(spin->Handle(), VK_DOWN);
    Key(spin->Handle(), VK_DOWN);
    EXPECT_EQ(spin->Value(), -2);
    EXPECT_EQ(spin->Text(), L"-2");
    spin->SetText(L"99");
    EXPECT_EQ(spin->Value(), 10); // typed text is read within the limits
}

TEST_F(ScrollAndPageControlsTest, UpDownShowsItsPositionInItsEditAndForgetsAFreedEdit)
{
    auto* edit = Add<TEdit>();
    edit->SetBounds(10, 10, 80, 24);
    auto* arrows = Add<TUpDown>();
    arrows->SetMax(5);
    arrows->SetAssociate(edit);
    int changes = 0;
    arrows->OnChange = [&](TObject*) { ++changes; };
    RECT r{};
    GetClientRect(arrows->Handle(), &r);
    Click(arrows->Handle(), {r.right / 2, r.bottom / 4});
    Click(arrows->Handle(), {r.right / 2, r.bottom / 4});
    EXPECT_EQ(arrows->Position(), 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit->Text(), L"2");
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows->Handle(), UDM_GETBUDDY, 0, 0)), edit->Handle());

    edit->Free();
    EXPECT_EQ(arrows->Associate(), nullptr);
    arrows->SetPosition(9);
    EXPECT_EQ(arrows->Position(), 5);
    // Without an edit the arrows still step the position.
    Click(arrows->Handle(), {r.right / 2, r.bottom * 3 / 4});
    EXPECT_EQ(arrows->Position(), 4);
    EXPECT_EQ(changes, 3);
}

TEST_F(ScrollAndPageControlsTest, ProgressBarStaysInsideItsRange)
{
    auto* progress = Add<TProgressBar>();
    progress->SetStep(30);
    progress->StepIt();
    progress->StepIt();
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETPOS, 0, 0), 60);
    progress->StepIt();
    progress->StepIt();
    EXPECT_EQ(progress->Position(), 100);
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETPOS, 0, 0), 100);
    progress->SetMax(50);
    EXPECT_EQ(progress->Position(), 50);
    EXPECT_EQ(ReadIntProp(progress, L"Position"), 50);
}

TEST_F(ScrollAndPageControlsTest, PageControlShowsThePageTheUserPicks)
{
    auto* pages = Add<TPageControl>();
    pages->SetBounds(10, 10, 300, 200);
    std::vector<TTabSheet*> sheets;
    for (const wchar_t* caption : {L"常规", L"视频", L"音频"}) {
        auto* sheet = Add<TTabSheet>(pages);
        sheet->SetCaption(caption);
        Add<TEdit>(sheet);
        sheets.push_back(sheet);
    }
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    HWND window = pages->Handle();
    EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[1]->Handle()));
    const RECT area = pages->DisplayRect();
    EXPECT_EQ(sheets[0]->Left(), area.left);
    EXPECT_EQ(sheets[0]->Width(), area.right - area.left);

    RECT tab{};
    SendMessageW(window, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
    Click(window, {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_EQ(changes, 1);

    // Ctrl+Tab from a control on the page turns to the next page, round to the first.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    auto* edit = static_cast<TWinControl*>(sheets[2]->Controls(0));
    edit->SetFocus();
    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(changes, 2);

    sheets[0]->SetCaption(L"基本");
    wchar_t text[16] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 16;
    SendMessageW(window, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"基本");

    sheets[0]->Free(); // the active page goes: its neighbour shows
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_TRUE(IsWindowVisible(sheets[1]->Handle()));
    EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ScrollAndPageControlsTest, GroupBoxHoldsControlsTabReaches)
{
    auto* group = Add<TGroupBox>();
    group->SetCaption(L"视频");
    auto* first = Add<TEdit>();
    auto* inner = Add<TEdit>(group);
    first->SetFocus();
    EXPECT_EQ(GetNextDlgTabItem(Form->Handle(), first->Handle(), FALSE), inner->Handle());
    EXPECT_EQ(ReadTextProp(group, L"Caption"), L"视频");
}

} // namespace
