// Skinned track bars, progress bars, up-down and spin controls, tab and page controls and
// group boxes on real windows: each kind gets its skinning object, switches between its
// native and skinned look with WM_SKINENABLE, behaves under mouse and keys as the native
// one does, draws by the rules worth pinning down (fill lengths, split of the arrows, tab
// side), and survives a skin that lacks every picture these controls read.
#include "SkinnedForm.h"

#include "CraftedSkin.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/controls/ScrollBarCover.h"
#include "skin/engine/controls/SkinEdit.h"
#include "skin/engine/controls/SkinGroupBox.h"
#include "skin/engine/controls/SkinObjImage.h"
#include "skin/engine/controls/SkinProgress.h"
#include "skin/engine/controls/SkinScrollbar.h"
#include "skin/engine/controls/SkinTab.h"
#include "skin/engine/controls/SkinTrackBar.h"
#include "skin/engine/controls/SkinUpDown.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/GroupBox.h"
#include "framework/Memo.h"
#include "framework/PageControl.h"
#include "framework/Properties.h"
#include "framework/ProgressBar.h"
#include "framework/SpinEdit.h"
#include "framework/TrackBar.h"
#include "framework/UpDown.h"

#include <commctrl.h>

using namespace skinned;

namespace {

class ControlPartsSkin : public SkinnedFormTest {
protected:
    struct TParts {
        TTrackBar* Track;
        TTrackBar* VertTrack;
        TProgressBar* Progress;
        TUpDown* UpDown;
        TSpinEdit* Spin;
        TPageControl* Pages;
        TGroupBox* Group;
        TButton* InGroup;
    };
    TParts AddParts()
    {
        TParts p{};
        p.Track = Add<TTrackBar>(nullptr, 8, 8, 200, 32);
        p.Track->SetMax(20);
        p.Track->SetPosition(5);
        p.VertTrack = Add<TTrackBar>(nullptr, 220, 8, 32, 150);
        p.VertTrack->SetOrientation(trVertical);
        p.Progress = Add<TProgressBar>(nullptr, 8, 50, 200, 18);
        p.Progress->SetPosition(50);
        p.UpDown = Add<TUpDown>(nullptr, 8, 80, 17, 24);
        p.Spin = Add<TSpinEdit>(nullptr, 40, 80, 80, 22);
        p.Spin->SetValue(7);
        p.Pages = Add<TPageControl>(nullptr, 270, 8, 300, 200);
        for (const wchar_t* caption : {L"常规", L"视频", L"音频"}) {
            auto* sheet = Add<TTabSheet>(p.Pages, 0, 0, 10, 10);
            sheet->SetCaption(caption);
            Add<TEdit>(sheet, 8, 8, 100, 21);
        }
        p.Group = Add<TGroupBox>(nullptr, 8, 120, 240, 100);
        p.Group->SetCaption(L"分组 group");
        p.InGroup = Add<TButton>(p.Group, 12, 30, 75, 25);
        p.InGroup->SetCaption(L"确定");
        return p;
    }
};

TEST_F(ControlPartsSkin, EachKindGetsItsSkinningObjectAndSwitchesBetweenLooks)
{
    const TParts p = AddParts();
    ShowSkinned();
    const HWND spinArrows = p.Spin->ButtonHandle();
    ASSERT_NE(spinArrows, nullptr);
    // The spin edit's arrows are found at the edit's first paint.
    ASSERT_TRUE(PumpUntil([&] { return SkinOfWindow(spinArrows) != nullptr; }));
    const struct {
        HWND Window;
        const TClassInfo* Expected;
        const char* What;
    } table[] = {
        {p.Track->Handle(), &TSkinTrackBar::StaticClass(), "track bar"},
        {p.VertTrack->Handle(), &TSkinTrackBar::StaticClass(), "vertical track bar"},
        {p.Progress->Handle(), &TSkinProgress::StaticClass(), "progress bar"},
        {p.UpDown->Handle(), &TSkinUpDown::StaticClass(), "up-down"},
        {spinArrows, &TSkinUpDown::StaticClass(), "spin edit's arrows"},
        {p.Spin->Handle(), &TSkinEdit::StaticClass(), "spin edit"},
        {p.Pages->Handle(), &TSkinTab::StaticClass(), "page control"},
        {p.Group->Handle(), &TSkinGroupBox::StaticClass(), "group box"},
    };
    for (const auto& row : table) {
        TSkinControl* object = SkinOfWindow(row.Window);
        ASSERT_NE(object, nullptr) << row.What;
        EXPECT_EQ(&object->ClassType(), row.Expected) << row.What;
        if (row.Window == p.Spin->Handle())
            continue;  // the edit's frame is the edit skin's business, its arrows are below
        const RECT area = ScreenRect(row.Window);
        const auto skinned = Pixels(Form->Handle(), area);
        SendMessageW(row.Window, WM_SKINENABLE, 0, 0);
        EXPECT_FALSE(object->SkinActive()) << row.What;
        EXPECT_NE(Pixels(Form->Handle(), area), skinned) << row.What << " shows its native look";
        SendMessageW(row.Window, WM_SKINENABLE, 1, 0);
        EXPECT_EQ(Pixels(Form->Handle(), area), skinned) << row.What << " has its skinned look back";
    }
    EXPECT_TRUE(As<TSkinUpDown>(SkinOfWindow(spinArrows))->InsideEdit);
    EXPECT_FALSE(As<TSkinUpDown>(SkinOfWindow(p.UpDown->Handle()))->InsideEdit);
    EXPECT_NE(SkinOf(p.InGroup), nullptr) << "the controls inside a group box are skinned too";
}

TEST_F(ControlPartsSkin, TrackBarFollowsArrowKeysAndDrags)
{
    const TParts p = AddParts();
    ShowSkinned();
    const HWND track = p.Track->Handle();
    p.Track->SetFocus();
    SendMessageW(track, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(track, WM_KEYUP, VK_RIGHT, 0);
    Pump();
    EXPECT_EQ(p.Track->Position(), 6);
    SendMessageW(track, WM_KEYDOWN, VK_END, 0);
    Pump();
    EXPECT_EQ(p.Track->Position(), 20);
    SendMessageW(track, WM_KEYDOWN, VK_HOME, 0);
    Pump();
    EXPECT_EQ(p.Track->Position(), 0);

    RECT thumb{};
    SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    POINT from{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    ClientToScreen(track, &from);
    RECT channel{};
    SendMessageW(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    POINT to{(channel.left + channel.right) / 2, from.y};
    ClientToScreen(track, &to);
    to.y = from.y;
    MouseInput({{MOUSEEVENTF_LEFTDOWN, from}, {0, {from.x + 10, from.y}}, {0, to}, {MOUSEEVENTF_LEFTUP, to}});
    EXPECT_TRUE(PumpUntil([&] { return GetCapture() == nullptr && p.Track->Position() >= 8; }))
        << "position " << p.Track->Position();
    EXPECT_NEAR(p.Track->Position(), 10, 2);
}

TEST_F(ControlPartsSkin, TrackBarThumbComesFromTheSkin)
{
    const TParts p = AddParts();
    ShowSkinned();
    // Under Wine too, the track bar asks for its thumb by custom draw: the thumb's area
    // differs between skinned and native, the rest of the control does not.
    const HWND track = p.Track->Handle();
    RECT thumb{};
    SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    MapWindowPoints(track, nullptr, reinterpret_cast<POINT*>(&thumb), 2);
    const auto skinned = Pixels(Form->Handle(), thumb);
    SendMessageW(track, WM_SKINENABLE, 0, 0);
    EXPECT_NE(Pixels(Form->Handle(), thumb), skinned);
    SendMessageW(track, WM_SKINENABLE, 1, 0);
}

TEST_F(ControlPartsSkin, SpinArrowsChangeTheValue)
{
    const TParts p = AddParts();
    ShowSkinned();
    const HWND arrows = p.Spin->ButtonHandle();
    ASSERT_TRUE(PumpUntil([&] { return SkinOfWindow(arrows) != nullptr; }));
    RECT r{};
    GetWindowRect(arrows, &r);
    const POINT up{(r.left + r.right) / 2, r.top + 3}, down{(r.left + r.right) / 2, r.bottom - 3};
    MouseInput({{MOUSEEVENTF_LEFTDOWN, up}, {MOUSEEVENTF_LEFTUP, up}});
    EXPECT_TRUE(PumpUntil([&] { return p.Spin->Value() == 8; })) << p.Spin->Value();
    MouseInput({{MOUSEEVENTF_LEFTDOWN, down}, {MOUSEEVENTF_LEFTUP, down}});
    MouseInput({{MOUSEEVENTF_LEFTDOWN, down}, {MOUSEEVENTF_LEFTUP, down}});
    EXPECT_TRUE(PumpUntil([&] { return p.Spin->Value() == 6; })) << p.Spin->Value();
    EXPECT_EQ(SkinOfWindow(arrows)->MouseState() & msDown, 0) << "released";
    // The stand-alone up-down steps its own position.
    const HWND upDown = p.UpDown->Handle();
    GetClientRect(upDown, &r);
    SendMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 4));
    EXPECT_NE(SkinOfWindow(upDown)->MouseState() & msDown, 0) << "pressed";
    SendMessageW(upDown, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 4));
    EXPECT_EQ(SkinOfWindow(upDown)->MouseState() & msDown, 0) << "released";
    EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS32, 0, 0), 1);
    EXPECT_EQ(p.UpDown->Position(), 1);
}

TEST_F(ControlPartsSkin, PagesTurnByClickAndCtrlTab)
{
    const TParts p = AddParts();
    ShowSkinned();
    const HWND window = p.Pages->Handle();
    RECT tab{};
    SendMessageW(window, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
    POINT at{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    ClientToScreen(window, &at);
    MouseInput({{MOUSEEVENTF_LEFTDOWN, at}, {MOUSEEVENTF_LEFTUP, at}});
    EXPECT_TRUE(PumpUntil([&] { return p.Pages->ActivePageIndex() == 2; }));

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    auto* edit = static_cast<TWinControl*>(p.Pages->Pages(2)->Controls(0));
    edit->SetFocus();
    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(p.Pages->ActivePageIndex(), 0);
    // The skinned row shows the new focus tab: the row differs from before.
    EXPECT_EQ(SendMessageW(window, TCM_GETCURFOCUS, 0, 0), 0);
}

TEST_F(ControlPartsSkin, ManyPaintAndPressCyclesLeaveNoGdiObjectsBehind)
{
    const TParts p = AddParts();
    ShowSkinned();
    const HWND arrows = p.Spin->ButtonHandle();
    ASSERT_TRUE(PumpUntil([&] { return SkinOfWindow(arrows) != nullptr; }));
    const long settled = EngineGdiObjects();
    for (int i = 0; i < 500; ++i) {
        p.Track->SetPosition(i % 20);
        p.Progress->SetPosition(i % 100);
        p.Pages->SetActivePageIndex(i % 3);
        SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    Pump();
    EXPECT_EQ(EngineGdiObjects(), settled);
}

TEST(ControlPartsRules, ProgressFillsByItsRange)
{
    const struct {
        int Length, Position, Low, High, Filled;
    } table[] = {
        {200, 30, 0, 100, 60}, {200, 0, 0, 100, 0},     {200, 30, 0, 0, 0},
        {200, 100, 50, 150, 100}, {200, 500, 0, 100, 200}, {200, -5, 0, 100, 0},
    };
    for (const auto& row : table)
        EXPECT_EQ(TSkinProgress::FilledLength(row.Length, row.Position, row.Low, row.High), row.Filled)
            << row.Position << " of " << row.Low << ".." << row.High;
}

TEST(ControlPartsRules, UpDownHalvesSplitAtHalfTheHeight)
{
    const struct {
        RECT Client;
        bool Horizontal, Enabled, Pressed;
        POINT Cursor;
        int First, Second;
    } table[] = {
        {{0, 0, 16, 20}, false, true, true, {5, 9}, 2, 1},   {{0, 0, 16, 20}, false, true, true, {5, 10}, 1, 2},
        {{0, 0, 16, 20}, false, true, false, {5, 3}, 1, 1},  {{0, 0, 16, 20}, false, false, true, {5, 3}, 3, 3},
        {{0, 0, 30, 16}, true, true, true, {14, 5}, 2, 1},   {{0, 0, 30, 16}, true, true, true, {15, 5}, 1, 2},
        // Inside an edit the client is shrunk by one; the split still compares with half.
        {{1, 1, 15, 21}, false, true, true, {5, 9}, 2, 1},
    };
    for (const auto& row : table) {
        int states[2];
        TSkinUpDown::HalfStates(row.Client, row.Horizontal, row.Enabled, row.Pressed, row.Cursor, states);
        EXPECT_EQ(states[0], row.First) << row.Cursor.x << "," << row.Cursor.y;
        EXPECT_EQ(states[1], row.Second) << row.Cursor.x << "," << row.Cursor.y;
    }
}

TEST(ControlPartsRules, TabSideFollowsTheStyle)
{
    EXPECT_EQ(TSkinTab::SideOf(0), tsTop);
    EXPECT_EQ(TSkinTab::SideOf(TCS_BOTTOM), tsBottom);
    EXPECT_EQ(TSkinTab::SideOf(TCS_VERTICAL), tsLeft);
    EXPECT_EQ(TSkinTab::SideOf(TCS_BOTTOM | TCS_VERTICAL), tsRight);
}

// A skin with none of the pictures these controls read (no arrows, tracks, thumbs, tabs,
// progress, up-down pictures): every control still works and nothing breaks.
class BareSkinParts : public ControlPartsSkin {
protected:
    bool LoadSkin(TSkinData& skin) override { return skin.LoadSkinFromBytes(crafted::Pack(crafted::TSkinPlan{})); }
};

TEST_F(BareSkinParts, ControlsWithoutTheirPicturesStillWork)
{
    const TParts p = AddParts();
    auto* memo = Add<TMemo>(nullptr, 300, 250, 200, 100);
    memo->SetScrollBars(ssVertical);
    std::vector<std::wstring> lines(100, L"行 line");
    memo->SetLines(lines);
    auto* combo = Add<TComboBox>(nullptr, 8, 250, 150, 120);
    combo->SetStyle(csSimple);
    for (int i = 0; i < 40; ++i)
        combo->Items()->Add(L"项 " + std::to_wstring(i));
    ShowSkinned();
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    // The covers are placed over the bars even with nothing to paint.
    auto* scroll = As<TSkinScrollbar>(SkinOf(memo));
    ASSERT_NE(scroll, nullptr);
    EXPECT_TRUE(scroll->VertBar()->Shown());
    SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    Pump();
    p.Track->SetFocus();
    SendMessageW(p.Track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(p.Track->Position(), 6);
    SendMessageW(p.Spin->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(p.Spin->Value(), 8);
    p.Pages->SetActivePageIndex(1);
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(p.Pages->ActivePageIndex(), 1);
}

}  // namespace


namespace {

// A control of another library that takes custom check-box glyphs by published properties.
class TRzDBCheckBox : public TWinControl {
    KIVORA_CLASS(TRzDBCheckBox, TWinControl)
public:
    using TWinControl::TWinControl;
    TBitmap* CustomGlyphs() const { return &FGlyphs; }
    bool UseCustomGlyphs() const { return FUse; }
    void SetUseCustomGlyphs(bool use)
    {
        FUse = use;
        ++Switches;
    }
    int TransparentColor() const { return FTransparent; }
    void SetTransparentColor(int color) { FTransparent = color; }
    int Switches = 0;

private:
    mutable TBitmap FGlyphs;
    bool FUse = false;
    int FTransparent = 0;
};

}  // namespace

const TClassInfo& TRzDBCheckBox::StaticClass()
{
    static const TClassInfo info(L"TRzDBCheckBox", &TWinControl::StaticClass(),
                                 {ObjProp(L"CustomGlyphs", &TRzDBCheckBox::CustomGlyphs),
                                  BoolProp(L"UseCustomGlyphs", &TRzDBCheckBox::UseCustomGlyphs,
                                           &TRzDBCheckBox::SetUseCustomGlyphs),
                                  IntProp(L"TransparentColor", &TRzDBCheckBox::TransparentColor,
                                          &TRzDBCheckBox::SetTransparentColor)});
    return info;
}

namespace {

TEST_F(ControlPartsSkin, CheckGlyphControlsGetTheSkinsCheckBoxPictureAndGiveItBack)
{
    auto* box = Add<TRzDBCheckBox>(nullptr, 8, 8, 120, 20);
    ShowSkinned();
    auto* object = As<TSkinObjImage>(SkinOf(box));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GlyphKind, 1);
    const TBitmap& check = Skin->Elements().Buttons.CheckImage;
    const int frames = Skin->Elements().Buttons.CheckFrameCount;
    ASSERT_EQ(frames, 5);
    const int fw = check.Width() / frames;
    EXPECT_EQ(box->CustomGlyphs()->Width(), 9 * fw);
    EXPECT_EQ(box->CustomGlyphs()->Height(), check.Height());
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->TransparentColor(), 0xFF00FF);
    EXPECT_EQ(box->Switches, 2) << "switched off and on to take the new glyphs";
    // Each cell holds its frame of the skin's picture (its middle pixel).
    TBitmap glyphs;
    glyphs.Assign(*box->CustomGlyphs());
    for (int cell = 0; cell < 9; ++cell) {
        const int frame = TSkinObjImage::kCellFrames[cell];
        const int y = check.Height() / 2, x = fw / 2;
        const COLORREF expected = GetPixel(const_cast<TBitmap&>(check).Canvas()->Handle(), fw * (frame - 1) + x, y);
        EXPECT_EQ(GetPixel(glyphs.Canvas()->Handle(), fw * cell + x, y), expected) << "cell " << cell;
    }
    // Skinning off: the control's own glyphs again.
    Manager->FindForm(Form->Handle())->Controls().FreeAll();
    EXPECT_FALSE(box->UseCustomGlyphs());
}

}  // namespace
