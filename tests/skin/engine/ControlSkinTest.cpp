// Control skinning on real windows (under Xvfb), with Kivora's stored skin: which control
// gets which skinning object (the class table, Skin3rd, DisableTag, raw dialog children),
// switching one control's skin off and on, clicks and keys on skinned buttons, check boxes
// and radio buttons doing what the native ones do, and no GDI growth over many hover,
// press and paint cycles.
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/controls/CheckMarks.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/controls/SkinBitButton.h"
#include "skin/engine/controls/SkinBox.h"
#include "skin/engine/controls/SkinButton.h"
#include "skin/engine/controls/SkinCheckBox.h"
#include "skin/engine/controls/SkinComBox.h"
#include "skin/engine/controls/SkinEdit.h"
#include "skin/engine/controls/SkinRadioButton.h"
#include "skin/engine/controls/SkinSpeedButton.h"
#include "skin/engine/controls/SkinStatusBar.h"
#include "skin/engine/frames/FormSkin.h"

#include "CraftedSkin.h"
#include "SkinnedForm.h"
#include "skin/SkinData.h"
#include "framework/Application.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/RadioButton.h"
#include "framework/SpeedButton.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace {

// The window's pixels as it shows them now (repainted first).
std::vector<std::uint8_t> Pixels(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT r{};
    GetWindowRect(window, &r);
    TBitmap picture(r.right - r.left, r.bottom - r.top, pf24bit);
    HDC dc = GetWindowDC(window);
    BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < picture.Height(); ++y)
        bytes.insert(bytes.end(), picture.ScanLine(y), picture.ScanLine(y) + picture.Width() * 3);
    return bytes;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ControlSkin : public skinned::SkinnedFormTest {
protected:
    void SetUp() override
    {
        skinned::SkinnedFormTest::SetUp();
        if (Form) {
            Form->SetBounds(80, 80, 480, 320);
            Form->SetCaption(L"控件 controls");
        }
    }
    bool LoadSkin(TSkinData& skin) override
    {
        Customize(skin);
        return skin.LoadSkinFromResource(L"SKINSTREAM");
    }
    virtual void Customize(TSkinData&) {}
};

TEST_F(ControlSkin, EachFrameworkControlGetsTheSkinningObjectOfItsKind)
{
    auto* panel = Add<TPanel>(nullptr, 0, 40, 480, 200);
    auto* button = Add<TButton>(panel, 8, 8, 75, 25, L"确定(&O)");
    auto* bitBtn = Add<TBitBtn>(panel, 90, 8, 75, 25, L"播放");
    auto* speed = Add<TSpeedButton>(panel, 170, 8, 60, 25, L"快");
    auto* check = Add<TCheckBox>(panel, 8, 40, 100, 17, L"选中");
    auto* radio = Add<TRadioButton>(panel, 120, 40, 100, 17, L"视频");
    auto* combo = Add<TComboBox>(panel, 8, 70, 120, 21);
    auto* edit = Add<TEdit>(panel, 140, 70, 120, 21);
    auto* label = Add<TLabel>(panel, 8, 100, 80, 13, L"标签");
    auto* toolBar = Add<TToolBar>(nullptr, 0, 0, 480, 30);
    auto* ownDrawn = Add<TToolBar>(nullptr, 0, 250, 480, 30);
    int ownDraws = 0;
    ownDrawn->OnCustomDrawButton = [&](TToolBar*, TToolButton*, TCustomDrawState, bool&) { ++ownDraws; };
    auto* status = Add<TStatusBar>(nullptr, 0, 0, 480, 19);
    // DisableTag 99: Tag 99 and 1099 are left alone, -99 is skinned (its remainder is -99).
    auto* tagged99 = Add<TButton>(panel, 8, 130, 75, 25, L"99");
    tagged99->SetTag(99);
    auto* tagged1099 = Add<TButton>(panel, 90, 130, 75, 25, L"1099");
    tagged1099->SetTag(1099);
    auto* taggedMinus = Add<TButton>(panel, 170, 130, 75, 25, L"-99");
    taggedMinus->SetTag(-99);
    ShowSkinned();

    const struct {
        TComponent* Control;
        const TClassInfo* Expected;  // null: no skinning object
    } table[] = {
        {panel, &TSkinBox::StaticClass()},         {button, &TSkinButton::StaticClass()},
        {bitBtn, &TSkinBitButton::StaticClass()},  {speed, &TSkinSpeedButton::StaticClass()},
        {check, &TSkinCheckBox::StaticClass()},    {radio, &TSkinRadioButton::StaticClass()},
        {combo, &TSkinComBox::StaticClass()},      {edit, &TSkinEdit::StaticClass()},
        {label, nullptr},                          {toolBar, &TSkinBox::StaticClass()},
        {status, &TSkinStatusBar::StaticClass()},  {tagged99, nullptr},
        {tagged1099, nullptr},                     {taggedMinus, &TSkinButton::StaticClass()},
        {ownDrawn, &TSkinBox::StaticClass()},
    };
    for (const auto& row : table) {
        TSkinControl* object = SkinOf(row.Control);
        if (!row.Expected) {
            EXPECT_EQ(object, nullptr) << row.Control->ClassName() << " " << row.Control->Tag();
            continue;
        }
        ASSERT_NE(object, nullptr) << row.Control->ClassName();
        EXPECT_EQ(&object->ClassType(), row.Expected) << row.Control->ClassName();
    }
    // The tool bar turned flat and draws its buttons over the skin's frames; the status
    // bar lost its own size grip. Switching off gives both back.
    EXPECT_TRUE(toolBar->Flat());
    EXPECT_TRUE(toolBar->OnCustomDrawButton.Assigned());
    // A tool bar with its own button drawing keeps it.
    TToolBar* bar = nullptr;
    TToolButton* tb = nullptr;
    bool defaultDraw = true;
    ownDrawn->OnCustomDrawButton(bar, tb, {}, defaultDraw);
    EXPECT_EQ(ownDraws, 1);
    EXPECT_FALSE(status->SizeGrip());
    EXPECT_EQ(panel->Color(), static_cast<TColor>(Skin->Elements().ColorButtonFace));

    // Freeing a control frees its skinning object and takes it off the list.
    TFormSkin* skinned = Manager->FindForm(Form->Handle());
    const size_t before = skinned->Controls().Controls().size();
    button->Free();
    EXPECT_EQ(skinned->Controls().Controls().size(), before - 1);

    Manager->SetPendingSkin(Skin);
    Manager->ScheduleAction(saSwitchOff, 1);
    ASSERT_TRUE(PumpUntil([&] { return !Manager->TimerEnabled(); }));
    EXPECT_FALSE(toolBar->Flat());
    EXPECT_FALSE(toolBar->OnCustomDrawButton.Assigned());
    EXPECT_TRUE(status->SizeGrip());
    EXPECT_EQ(panel->Color(), clBtnFace);
    EXPECT_EQ(SkinOf(edit), nullptr);
}

TEST_F(ControlSkin, OnSkinControlChoosesFirstAndASkinChangeReachesEveryControl)
{
    std::vector<std::wstring> asked;
    Skin->OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl* control, const std::wstring& cls,
                              TComponent*& made) {
        asked.push_back(cls);
        if (cls == L"TEDIT")
            made = new TSkinBox(control);  // the application's choice for edits
    };
    auto* panel = Add<TPanel>(nullptr, 0, 0, 300, 100);
    auto* edit = Add<TEdit>(panel, 8, 8, 120, 21);
    auto* button = Add<TButton>(panel, 8, 40, 75, 25, L"确定");
    ShowSkinned();
    EXPECT_NE(std::find(asked.begin(), asked.end(), L"TBUTTON"), asked.end()) << "asked with the upper-cased class";
    ASSERT_NE(SkinOf(edit), nullptr);
    EXPECT_EQ(&SkinOf(edit)->ClassType(), &TSkinBox::StaticClass());
    ASSERT_NE(SkinOf(button), nullptr);
    EXPECT_EQ(&SkinOf(button)->ClassType(), &TSkinButton::StaticClass()) << "no object from the event: the table";

    // Another skin with another face colour: the panel follows it, the button is drawn anew.
    const auto before = Pixels(button->Handle());
    crafted::TSkinPlan plan;
    plan.ExtraIni = "[Colours]\nButtonFace=200 100 50\n[Buttons]\nBitmap=button.bmp\n";
    plan.ExtraPictures.push_back({"button.bmp", crafted::Bmp(50, 20, crafted::Solid(RGB(0, 90, 0)))});
    ASSERT_TRUE(Skin->LoadSkinFromBytes(crafted::Pack(plan)));
    ASSERT_TRUE(PumpUntil([&] { return !Manager->TimerEnabled(); }));
    Pump();
    ASSERT_EQ(Skin->Elements().ColorButtonFace, RGB(200, 100, 50));
    EXPECT_EQ(panel->Color(), static_cast<TColor>(RGB(200, 100, 50)));
    const auto after = Pixels(button->Handle());
    EXPECT_NE(after, before);
    // The middle of the button's top edge is the new picture's green.
    RECT r{};
    GetWindowRect(button->Handle(), &r);
    const size_t at = static_cast<size_t>((r.right - r.left) / 2) * 3;
    EXPECT_EQ(RGB(after[at + 2], after[at + 1], after[at]), RGB(0, 90, 0));
}

class ControlSkinThirdParty : public ControlSkin {
protected:
    void Customize(TSkinData& skin) override
    {
        // Kinds are matched without regard to case; nil keeps the class unskinned although
        // the table would skin it; a kind whose member is switched off still stops the table.
        skin.Skin3rd()->Add(L"tbutton=NIL");
        skin.Skin3rd()->Add(L"TCheckBox=RadioButton");
        skin.Skin3rd()->Add(L"TEdit=combobox");
        TSkinControlTypes kinds = skin.SkinControls();
        kinds.Exclude(xcCombo);
        skin.SetSkinControls(kinds);
    }
};

TEST_F(ControlSkinThirdParty, Skin3rdLinesComeBeforeTheTable)
{
    auto* button = Add<TButton>(nullptr, 8, 8, 75, 25, L"按钮");
    auto* check = Add<TCheckBox>(nullptr, 8, 40, 100, 17, L"选中");
    auto* edit = Add<TEdit>(nullptr, 8, 70, 100, 21);
    auto* bitBtn = Add<TBitBtn>(nullptr, 100, 8, 75, 25, L"图形");
    ShowSkinned();
    EXPECT_EQ(SkinOf(button), nullptr);
    ASSERT_NE(SkinOf(check), nullptr);
    EXPECT_EQ(&SkinOf(check)->ClassType(), &TSkinRadioButton::StaticClass());
    EXPECT_EQ(SkinOf(edit), nullptr) << "combobox is off: the line still keeps the table from the edit";
    ASSERT_NE(SkinOf(bitBtn), nullptr) << "only the named class is affected";
}

TEST_F(ControlSkin, RawDialogChildrenAreSkinnedByClassAndStyle)
{
    ShowSkinned();
    // A window without framework form, with the children a message box or a common
    // dialog has.
    HWND dialog = CreateWindowExW(0, L"#32770", L"对话框", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 400, 300,
                                  Form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    const struct {
        const wchar_t* Class;
        DWORD Style;
        const TClassInfo* Expected;
    } table[] = {
        {L"BUTTON", BS_PUSHBUTTON, &TSkinButton::StaticClass()},
        {L"BUTTON", BS_DEFPUSHBUTTON, &TSkinButton::StaticClass()},
        {L"BUTTON", BS_GROUPBOX, nullptr},
        {L"BUTTON", BS_OWNERDRAW, &TSkinCheckBox::StaticClass()},
        {L"BUTTON", BS_AUTOCHECKBOX, &TSkinCheckBox::StaticClass()},
        {L"BUTTON", BS_AUTORADIOBUTTON, &TSkinRadioButton::StaticClass()},
        {L"COMBOBOX", CBS_DROPDOWNLIST, &TSkinComBox::StaticClass()},
        {L"COMBOBOX", CBS_SIMPLE, nullptr},
        {L"EDIT", WS_BORDER, &TSkinEdit::StaticClass()},
        {L"STATIC", 0, nullptr},
    };
    std::vector<HWND> children;
    int y = 0;
    for (const auto& row : table) {
        children.push_back(CreateWindowExW(0, row.Class, L"子", WS_CHILD | WS_VISIBLE | row.Style, 10, y, 120, 20, dialog,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + y)), nullptr, nullptr));
        y += 24;
    }
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    TFormSkin* skinned = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        skinned = Manager->FindForm(dialog);
        return skinned && skinned->State() == fsReady;
    }));
    for (size_t i = 0; i < std::size(table); ++i) {
        TSkinControl* object = skinned->Controls().Find(children[i]);
        if (!table[i].Expected) {
            EXPECT_EQ(object, nullptr) << i;
            continue;
        }
        ASSERT_NE(object, nullptr) << i;
        EXPECT_EQ(&object->ClassType(), table[i].Expected) << i;
    }

    // A raw push button's click is a WM_COMMAND to its parent, once, on release inside;
    // pressing, leaving and releasing outside gives none.
    HWND push = children[0];
    int commands = 0;
    struct TCounter : TWindowHook {
        int* Count;
        HWND Button;
        bool WndProc(TWindowMessage& m) override
        {
            if (m.Msg == WM_COMMAND && reinterpret_cast<HWND>(m.LParam) == Button && HIWORD(m.WParam) == BN_CLICKED &&
                LOWORD(m.WParam) == GetDlgCtrlID(Button))
                ++*Count;
            return false;
        }
    } counter;
    counter.Count = &commands;
    counter.Button = push;
    AddWindowHook(dialog, &counter);
    SendMessageW(push, WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageW(push, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(push, WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_EQ(commands, 1);
    SendMessageW(push, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(push, WM_MOUSELEAVE, 0, 0);
    SendMessageW(push, WM_LBUTTONUP, 0, At(500, 5));
    Pump();
    EXPECT_EQ(commands, 1);
    RemoveWindowHook(dialog, &counter);

    // A raw control's skin switches off and on like a framework control's.
    const auto skinnedLook = Pixels(push);
    SendMessageW(push, WM_SKINENABLE, 0, 0);
    EXPECT_NE(Pixels(push), skinnedLook);
    SendMessageW(push, WM_SKINENABLE, 1, 0);
    EXPECT_EQ(Pixels(push), skinnedLook);

    // The dialog going takes its raw children's objects with it (at the next purge).
    DestroyWindow(dialog);
    Pump();
    Manager->PurgeDeadForms();
    EXPECT_EQ(Manager->FindForm(dialog), nullptr);
}

TEST_F(ControlSkin, SkinEnableSwitchesEachControlToItsNativeLookAndBack)
{
    auto* button = Add<TButton>(nullptr, 8, 8, 75, 25, L"确定(&O)");
    auto* bitBtn = Add<TBitBtn>(nullptr, 90, 8, 75, 25, L"播放");
    auto* check = Add<TCheckBox>(nullptr, 8, 40, 100, 17, L"选中");
    check->SetChecked(true);
    auto* radio = Add<TRadioButton>(nullptr, 120, 40, 100, 17, L"视频");
    radio->SetChecked(true);
    auto* combo = Add<TComboBox>(nullptr, 8, 70, 120, 21);
    combo->SetStyle(csDropDownList);
    auto* edit = Add<TEdit>(nullptr, 140, 70, 120, 21);
    auto* status = Add<TStatusBar>(nullptr, 0, 0, 480, 19);
    status->Panels().Add()->SetText(L"状态");
    ShowSkinned();

    const std::vector<TWinControl*> table = {button, bitBtn, check, radio, combo, edit, status};
    for (TWinControl* control : table) {
        const HWND window = control->Handle();
        TSkinControl* object = SkinOf(control);
        ASSERT_NE(object, nullptr) << control->ClassName();
        const auto skinned = Pixels(window);
        SendMessageW(window, WM_SKINENABLE, 0, 0);
        EXPECT_FALSE(object->SkinActive()) << control->ClassName();
        const auto native = Pixels(window);
        EXPECT_NE(native, skinned) << control->ClassName() << " paints its own look while its skin is off";
        // While off, only WM_SKINENABLE is the skin's: a negative value keeps it off.
        SendMessageW(window, WM_SKINENABLE, static_cast<WPARAM>(-1), 0);
        EXPECT_FALSE(object->SkinActive());
        SendMessageW(window, WM_SKINENABLE, 1, 0);
        EXPECT_TRUE(object->SkinActive());
        EXPECT_EQ(Pixels(window), skinned) << control->ClassName() << " has its skinned look back";
    }
    // The windowless speed button is told through its window method.
    auto* speed = Add<TSpeedButton>(nullptr, 300, 8, 60, 25, L"快");
    TFormSkin* skinned = Manager->FindForm(Form->Handle());
    skinned->Controls().SkinFormControls(*Form);
    ASSERT_NE(SkinOf(speed), nullptr);
    speed->Perform(WM_SKINENABLE, 0, 0);
    EXPECT_FALSE(SkinOf(speed)->SkinActive());
    speed->Perform(WM_SKINENABLE, 1, 0);
    EXPECT_TRUE(SkinOf(speed)->SkinActive());
}

TEST_F(ControlSkin, ClicksAndKeysOnSkinnedButtonsDoWhatNativeOnesDo)
{
    auto* button = Add<TButton>(nullptr, 8, 8, 75, 25, L"确定(&O)");
    auto* other = Add<TButton>(nullptr, 90, 8, 75, 25, L"取消");
    auto* check = Add<TCheckBox>(nullptr, 8, 40, 100, 17, L"选中(&C)");
    auto* radio1 = Add<TRadioButton>(nullptr, 120, 40, 80, 17, L"视频");
    auto* radio2 = Add<TRadioButton>(nullptr, 210, 40, 80, 17, L"音频");
    radio1->SetChecked(true);
    int clicks = 0, checkClicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    check->OnClick = [&](TObject*) { ++checkClicks; };
    ShowSkinned();
    auto* object = SkinOf(button);
    ASSERT_NE(object, nullptr);
    TFormSkin* skinned = Manager->FindForm(Form->Handle());

    // Mouse: hover, press, release inside: one click; the press takes the focus.
    const HWND b = button->Handle();
    SendMessageW(b, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_TRUE(object->MouseState() & msOver);
    EXPECT_EQ(skinned->Controls().HotButton(), object);
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_TRUE(object->MouseState() & msDown);
    EXPECT_EQ(GetFocus(), b);
    SendMessageW(b, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(object->MouseState() & msDown);
    // Press, leave, release: no click.
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(b, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(object->MouseState(), 0);
    SendMessageW(b, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(clicks, 1);
    // Moving onto another button makes it the hot one and tells this one.
    SendMessageW(b, WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageW(other->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(skinned->Controls().HotButton(), SkinOf(other));
    EXPECT_FALSE(object->MouseState() & msOver);

    // Keyboard: space is the control's own click; the accelerator too.
    SendMessageW(b, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(object->MouseState() & msDown);
    SendMessageW(b, WM_KEYUP, VK_SPACE, 0);
    Pump();
    EXPECT_EQ(clicks, 2);
    Form->Perform(CM_DIALOGCHAR, L'o', 0);
    EXPECT_EQ(clicks, 3);
    // A disabled button shows no hover.
    button->SetEnabled(false);
    SendMessageW(b, WM_MOUSELEAVE, 0, 0);
    SendMessageW(b, CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(object->MouseState() & msOver);

    // A check box and radio buttons keep their own clicks: state and events as native.
    const HWND c = check->Handle();
    SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(c, WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(checkClicks, 1);
    SetFocus(c);
    SendMessageW(c, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(c, WM_KEYUP, VK_SPACE, 0);
    Pump();
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(checkClicks, 2);
    Form->Perform(CM_DIALOGCHAR, L'C', 0);
    Pump();
    EXPECT_TRUE(check->Checked());
    SendMessageW(radio2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(radio2->Handle(), WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_TRUE(radio2->Checked());
    EXPECT_FALSE(radio1->Checked());
    EXPECT_EQ(SendMessageW(radio1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// Whether the window shows frame `index` of the strip at `mark` (every pixel of the frame
// that is not magenta).
bool ShowsFrame(HWND window, const TBitmap& strip, int frameCount, int index, const RECT& mark)
{
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const auto pixels = Pixels(window);
    const int fw = strip.Width() / frameCount;
    for (int y = 0; y < strip.Height(); ++y) {
        const std::uint8_t* row = strip.ScanLine(y) + fw * (index - 1) * 3;
        for (int x = 0; x < fw; ++x) {
            const std::uint8_t* want = row + x * 3;
            if (want[0] == 255 && want[1] == 0 && want[2] == 255)
                continue;
            const size_t at = (static_cast<size_t>(mark.top + y) * width + mark.left + x) * 3;
            if (pixels[at] != want[0] || pixels[at + 1] != want[1] || pixels[at + 2] != want[2])
                return false;
        }
    }
    return true;
}

TEST_F(ControlSkin, CheckAndRadioMarksShowTheFrameOfTheirState)
{
    const auto& buttons = Skin->Elements().Buttons;
    ASSERT_FALSE(buttons.CheckImage.Empty());
    ASSERT_FALSE(buttons.RadioImage.Empty());
    auto* check = Add<TCheckBox>(nullptr, 8, 8, 120, 20, L"选中");
    auto* radio = Add<TRadioButton>(nullptr, 8, 40, 120, 20, L"视频");
    ShowSkinned();
    const int cw = buttons.CheckImage.Width() / buttons.CheckFrameCount;
    const RECT checkMark = PlaceMark({0, 0, 120, 20}, cw, buttons.CheckImage.Height(), false, false).Mark;
    const struct {
        TCheckBoxState State;
        bool Enabled;
        TCheckLook Look;
    } checks[] = {
        {cbUnchecked, true, {false, false, false}},
        {cbChecked, true, {true, false, false}},
        {cbUnchecked, false, {false, false, true}},
        {cbChecked, false, {true, false, true}},
    };
    for (const auto& row : checks) {
        check->SetState(row.State);
        check->SetEnabled(row.Enabled);
        const int frame = CheckFrameIndex(row.Look, buttons.CheckFrameCount);
        EXPECT_TRUE(ShowsFrame(check->Handle(), buttons.CheckImage, buttons.CheckFrameCount, frame, checkMark))
            << "state " << row.State << " enabled " << row.Enabled << " frame " << frame;
    }
    const int rw = buttons.RadioImage.Width() / buttons.RadioFrameCount;
    const RECT radioMark = PlaceMark({0, 0, 120, 20}, rw, buttons.RadioImage.Height(), false, true).Mark;
    for (const bool checked : {false, true}) {
        radio->SetChecked(checked);
        EXPECT_TRUE(ShowsFrame(radio->Handle(), buttons.RadioImage, buttons.RadioFrameCount,
                               RadioFrameIndex(checked, false, buttons.RadioFrameCount), radioMark))
            << "checked " << checked;
    }
}

TEST_F(ControlSkin, FlatSpeedButtonShowsOnlyTheFaceUntilTheMouseComes)
{
    auto* panel = Add<TPanel>(nullptr, 0, 0, 200, 60);
    panel->SetBevelOuter(bvNone);
    auto* flat = Add<TSpeedButton>(panel, 20, 10, 60, 30, L"快");
    flat->SetFlat(true);
    auto* down = Add<TSpeedButton>(panel, 100, 10, 60, 30, L"下");
    down->SetDown(true);
    down->SetEnabled(false);
    ShowSkinned();
    // The middle of a button's top edge, in the panel's picture.
    const auto topEdge = [&](TSpeedButton* b) {
        const auto pixels = Pixels(panel->Handle());
        const size_t at = (static_cast<size_t>(b->Top()) * 200 + b->Left() + b->Width() / 2) * 3;
        return RGB(pixels[at + 2], pixels[at + 1], pixels[at]);
    };
    const COLORREF face = ColorToRGB(static_cast<TColor>(Skin->Elements().ColorButtonFace));
    EXPECT_EQ(topEdge(flat), face) << "a flat button at rest has no frame";
    flat->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_NE(topEdge(flat), face) << "hovered, it shows the hot frame";
    flat->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(topEdge(flat), face);
    EXPECT_NE(topEdge(down), face) << "a button that is down shows the pressed frame, also disabled";
    // The press and the click stay the button's own.
    int clicks = 0;
    flat->OnClick = [&](TObject*) { ++clicks; };
    flat->SetGroupIndex(2);
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, At(30, 20));
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(30, 20));
    EXPECT_TRUE(SkinOf(flat)->MouseState() & msDown);
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, At(30, 20));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(flat->Down());
    EXPECT_FALSE(SkinOf(flat)->MouseState() & msDown);
}

TEST_F(ControlSkin, ComboFaceFollowsStateAndButtonSide)
{
    auto* plain = Add<TComboBox>(nullptr, 8, 8, 140, 21);
    auto* disabled = Add<TComboBox>(nullptr, 8, 40, 140, 21);
    auto* mirrored = Add<TComboBox>(nullptr, 8, 72, 140, 21);
    for (TComboBox* box : {plain, disabled, mirrored})
        box->SetStyle(csDropDownList);
    disabled->SetEnabled(false);
    ShowSkinned();
    SetFocus(Form->Handle());
    const auto rest = Pixels(plain->Handle());
    EXPECT_EQ(Pixels(disabled->Handle()).size(), rest.size());
    EXPECT_NE(Pixels(disabled->Handle()), rest) << "a disabled box shows the disabled face";
    // Hover shows from the next paint on; leaving brings the normal face back.
    SendMessageW(plain->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_NE(Pixels(plain->Handle()), rest);
    SendMessageW(plain->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Pixels(plain->Handle()), rest);
    // A right-to-left box has its button, and the skin's mirrored face, on the left.
    const HWND m = mirrored->Handle();
    SetWindowLongPtrW(m, GWL_EXSTYLE, GetWindowLongPtrW(m, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    const auto left = Pixels(m);
    ASSERT_EQ(left.size(), rest.size());
    const size_t row = (21 / 2) * 140 * 3;  // a row through the middle: the first pixels
    EXPECT_NE(std::vector<std::uint8_t>(left.begin() + row, left.begin() + row + 30),
              std::vector<std::uint8_t>(rest.begin() + row, rest.begin() + row + 30));
}

TEST_F(ControlSkin, StatusBarPanelsAreDrawnByTheSkinThenByOnDrawPanel)
{
    auto* status = Add<TStatusBar>(nullptr, 0, 0, 480, 19);
    for (const wchar_t* text : {L"捕捉", L"播放", L"电影保存"})
        status->Panels().Add()->SetText(text);
    status->Panels()[1]->SetStyle(psOwnerDraw);
    std::vector<std::pair<int, RECT>> drawn;
    status->OnDrawPanel = [&](TCustomStatusBar*, TStatusPanel* panel, const RECT& r) {
        drawn.push_back({panel->Index(), r});
    };
    ShowSkinned();
    drawn.clear();
    const auto panels = Pixels(status->Handle());
    // The bar's own paint asks for its owner-drawn panel; then, after the skin's picture,
    // every panel in turn (owner-drawn or not), shrunk by 1.
    std::vector<int> order;
    for (const auto& [index, r] : drawn)
        order.push_back(index);
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(std::vector<int>(order.end() - 3, order.end()), (std::vector<int>{0, 1, 2}));
    RECT first{};
    SendMessageW(status->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
    const RECT& skinFirst = drawn[drawn.size() - 3].second;
    EXPECT_EQ(skinFirst.left, first.left + 1);
    EXPECT_EQ(skinFirst.bottom, first.bottom - 1);
    // A simple panel: one frame with the simple text, a changed picture.
    status->SetSimplePanel(true);
    EXPECT_NE(Pixels(status->Handle()), panels);
}

TEST_F(ControlSkin, ManyHoverPressAndPaintCyclesLeaveNoGdiObjectsBehind)
{
    auto* button = Add<TButton>(nullptr, 8, 8, 75, 25, L"确定");
    auto* bitBtn = Add<TBitBtn>(nullptr, 90, 8, 75, 25, L"播放");
    auto* speed = Add<TSpeedButton>(nullptr, 170, 8, 60, 25, L"快");
    auto* check = Add<TCheckBox>(nullptr, 8, 40, 100, 17, L"选中");
    auto* radio = Add<TRadioButton>(nullptr, 120, 40, 100, 17, L"视频");
    auto* combo = Add<TComboBox>(nullptr, 8, 70, 120, 21);
    auto* edit = Add<TEdit>(nullptr, 140, 70, 120, 21);
    auto* status = Add<TStatusBar>(nullptr, 0, 0, 480, 19);
    status->Panels().Add()->SetText(L"状态");
    ShowSkinned();
    const std::vector<TWinControl*> windowed = {button, bitBtn, check, radio, combo, edit, status};
    const auto cycle = [&] {
        for (TWinControl* control : windowed) {
            const HWND w = control->Handle();
            SendMessageW(w, WM_MOUSEMOVE, 0, At(3, 3));
            if (control != combo) {
                SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
                SendMessageW(w, WM_LBUTTONUP, 0, At(300, 300));
            }
            SendMessageW(w, WM_MOUSELEAVE, 0, 0);
            RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        }
        speed->Perform(CM_MOUSEENTER, 0, 0);
        speed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
        speed->Perform(WM_LBUTTONUP, 0, At(3, 3));
        speed->Perform(CM_MOUSELEAVE, 0, 0);
        Pump();
    };
    cycle();
    const long settled = EngineGdiObjects();
    for (int i = 0; i < 500; ++i)
        cycle();
    EXPECT_EQ(EngineGdiObjects(), settled);
}

}  // namespace
