// Skinned scroll bars on real windows: the covers lie exactly on the system's scroll-bar
// rectangles after resizing and scrolling (by messages, keys, the wheel and new content),
// follow the control's visibility, hand presses back so that dragging the skinned thumb
// scrolls the memo, and keep no GDI objects over many cycles.
#include "SkinnedForm.h"

#include "skin/engine/SkinMessages.h"
#include "skin/engine/controls/ScrollBarCover.h"
#include "skin/engine/controls/SkinScrollbar.h"
#include "skin/engine/controls/SkinScrollbarH.h"
#include "framework/ComboBox.h"
#include "framework/GroupBox.h"
#include "framework/ListBox.h"
#include "framework/Memo.h"
#include "framework/ScrollBar.h"

#include <commctrl.h>

#include <string>

using namespace skinned;

namespace {

std::vector<std::wstring> LongLines(int count)
{
    std::vector<std::wstring> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(L"第 " + std::to_wstring(i) + L" 行 line of text that is wider than the memo is, to need a horizontal bar");
    return lines;
}

class ScrollSkin : public SkinnedFormTest {
protected:
    TSkinScrollbar* ScrollSkinOf(TComponent* control) { return As<TSkinScrollbar>(SkinOf(control)); }

    // The cover lies on the bar the system reports, or is hidden when the system shows none.
    static void ExpectOnBar(TWScrollbar* cover, const std::string& what)
    {
        ASSERT_NE(cover, nullptr) << what;
        static const LONG objects[] = {OBJID_HSCROLL, OBJID_VSCROLL, OBJID_CLIENT};
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetScrollBarInfo(cover->Target(), objects[cover->Mode()], &info)) << what;
        Pump();
        if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) {
            EXPECT_FALSE(cover->Shown()) << what;
            EXPECT_FALSE(IsWindowVisible(cover->Handle())) << what;
            return;
        }
        EXPECT_TRUE(cover->Shown()) << what;
        EXPECT_TRUE(IsWindowVisible(cover->Handle())) << what;
        const RECT placed = ScreenRect(cover->Handle());
        EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar))
            << what << ": cover " << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom
            << " bar " << info.rcScrollBar.left << "," << info.rcScrollBar.top << "," << info.rcScrollBar.right << ","
            << info.rcScrollBar.bottom;
        // Above the scrolled window, with at most its other cover between.
        EXPECT_TRUE(cover->LiesAboveTarget()) << what;
        if (!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE)) {
            UpdateWindow(cover->Handle());
            EXPECT_EQ(cover->ThumbStart(), info.xyThumbTop) << what << ": the skinned thumb is where the system's is";
            EXPECT_EQ(cover->ThumbEnd(), info.xyThumbBottom) << what;
        }
    }
    void ExpectCovers(TComponent* control, const std::string& what)
    {
        TSkinScrollbar* skin = ScrollSkinOf(control);
        ASSERT_NE(skin, nullptr) << what;
        for (TWScrollbar* cover : {skin->HorzBar(), skin->VertBar()})
            if (cover)
                ExpectOnBar(cover, what);
    }
};

TEST_F(ScrollSkin, CoversLieOnTheSystemBarsAfterResizingAndScrolling)
{
    auto* memo = Add<TMemo>(nullptr, 8, 8, 300, 200);
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    memo->SetLines(LongLines(200));
    auto* list = Add<TListBox>(nullptr, 320, 8, 200, 150);
    for (int i = 0; i < 3; ++i)
        list->Items()->Add(L"项目 " + std::to_wstring(i));
    auto* bar = Add<TScrollBar>(nullptr, 540, 8, 17, 200);
    bar->SetKind(sbVertical);
    bar->SetParams(30, 0, 100);
    ShowSkinned();

    ExpectCovers(memo, "memo");
    ExpectCovers(list, "list box with few items (no bar)");
    ExpectCovers(bar, "scroll bar control");
    ASSERT_NE(ScrollSkinOf(bar)->VertBar(), nullptr);
    EXPECT_EQ(ScrollSkinOf(bar)->HorzBar(), nullptr);

    memo->SetBounds(8, 8, 360, 260);
    ExpectCovers(memo, "memo after resizing");
    SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    ExpectCovers(memo, "memo after a page down");
    // Scrolling without a scroll notification: the caret moved to the end by keys.
    SendMessageW(memo->Handle(), WM_KEYDOWN, VK_END, 0);
    SendMessageW(memo->Handle(), EM_SETSEL, 100000, 100000);
    SendMessageW(memo->Handle(), EM_SCROLLCARET, 0, 0);
    ExpectCovers(memo, "memo scrolled to its caret");
    SendMessageW(memo->Handle(), EM_LINESCROLL, 40, -30);
    ExpectCovers(memo, "memo scrolled by lines");

    // New items make the list's bar appear: its cover follows.
    for (int i = 3; i < 100; ++i)
        list->Items()->Add(L"项目 " + std::to_wstring(i));
    ExpectCovers(list, "list box whose bar appeared");
    ASSERT_TRUE(ScrollSkinOf(list)->VertBar()->Shown());
    list->SetTopIndex(50);
    ExpectCovers(list, "list box scrolled by its top index");
    SendMessageW(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    ExpectCovers(list, "list box after the wheel");

    bar->SetPosition(90);
    ExpectCovers(bar, "scroll bar control moved in code");
    bar->SetBounds(540, 40, 17, 120);
    ExpectCovers(bar, "scroll bar control resized");

    // Hiding the control hides its covers; showing it brings them back in place.
    memo->SetVisible(false);
    Pump();
    EXPECT_FALSE(IsWindowVisible(ScrollSkinOf(memo)->VertBar()->Handle()));
    EXPECT_FALSE(IsWindowVisible(ScrollSkinOf(memo)->HorzBar()->Handle()));
    memo->SetVisible(true);
    ExpectCovers(memo, "memo shown again");
}

TEST_F(ScrollSkin, SimpleComboListGetsItsBarsCoveredOnce)
{
    auto* combo = Add<TComboBox>(nullptr, 8, 8, 150, 120);
    combo->SetStyle(csSimple);
    for (int i = 0; i < 40; ++i)
        combo->Items()->Add(L"项 " + std::to_wstring(i));
    ShowSkinned();
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    auto* cover = As<TSkinScrollbarH>(SkinOfWindow(info.hwndList));
    ASSERT_NE(cover, nullptr) << "the list's bars are the list cover's";
    ExpectOnBar(cover->VertBar(), "simple combo's list");
    EXPECT_TRUE(cover->VertBar()->Shown());
    SendMessageW(info.hwndList, WM_KEYDOWN, VK_END, 0);
    ExpectOnBar(cover->VertBar(), "simple combo's list at its end");
    // Skinning the form's controls again finds the cover through the form's list.
    TFormSkin* skinned = Manager->FindForm(Form->Handle());
    const size_t count = skinned->Controls().Controls().size();
    skinned->Controls().SkinFormControls(*Form);
    EXPECT_EQ(skinned->Controls().Controls().size(), count);
}

TEST_F(ScrollSkin, WindowWithOnlyAVerticalBarHasItsHorizontalCoverHidden)
{
    auto* memo = Add<TMemo>(nullptr, 8, 8, 300, 200);
    memo->SetScrollBars(ssVertical);
    memo->SetLines(LongLines(100));
    ShowSkinned();
    TSkinScrollbar* skin = ScrollSkinOf(memo);
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->HorzBar(), nullptr);
    EXPECT_FALSE(skin->HorzBar()->Shown());
    EXPECT_TRUE(skin->VertBar()->Shown());
    ExpectCovers(memo, "memo with a vertical bar only");
}

TEST_F(ScrollSkin, DraggingTheSkinnedThumbScrollsTheMemoAndArrowsStepIt)
{
    auto* memo = Add<TMemo>(nullptr, 8, 8, 300, 200);
    memo->SetScrollBars(ssVertical);
    memo->SetLines(LongLines(300));
    ShowSkinned();
    TWScrollbar* cover = ScrollSkinOf(memo)->VertBar();
    ASSERT_TRUE(cover && cover->Shown());
    const HWND window = memo->Handle();
    const auto firstLine = [&] { return static_cast<int>(SendMessageW(window, EM_GETFIRSTVISIBLELINE, 0, 0)); };
    ASSERT_EQ(firstLine(), 0);

    UpdateWindow(cover->Handle());
    const RECT r = ScreenRect(cover->Handle());
    const POINT thumb{(r.left + r.right) / 2, r.top + (cover->ThumbStart() + cover->ThumbEnd()) / 2};
    MouseInput({{MOUSEEVENTF_LEFTDOWN, thumb},
                {0, {thumb.x, thumb.y + 20}},
                {0, {thumb.x, thumb.y + 60}},
                {MOUSEEVENTF_LEFTUP, {thumb.x, thumb.y + 60}}});
    EXPECT_TRUE(PumpUntil([&] { return firstLine() > 0 && !cover->Pressed(); })) << "the drag scrolled the memo";
    const int dragged = firstLine();
    EXPECT_GT(dragged, 20);
    ExpectCovers(memo, "memo after the drag");

    // The second arrow steps one line down.
    const POINT arrow{(r.left + r.right) / 2, r.bottom - 3};
    MouseInput({{MOUSEEVENTF_LEFTDOWN, arrow}, {MOUSEEVENTF_LEFTUP, arrow}});
    EXPECT_TRUE(PumpUntil([&] { return firstLine() != dragged && !cover->Pressed(); }));
    EXPECT_EQ(firstLine(), dragged + 1);
    EXPECT_EQ(cover->HitPart(), SB_ENDSCROLL) << "after the release no part shows pressed";
}

TEST_F(ScrollSkin, SkinEnableShowsTheNativeBarsAndBringsTheCoversBack)
{
    auto* memo = Add<TMemo>(nullptr, 8, 8, 300, 200);
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    memo->SetLines(LongLines(100));
    auto* list = Add<TListBox>(nullptr, 320, 8, 200, 150);
    for (int i = 0; i < 60; ++i)
        list->Items()->Add(L"项目 " + std::to_wstring(i));
    auto* bar = Add<TScrollBar>(nullptr, 540, 8, 200, 17);
    bar->SetParams(30, 0, 100);
    ShowSkinned();

    for (TWinControl* control : std::vector<TWinControl*>{memo, list, bar}) {
        TSkinScrollbar* skin = ScrollSkinOf(control);
        ASSERT_NE(skin, nullptr) << control->ClassName();
        const RECT area = ScreenRect(control->Handle());
        const auto skinned = Pixels(Form->Handle(), area);
        SendMessageW(control->Handle(), WM_SKINENABLE, 0, 0);
        EXPECT_FALSE(skin->SkinActive());
        for (TWScrollbar* cover : {skin->HorzBar(), skin->VertBar()}) {
            if (cover) {
                EXPECT_FALSE(IsWindowVisible(cover->Handle())) << control->ClassName();
            }
        }
        EXPECT_NE(Pixels(Form->Handle(), area), skinned) << control->ClassName() << " shows its native bars";
        SendMessageW(control->Handle(), WM_SKINENABLE, 1, 0);
        EXPECT_TRUE(skin->SkinActive());
        EXPECT_EQ(Pixels(Form->Handle(), area), skinned) << control->ClassName() << " has its skinned bars back";
        ExpectCovers(control, std::string(control->ClassName().begin(), control->ClassName().end()));
    }
}

TEST_F(ScrollSkin, ManyScrollDragAndPaintCyclesLeaveNoGdiObjectsBehind)
{
    auto* memo = Add<TMemo>(nullptr, 8, 8, 300, 200);
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    memo->SetLines(LongLines(300));
    auto* list = Add<TListBox>(nullptr, 320, 8, 200, 150);
    for (int i = 0; i < 60; ++i)
        list->Items()->Add(L"项目 " + std::to_wstring(i));
    ShowSkinned();
    TWScrollbar* cover = ScrollSkinOf(memo)->VertBar();
    ASSERT_NE(cover, nullptr);
    const long settled = EngineGdiObjects();
    for (int i = 0; i < 500; ++i) {
        SendMessageW(memo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, i % 200), 0);
        SendMessageW(memo->Handle(), WM_VSCROLL, i % 2 ? SB_LINEDOWN : SB_PAGEDOWN, 0);
        SendMessageW(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, i % 2 ? WHEEL_DELTA : -WHEEL_DELTA), 0);
        if (i % 50 == 0)
            memo->SetBounds(8, 8, 300 + i % 7, 200 + i % 5);
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    Pump();
    EXPECT_EQ(EngineGdiObjects(), settled);
}

}  // namespace

namespace {

// The Skin3rd list names the scroll kinds too: "nil" keeps a memo's native bars,
// "embedscrollbar" covers the bars of a container's children, "scrollbar" a control's own.
TEST_F(ScrollSkin, SkinThirdPartyListChoosesScrollSkinning)
{
    Skin->Skin3rd()->Add(L"TMemo=nil");
    Skin->Skin3rd()->Add(L"TGroupBox=embedscrollbar");
    Skin->Skin3rd()->Add(L"TListBox=scrollbar");
    auto* plain = Add<TMemo>(nullptr, 8, 8, 200, 100);
    plain->SetScrollBars(ssVertical);
    auto* group = Add<TGroupBox>(nullptr, 220, 8, 240, 200);
    auto* inside = Add<TMemo>(group, 10, 20, 200, 100);
    inside->SetScrollBars(ssVertical);
    auto* list = Add<TListBox>(nullptr, 8, 220, 200, 100);
    ShowSkinned();
    EXPECT_EQ(SkinOf(plain), nullptr);
    EXPECT_NE(As<TSkinScrollbar>(SkinOf(inside)), nullptr) << "a child of the container";
    EXPECT_EQ(SkinOf(group), nullptr) << "the container itself keeps its look";
    EXPECT_NE(As<TSkinScrollbar>(SkinOf(list)), nullptr);
}

}  // namespace

namespace {

// A window without a framework form (as a system dialog is): its list box and list view
// children get their bars covered, the list view of a shell view inside it too.
TEST_F(ScrollSkin, RawDialogListsGetTheirBarsCovered)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KivoraRawListHost";
    RegisterClassExW(&wc);
    const HWND host = CreateWindowExW(0, wc.lpszClassName, L"列表 lists", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                      500, 360, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(host, nullptr);
    const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10,
                                      200, 120, host, nullptr, wc.hInstance, nullptr);
    for (int i = 0; i < 50; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"项 " + std::to_wstring(i)).c_str()));
    const HWND view = CreateWindowExW(0, L"SHELLDLL_DefView", nullptr, WS_CHILD | WS_VISIBLE, 220, 10, 240, 200, host,
                                      nullptr, wc.hInstance, nullptr);
    HWND items = nullptr;
    if (view) {
        items = CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 240, 200, view,
                                nullptr, wc.hInstance, nullptr);
    }
    // The manager skins new top-level windows by itself; the children are there by then.
    if (!Manager->FindForm(host))
        Manager->SkinWindow(host);
    ASSERT_TRUE(PumpUntil([&] {
        const TFormSkin* skinned = Manager->FindForm(host);
        return skinned && skinned->State() == fsReady;
    }));
    Pump();
    TFormSkin* skinned = Manager->FindForm(host);
    auto* listCover = As<TSkinScrollbarH>(skinned->Controls().Find(list));
    ASSERT_NE(listCover, nullptr);
    ExpectOnBar(listCover->VertBar(), "raw list box");
    EXPECT_TRUE(listCover->VertBar()->Shown());
    SendMessageW(list, LB_SETTOPINDEX, 30, 0);
    ExpectOnBar(listCover->VertBar(), "raw list box scrolled");
    if (items) {
        EXPECT_NE(As<TSkinScrollbarH>(skinned->Controls().Find(items)), nullptr) << "the shell view's list";
    }
    DestroyWindow(host);
    Pump();
    Manager->PurgeDeadForms();
}

}  // namespace

namespace {

// Wine's SetScrollInfo with redraw paints the system bar straight onto the window: the
// cover, a sibling above it, clips that away, and after the paint messages it shows the
// skinned bar with the new thumb, not the system's.
TEST_F(ScrollSkin, SystemBarPaintedBySetScrollInfoStaysUnderTheCover)
{
    auto* memo = Add<TMemo>(nullptr, 8, 8, 300, 200);
    memo->SetScrollBars(ssVertical);
    memo->SetLines(LongLines(200));
    ShowSkinned();
    TWScrollbar* cover = ScrollSkinOf(memo)->VertBar();
    ASSERT_TRUE(cover && cover->Shown());
    const RECT bar = ScreenRect(cover->Handle());
    const auto skinnedTop = Pixels(Form->Handle(), bar);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = 100;
    SetScrollInfo(memo->Handle(), SB_VERT, &info, TRUE);
    EXPECT_EQ(Pixels(Form->Handle(), bar, false), skinnedTop) << "the system's paint did not reach the screen over the cover";
    SCROLLBARINFO now{};
    now.cbSize = sizeof(now);
    GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &now);
    EXPECT_TRUE(PumpUntil([&] { return cover->ThumbStart() == now.xyThumbTop; })) << "the skinned thumb follows";
    EXPECT_NE(Pixels(Form->Handle(), bar, false), skinnedTop);
    ExpectOnBar(cover, "memo after SetScrollInfo");
}

}  // namespace
