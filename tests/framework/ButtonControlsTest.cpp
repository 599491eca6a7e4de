// The framework's check boxes, radio buttons, glyph buttons, speed buttons and status
// panels: state and events from clicks and code, groups, owner drawing kept, panel
// alignment and bevels sent to the system status bar.
#include "framework/Application.h"
#include "framework/BitBtn.h"
#include "framework/CheckBox.h"
#include "framework/Form.h"
#include "framework/GlyphLayout.h"
#include "framework/Panel.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "framework/StatusBar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

class ButtonControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = TCustomForm::Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { Form->Free(); }
    template <class T> T* Add(TWinControl* parent = nullptr)
    {
        T* control = new T(Form);
        control->SetParent(parent ? parent : Form);
        return control;
    }
    static void Click(HWND window)
    {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    TForm* Form = nullptr;
};

TEST_F(ButtonControls, CheckBoxStateFollowsClicksAndCodeFiresNothing)
{
    auto* box = Add<TCheckBox>();
    box->SetCaption(L"选中(&C)");
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(true);  // before the window exists
    const HWND w = box->Handle();
    EXPECT_EQ(SendMessageW(w, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks, 0);
    Click(w);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 1);
    // Grayed is reached by clicks only when allowed; by name as the skin reads it.
    box->SetAllowGrayed(true);
    Click(w);
    Click(w);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(ReadEnumProp(box, L"State"), L"cbGrayed");
    EXPECT_EQ(ReadEnumProp(box, L"Checked"), L"False");
    // The accelerator clicks it.
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, L'c', 0), 1);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 4);
    // The box on the right of the caption.
    auto* right = Add<TCheckBox>();
    right->SetAlignment(taLeftJustify);
    EXPECT_TRUE(GetWindowLongPtrW(right->Handle(), GWL_STYLE) & BS_LEFTTEXT);
}

TEST_F(ButtonControls, RadioButtonsOfOneParentAreOneGroup)
{
    auto* panel = Add<TPanel>();
    auto* a = Add<TRadioButton>(panel);
    auto* b = Add<TRadioButton>(panel);
    auto* elsewhere = Add<TRadioButton>();
    a->SetChecked(true);
    elsewhere->SetChecked(true);
    EXPECT_TRUE(a->TabStop());
    EXPECT_FALSE(b->TabStop());
    Click(b->Handle());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(SendMessageW(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(b->TabStop());
    EXPECT_TRUE(elsewhere->Checked()) << "another parent's button is another group";
    a->SetChecked(true);
    EXPECT_FALSE(b->Checked());
}

TEST_F(ButtonControls, GlyphButtonStaysOwnerDrawnAndDefault)
{
    auto* button = Add<TBitBtn>();
    button->SetCaption(L"播放");
    TBitmap glyph(32, 16, pf24bit);
    button->SetGlyph(&glyph);
    button->SetNumGlyphs(2);
    const HWND w = button->Handle();
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    button->SetDefault(true);
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(ReadEnumProp(button, L"Default"), L"True");
    EXPECT_EQ(ReadObjectProp<TBitmap>(button, L"Glyph")->Width(), 32);
    EXPECT_EQ(ReadIntProp(button, L"Margin"), -1);
    EXPECT_EQ(ReadEnumProp(button, L"Layout"), L"blGlyphLeft");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Click(w);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonControls, SpeedButtonsOfOneGroupAreDownOneAtATime)
{
    auto* panel = Add<TPanel>();
    panel->SetBounds(0, 0, 200, 40);
    auto* a = Add<TSpeedButton>(panel);
    auto* b = Add<TSpeedButton>(panel);
    a->SetBounds(0, 0, 30, 30);
    b->SetBounds(40, 0, 30, 30);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetDown(true);
    panel->HandleNeeded();
    // The parent routes the mouse to its windowless children.
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 5));
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(45, 5));
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(clicks, 1);
    // Down stays down without AllowAllUp.
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 5));
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(45, 5));
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true);
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 5));
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(45, 5));
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(ReadEnumProp(b, L"Flat"), L"False");
}

TEST_F(ButtonControls, GlyphPlacementCentresOrKeepsTheMargin)
{
    const TGlyphPlacement centred = PlaceGlyph({0, 0, 80, 24}, {16, 16}, {30, 12}, blGlyphLeft, -1, 4);
    EXPECT_EQ(centred.Glyph.x, 15);  // (80 - 50) / 2
    EXPECT_EQ(centred.Text.left, 35);
    EXPECT_EQ(centred.Glyph.y, 4);
    const TGlyphPlacement below = PlaceGlyph({0, 0, 60, 60}, {16, 16}, {30, 12}, blGlyphBottom, 5, 2);
    EXPECT_EQ(below.Glyph.y, 39);
    EXPECT_EQ(below.Text.top, 25);
}

TEST_F(ButtonControls, StatusPanelsSendAlignmentBevelAndOwnerDrawing)
{
    auto* bar = Add<TStatusBar>();
    const HWND w = bar->Handle();
    TStatusPanel* left = bar->Panels().Add();
    TStatusPanel* centre = bar->Panels().Add();
    TStatusPanel* drawn = bar->Panels().Add();
    left->SetText(L"捕捉");
    left->SetBevel(pbRaised);
    centre->SetText(L"播放");
    centre->SetAlignment(taCenter);
    centre->SetBevel(pbNone);
    int drawnPanels = 0;
    bar->OnDrawPanel = [&](TCustomStatusBar*, TStatusPanel* panel, const RECT&) {
        if (panel == drawn)
            ++drawnPanels;
    };
    drawn->SetStyle(psOwnerDraw);
    wchar_t text[64] = {};
    const LRESULT first = SendMessageW(w, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"捕捉");
    EXPECT_EQ(HIWORD(first) & SBT_POPOUT, SBT_POPOUT);
    const LRESULT second = SendMessageW(w, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"\t播放");
    EXPECT_EQ(HIWORD(second) & SBT_NOBORDERS, SBT_NOBORDERS);
    // Right to left: the left alignment becomes right.
    left->SetBiDiMode(bdRightToLeft);
    SendMessageW(w, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"\t\t捕捉");
    Form->Show();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(drawnPanels, 1) << "the owner-drawn panel is drawn by OnDrawPanel";
    Form->Hide();
}

}  // namespace
