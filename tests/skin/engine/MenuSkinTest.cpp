// Popup menus drawn by the skin: items measured and drawn per state from the MenuItem
// picture, separators, owner-draw conversion that keeps the items' texts, the form's menus
// switched to the skin's handlers and back, popup windows framed from MenuBackground and
// driven by the keyboard, the window menu, and the clean-up of popup objects (skinning on
// and off, no GDI growth over many opens).
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/engine/menus/MenuBarSkin.h"
#include "skin/engine/menus/MenuItemPaint.h"
#include "skin/engine/menus/OwnerDrawMenus.h"
#include "skin/engine/menus/PopupMenuSkin.h"

#include "CraftedSkin.h"
#include "MenuScript.h"
#include "MessagePump.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"

#include <gtest/gtest.h>
#include <winternl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(10, 180, 10);  // inside of MenuBackground
constexpr COLORREF kBorder = RGB(90, 90, 20);       // its 3-pixel edge
constexpr COLORREF kSelected = RGB(0, 0, 200);      // MenuItem frame 4
constexpr COLORREF kLine = RGB(200, 0, 0);          // the line in MenuItem frame 2
constexpr COLORREF kMenuText = RGB(1, 2, 3), kHilightText = RGB(4, 5, 6), kShadow = RGB(7, 8, 9);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kFrameWidth = 20, kFrameHeight = 12;

// The MenuItem strip: 1 normal (magenta: the background shows), 2 separator (magenta with a
// line in rows 8 and 9), 3 grey, 4 selected (solid), 5 grey.
COLORREF ItemStrip(int x, int y)
{
    switch (x / kFrameWidth) {
    case 0: return kMagenta;
    case 1: return y == 8 || y == 9 ? kLine : kMagenta;
    case 3: return kSelected;
    default: return RGB(128, 128, 128);
    }
}

COLORREF MenuBackgroundPicture(int x, int y)
{
    return x < 3 || y < 3 || x >= 37 || y >= 37 ? kBorder : kBackground;
}

struct TMenuLook {
    int LeftMargin = 4;
    bool ShadowIsText = false;  // ButtonShadow the same colour as MenuText
};

void AddMenuSections(crafted::TSkinPlan& plan, const TMenuLook& look)
{
    plan.ExtraIni += "[MenuItem]\nImage=menuitem.bmp\nLeftWidth=" + std::to_string(look.LeftMargin) +
                     "\nTopHeight=2\nRightWidth=4\nBottomHeight=2\nTrans=1\n"
                     "[MenuBackground]\nImage=menubg.bmp\nLeftWidth=3\nTopHeight=3\nRightWidth=3\nBottomHeight=3\n"
                     "[Colours]\nMenu=250 250 250\nMenuText=1 2 3\nHilightText=4 5 6\nButtonShadow=" +
                     std::string(look.ShadowIsText ? "1 2 3" : "7 8 9") + "\n";
    plan.ExtraPictures.push_back({"menuitem.bmp", crafted::Bmp(5 * kFrameWidth, kFrameHeight, ItemStrip)});
    plan.ExtraPictures.push_back({"menubg.bmp", crafted::Bmp(40, 40, MenuBackgroundPicture)});
}

COLORREF PixelOf(TBitmap& bitmap, int x, int y)
{
    return GetPixel(bitmap.Canvas()->Handle(), x, y);
}

bool HasPixel(TBitmap& bitmap, const RECT& area, COLORREF color)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (PixelOf(bitmap, x, y) == color)
                return true;
    return false;
}

COLORREF WindowPixel(HWND window, POINT at)
{
    const HDC dc = GetWindowDC(window);
    const COLORREF color = GetPixel(dc, at.x, at.y);
    ReleaseDC(window, dc);
    return color;
}

// The process's live GDI objects, counted in the GDI handle table that the process
// environment block points to (Wine 8 keeps one table per process, 24-byte entries, the
// object's type at offset 14, 0 for a free entry): GetGuiResources answers 0 under Wine.
// -1 when there is no table to read.
long LiveGdiObjects()
{
    constexpr std::size_t kTableOffset = 0xF8, kEntrySize = 24, kTypeOffset = 14, kEntries = 0x10000;
// (The compiler takes the segment read inside NtCurrentTeb for an array access.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const auto* peb = reinterpret_cast<const std::uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
    const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + kTableOffset);
    if (!table)
        return -1;
    long live = 0;
    for (std::size_t i = 0; i < kEntries; ++i)
        if (table[i * kEntrySize + kTypeOffset] != 0)
            ++live;
    return live;
}

class MenuSkin : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        RegisterSkinManager();
        Baseline = EngineGdiObjects();
        Skin = LoadSkin(Look());
        ASSERT_NE(Skin, nullptr);
        Manager = static_cast<TSkinManager*>(SkinManager());
        ASSERT_NE(Manager, nullptr);
        Manager->SetEnabled(true);
    }
    void TearDown() override
    {
        for (TForm* form : Forms)
            form->Free();
        Pump();
        DestroySkinManager();
        for (TSkinData* skin : Skins)
            skin->Free();
        SetSkinManagerFactory(nullptr);
        EXPECT_EQ(EngineGdiObjects(), Baseline) << "the engine's GDI objects are all given back";
    }
    virtual TMenuLook Look() const { return {}; }

    TSkinData* LoadSkin(const TMenuLook& look)
    {
        auto* skin = new TSkinData(nullptr);
        Skins.push_back(skin);
        crafted::TSkinPlan plan;
        AddMenuSections(plan, look);
        return skin->LoadSkinFromBytes(crafted::Pack(plan)) ? skin : nullptr;
    }
    TForm* NewForm()
    {
        TForm* form = TCustomForm::Create<TForm>(nullptr);
        form->SetBounds(80, 80, 320, 240);
        Forms.push_back(form);
        return form;
    }
    // Shows the form; its activation skins it.
    TFormSkin* ShowSkinned(TForm& form)
    {
        form.Show();
        SetForegroundWindow(form.Handle());
        EXPECT_TRUE(PumpUntil([&] {
            TFormSkin* skinned = Manager->FindForm(form.Handle());
            return skinned && skinned->State() == fsReady;
        })) << "the form was not skinned";
        Pump();
        return Manager->FindForm(form.Handle());
    }
    // The skinned popup window showing menu, once it has painted.
    TPopupMenuSkin* PaintedPopup(HMENU menu) const
    {
        for (const auto& popup : Manager->PopupMenus())
            if (popup->MenuHandle() == menu && popup->Background() && IsWindowVisible(popup->Handle()))
                return popup.get();
        return nullptr;
    }
    // An item's rectangle in its popup window's coordinates.
    static RECT ItemRect(HMENU menu, int position, HWND popup)
    {
        RECT item{}, window{};
        GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
        GetWindowRect(popup, &window);
        OffsetRect(&item, -window.left, -window.top);
        return item;
    }
    // A point near the right end of an item: only the item's frame is drawn there.
    static POINT FramePoint(const RECT& item) { return {item.right - 3, (item.top + item.bottom) / 2}; }

    TSkinData* Skin = nullptr;
    TSkinManager* Manager = nullptr;
    std::vector<TSkinData*> Skins;
    std::vector<TForm*> Forms;
    long Baseline = 0;
};

class MenuSkinWideMargin : public MenuSkin {
protected:
    TMenuLook Look() const override { return {20, false}; }
};

std::unique_ptr<TMenuItem> Item(const std::wstring& caption, bool enabled = true, bool checked = false)
{
    auto item = std::make_unique<TMenuItem>(nullptr);
    item->SetCaption(caption);
    item->SetEnabled(enabled);
    item->SetChecked(checked);
    return item;
}

// An item of the form under parent, counting its clicks when asked.
TMenuItem* AddItem(TForm& form, TMenuItem* parent, const wchar_t* caption, int* clicks)
{
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    if (clicks)
        item->OnClick = [clicks](TObject*) { ++*clicks; };
    parent->Add(item);
    return item;
}

std::unique_ptr<TBitmap> Surface(int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>(width, height);
    bitmap->Canvas()->Font().Assign(MenuFont());
    return bitmap;
}

std::unique_ptr<TBitmap> BackgroundPicture()
{
    auto picture = std::make_unique<TBitmap>(200, 80);
    picture->Canvas()->Brush().SetColor(static_cast<TColor>(kBackground));
    picture->Canvas()->FillRect({0, 0, 200, 80});
    return picture;
}

}  // namespace

TEST_F(MenuSkin, ItemsAreDrawnWithTheFrameAndTextColourOfTheirState)
{
    TSkinData* shadowIsText = LoadSkin({4, true});
    ASSERT_NE(shadowIsText, nullptr);
    struct TCase {
        const char* Name;
        TSkinData* Skin;
        bool Selected, Enabled;
        COLORREF Frame, Text;
    };
    const TCase cases[] = {
        {"normal", Skin, false, true, kBackground, kMenuText},
        {"selected", Skin, true, true, kSelected, kHilightText},
        {"disabled", Skin, false, false, kBackground, kShadow},
        {"disabled, selected", Skin, true, false, kSelected, kShadow},
        {"disabled, shadow colour = text colour", shadowIsText, false, false, kBackground,
         static_cast<COLORREF>(ColorToRGB(clBtnShadow))},
    };
    const auto background = BackgroundPicture();
    for (const TCase& c : cases) {
        const auto item = Item(L"播放文件", c.Enabled);
        const auto surface = Surface(120, 20);
        const TMenuItemPainter painter(*c.Skin);
        painter.DrawMenuItem(*item, *surface->Canvas(), {0, 0, 120, 20}, c.Selected, {background.get(), {0, 0}});
        EXPECT_EQ(PixelOf(*surface, 117, 10), c.Frame) << c.Name << ": the frame of the state";
        EXPECT_EQ(ColorToRGB(painter.TextColor(*item, c.Selected)), c.Text) << c.Name;
        EXPECT_TRUE(HasPixel(*surface, {20, 0, 110, 20}, c.Text)) << c.Name << ": the caption in its colour";
    }
}

TEST_F(MenuSkin, SeparatorsShowTheSeparatorFramesLineOverTheBackground)
{
    const auto background = BackgroundPicture();
    const TMenuItemPainter painter(*Skin);
    const auto line = Item(L"-");
    // A short separator shows the frame's bottom rows (8..11 of 12 at height 4... here 8
    // rows: frame rows 4..11, so the line at rows 4 and 5); a tall one the frame stretched.
    struct TCase {
        int Height;
        std::vector<int> LineRows, BackgroundRows;
    };
    const TCase cases[] = {{8, {4, 5}, {0, 3, 6, 7}}, {24, {16, 17, 18, 19}, {0, 10, 15, 20, 23}}};
    for (const TCase& c : cases) {
        const auto surface = Surface(100, c.Height);
        painter.DrawMenuItem(*line, *surface->Canvas(), {0, 0, 100, c.Height}, false, {background.get(), {0, 0}});
        for (int row : c.LineRows)
            for (int x : {1, 50, 98})
                EXPECT_EQ(PixelOf(*surface, x, row), kLine) << "height " << c.Height << " row " << row << " x " << x;
        for (int row : c.BackgroundRows)
            EXPECT_EQ(PixelOf(*surface, 50, row), kBackground) << "height " << c.Height << " row " << row;
    }
}

TEST_F(MenuSkin, WithoutAPopupBackgroundAnItemLiesOnTheMenuColour)
{
    const auto item = Item(L"拍照");
    const auto surface = Surface(100, 20);
    TMenuItemPainter(*Skin).DrawMenuItem(*item, *surface->Canvas(), {0, 0, 100, 20}, false, {});
    EXPECT_EQ(PixelOf(*surface, 97, 10), RGB(250, 250, 250));
}

TEST_F(MenuSkinWideMargin, ItemsAreWiderByTheLeftMarginAndTheirGlyphStartsAfterIt)
{
    TFormMenus menus(*Manager, nullptr);
    menus.SetSkin(Skin);
    auto* popup = new TPopupMenu(nullptr);
    auto* item = new TMenuItem(popup);
    item->SetCaption(L"全屏");
    item->SetChecked(true);
    popup->Items()->Add(item);
    struct TCase {
        const char* Name;
        bool Images;
        void (TFormMenus::*Measure)(TObject*, TCanvas*, int&, int&);
        int Added;
    };
    const TCase cases[] = {
        {"popup item", false, &TFormMenus::MeasurePopupItem, 20 + 35},
        {"popup item with images", true, &TFormMenus::MeasurePopupItem, 20 + 12},
        {"drop-down item", false, &TFormMenus::MeasureMenuItem, 20 + 35},
        {"drop-down item with images", true, &TFormMenus::MeasureMenuItem, 20 + 10},
    };
    auto* images = new TImageList(nullptr);
    for (const TCase& c : cases) {
        popup->SetImages(c.Images ? images : nullptr);
        int width = 100, height = 20;
        (menus.*c.Measure)(item, nullptr, width, height);
        EXPECT_EQ(width, 100 + c.Added) << c.Name;
        EXPECT_EQ(height, 20) << c.Name;
    }
    popup->SetImages(nullptr);
    // The check mark (the platform's button-text colour) lies in the glyph box from x = 21.
    const auto surface = Surface(140, 20);
    const auto background = BackgroundPicture();
    TMenuItemPainter(*Skin).DrawMenuItem(*item, *surface->Canvas(), {0, 0, 140, 20}, false,
                                         {background.get(), {0, 0}});
    const COLORREF mark = ColorToRGB(clBtnText);
    EXPECT_TRUE(HasPixel(*surface, {21, 0, 37, 20}, mark));
    EXPECT_FALSE(HasPixel(*surface, {0, 0, 21, 20}, mark));
    images->Free();
    popup->Free();
}

TEST_F(MenuSkin, OwnerDrawnItemsKeepTheirTextsAtEveryLevel)
{
    const HMENU root = CreatePopupMenu();
    const HMENU more = CreatePopupMenu();
    AppendMenuW(root, MF_STRING, 5001, L"&Open\tCtrl+O");
    AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(root, MF_STRING | MF_GRAYED | MF_CHECKED, 5003, L"已停用");
    AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"&More");
    AppendMenuW(more, MF_STRING, 5002, L"近期文件");
    MakeOwnerDraw(root);
    const auto text = [](HMENU menu, UINT id) {
        wchar_t buffer[64]{};
        GetMenuStringW(menu, id, buffer, 64, MF_BYCOMMAND);
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(root, 5001), L"&Open\tCtrl+O");
    EXPECT_EQ(text(more, 5002), L"近期文件");
    for (HMENU menu : {root, more})
        for (int i = 0; i < GetMenuItemCount(menu); ++i)
            EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_OWNERDRAW);
    // The temporary items drawn for native ones carry their text, key, state.
    const auto open = MakeRawItem(root, 5001);
    EXPECT_EQ(open->Caption(), L"&Open");
    EXPECT_EQ(open->ShortCutText(), L"Ctrl+O");
    const auto stopped = MakeRawItem(root, 5003);
    EXPECT_EQ(stopped->Caption(), L"已停用");
    EXPECT_FALSE(stopped->Enabled());
    EXPECT_TRUE(stopped->Checked());
    EXPECT_TRUE(MakeRawItem(root, 0)->IsLine());
    DestroyMenu(root);

    // A framework menu switched to owner-drawing keeps its captions in the native menu.
    auto* popup = new TPopupMenu(nullptr);
    auto* item = new TMenuItem(popup);
    item->SetCaption(L"录制电影");
    popup->Items()->Add(item);
    popup->SetOwnerDraw(true);
    EXPECT_EQ(text(popup->Handle(), item->Command()), L"录制电影");
    popup->Free();
}

TEST_F(MenuSkin, AFormsMenusGetTheSkinsHandlersAndLoseThemAgain)
{
    TForm* form = NewForm();
    auto* popup = new TPopupMenu(form);
    auto* parent = new TMenuItem(form);
    parent->SetCaption(L"&More");
    auto* child = new TMenuItem(form);
    child->SetCaption(L"近期文件");
    parent->Add(child);
    popup->Items()->Add(parent);
    auto* excluded = new TPopupMenu(form);  // Tag 199: 199 mod 100 is the skin's DisableTag
    excluded->SetTag(199);
    auto* excludedItem = new TMenuItem(form);
    excluded->Items()->Add(excludedItem);
    auto* main = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    auto* open = new TMenuItem(form);
    auto* own = new TMenuItem(form);
    own->OnDrawItem = [](TObject*, TCanvas*, RECT, bool) {};
    file->Add(open);
    file->Add(own);
    main->Items()->Add(file);

    auto menus = std::make_unique<TFormMenus>(*Manager, nullptr);
    menus->SetSkin(Skin);
    menus->SetPopupMenusOwnerDraw(form, true);
    menus->SetMainMenusOwnerDraw(form, true);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(menus->OwnsHandlers(*parent) && menus->OwnsHandlers(*child));
    EXPECT_FALSE(excluded->OwnerDraw());
    EXPECT_FALSE(excludedItem->OnDrawItem.Assigned());
    EXPECT_TRUE(main->OwnerDraw());
    EXPECT_FALSE(file->OnDrawItem.Assigned()) << "the menu bar draws the top level";
    EXPECT_TRUE(menus->OwnsHandlers(*open));
    EXPECT_TRUE(own->OnDrawItem.Assigned() && !menus->OwnsHandlers(*own)) << "an item's own drawing is kept";

    menus->SetPopupMenusOwnerDraw(form, false);
    menus->SetMainMenusOwnerDraw(form, false);
    EXPECT_FALSE(popup->OwnerDraw() || main->OwnerDraw());
    for (TMenuItem* item : {parent, child, open, own})
        EXPECT_FALSE(item->OnDrawItem.Assigned() || item->OnMeasureItem.Assigned());

    // Freed while its handlers are set: none is left pointing at it.
    menus->SetPopupMenusOwnerDraw(form, true);
    menus.reset();
    EXPECT_FALSE(parent->OnDrawItem.Assigned() || child->OnMeasureItem.Assigned());
}

TEST_F(MenuSkin, ContextMenuIsFramedFromTheSkinAndFollowsTheKeyboard)
{
    TForm* form = NewForm();
    auto* popup = new TPopupMenu(form);
    int alpha = 0, beta = 0, inner = 0;
    const auto add = [&](TMenuItem* parent, const wchar_t* caption, int* clicks) {
        return AddItem(*form, parent, caption, clicks);
    };
    add(popup->Items(), L"&Alpha", &alpha);
    add(popup->Items(), L"-", nullptr);
    add(popup->Items(), L"&Beta 拍照", &beta)->SetChecked(true);
    TMenuItem* sub = add(popup->Items(), L"&Sub", nullptr);
    add(sub, L"&Inner", &inner);
    ASSERT_NE(ShowSkinned(*form), nullptr);
    ASSERT_TRUE(popup->OwnerDraw());

    // Down to Alpha, down past the line to Beta, down to Sub, right into it, Enter.
    TPopupMenuSkin* shown = nullptr;
    const auto key = [&](HWND window, WPARAM vk) { PostMessageW(window, WM_KEYDOWN, vk, 0); };
    const auto itemPixel = [&](int position) {
        return WindowPixel(shown->Handle(), FramePoint(ItemRect(popup->Handle(), position, shown->Handle())));
    };
    {
        TMenuScript script({
            [&] {
                shown = PaintedPopup(popup->Handle());
                if (!shown)
                    return false;
                RECT window{};
                GetWindowRect(shown->Handle(), &window);
                const int width = window.right - window.left, height = window.bottom - window.top;
                for (POINT edge : {POINT{1, 1}, POINT{width - 2, height / 2}, POINT{width / 2, height - 2}})
                    EXPECT_EQ(WindowPixel(shown->Handle(), edge), kBorder) << edge.x << "," << edge.y;
                EXPECT_EQ(itemPixel(0), kBackground) << "a normal item shows the background";
                key(shown->Handle(), VK_DOWN);
                return true;
            },
            [&] {
                EXPECT_EQ(itemPixel(0), kSelected) << "the selected item's frame";
                key(shown->Handle(), VK_DOWN);
                return true;
            },
            [&] {
                EXPECT_EQ(itemPixel(0), kBackground) << "left again";
                EXPECT_EQ(itemPixel(2), kSelected) << "the line is passed over";
                key(shown->Handle(), VK_DOWN);
                key(shown->Handle(), VK_RIGHT);
                return true;
            },
            [&] {
                TPopupMenuSkin* opened = PaintedPopup(sub->Handle());
                if (!opened)
                    return false;
                EXPECT_NE(opened, shown) << "the sub-menu has a popup object of its own";
                key(opened->Handle(), VK_RETURN);
                return true;
            },
        });
        popup->Popup(200, 200);
        EXPECT_TRUE(script.Finished());
    }
    EXPECT_EQ(inner, 1);
    // The accelerator letter runs its item; Escape runs nothing.
    for (const WPARAM press : {WPARAM('b'), WPARAM(VK_ESCAPE)}) {
        TMenuScript script({[&] {
            shown = PaintedPopup(popup->Handle());
            if (!shown)
                return false;
            PostMessageW(shown->Handle(), press == VK_ESCAPE ? WM_KEYDOWN : WM_CHAR, press, 0);
            return true;
        }});
        popup->Popup(200, 200);
        EXPECT_TRUE(script.Finished());
    }
    EXPECT_EQ(alpha, 0);
    EXPECT_EQ(beta, 1);
    EXPECT_TRUE(PumpUntil([&] { return Manager->PopupMenus().empty(); }));
    EXPECT_EQ(Manager->MenuKind, 0);
}

TEST_F(MenuSkin, AltSpaceOpensTheSkinnedWindowMenuWhoseItemsActOnTheWindow)
{
    TForm* form = NewForm();
    form->SetBorderIcons({biSystemMenu, biMinimize, biMaximize});
    TFormSkin* skinned = ShowSkinned(*form);
    ASSERT_NE(skinned, nullptr);
    ASSERT_NE(skinned->SystemPopup(), nullptr);
    TMenuScript script({[&] {
        const HMENU menu = skinned->SystemPopup()->Handle();
        TPopupMenuSkin* shown = PaintedPopup(menu);
        if (!shown)
            return false;
        EXPECT_EQ(Manager->MenuKind, 2);
        EXPECT_EQ(GetMenuItemCount(menu), 5);
        EXPECT_TRUE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED) << "Restore, for a normal window";
        PostMessageW(shown->Handle(), WM_CHAR, 'n', 0);  // Mi&nimize
        return true;
    }});
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) != FALSE; })) << "Minimize ran";
}

TEST_F(MenuSkin, PopupObjectsGoWithTheirWindowsWhetherSkinningIsOnOrOff)
{
    TForm* form = NewForm();
    ASSERT_NE(ShowSkinned(*form), nullptr);
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"播放文件");
    for (const bool switchOff : {false, true}) {
        HWND popupWindow = nullptr;
        TMenuScript script({[&] {
            if (Manager->PopupMenus().size() != 1)
                return false;
            popupWindow = Manager->PopupMenus().front()->Handle();
            if (switchOff)
                Manager->SetEnabled(false);
            EndMenu();
            return true;
        }});
        TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, form->Handle(), nullptr);
        ASSERT_TRUE(script.Finished());
        EXPECT_TRUE(PumpUntil([&] { return Manager->PopupMenus().empty(); })) << "skinning off: " << switchOff;
        Manager->SetEnabled(true);
    }
    DestroyMenu(menu);
}

TEST_F(MenuSkin, AThousandPopupOpensLeaveNoGdiObjectBehind)
{
    TForm* form = NewForm();
    auto* popup = new TPopupMenu(form);
    for (const wchar_t* caption : {L"播放文件", L"-", L"活动视频", L"录制电影"}) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        popup->Items()->Add(item);
    }
    popup->Items()->Items(2)->SetChecked(true);  // the check mark is drawn each time
    popup->Items()->Items(3)->SetEnabled(false);
    ASSERT_NE(ShowSkinned(*form), nullptr);
    // One open first: whatever is made once (fonts, caches) exists before counting.
    const auto openOnce = [&] {
        TMenuScript script({[&] {
            if (!PaintedPopup(popup->Handle()))
                return false;
            EndMenu();
            return true;
        }});
        popup->Popup(150, 150);
        return script.Finished();
    };
    ASSERT_TRUE(openOnce());
    Pump();
    const long engineObjects = EngineGdiObjects();
    const long processObjects = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(openOnce()) << "open " << i;
    Pump();
    EXPECT_EQ(EngineGdiObjects(), engineObjects);
    if (processObjects >= 0) {  // a little slack for the platform's own lazily made objects
        EXPECT_LT(LiveGdiObjects(), processObjects + 20) << "GDI objects were leaked by the opens";
    }
    EXPECT_TRUE(Manager->PopupMenus().empty());
}

TEST_F(MenuSkin, KivorasSkinLetsTheGutterShowAndDrawsSeparatorsAsLines)
{
    auto* kivora = new TSkinData(nullptr);
    Skins.push_back(kivora);
    ASSERT_TRUE(kivora->LoadSkinFromResource(L"SKINSTREAM"));
    ASSERT_TRUE(kivora->Elements().MenuItem);
    EXPECT_EQ(kivora->Elements().MenuItem->Trans, 1);
    const TMenuItemPainter painter(*kivora);
    constexpr COLORREF gutter = RGB(1, 99, 1);
    auto background = std::make_unique<TBitmap>(200, 40);
    background->Canvas()->Brush().SetColor(static_cast<TColor>(gutter));
    background->Canvas()->FillRect({0, 0, 200, 40});
    const TItemBackground under{background.get(), {0, 0}};
    const auto item = Item(L"活动视频");
    for (const bool selected : {false, true}) {
        const auto surface = Surface(150, 22);
        painter.DrawMenuItem(*item, *surface->Canvas(), {0, 0, 150, 22}, selected, under);
        // The left edge lies in the background's gutter: a normal item leaves it alone.
        EXPECT_EQ(PixelOf(*surface, 3, 11) == gutter, !selected) << "selected " << selected;
    }
    const auto line = Item(L"-");
    const auto surface = Surface(150, 8);
    painter.DrawMenuItem(*line, *surface->Canvas(), {0, 0, 150, 8}, false, under);
    int lineRows = 0;
    for (int row = 0; row < 8; ++row)
        lineRows += PixelOf(*surface, 75, row) != gutter;
    EXPECT_GE(lineRows, 1) << "a line is drawn";
    EXPECT_LE(lineRows, 2) << "a thin line, not a highlighted slice";
}

TEST_F(MenuSkin, PausedSkinningKeepsPopupsOfSkinnedFormsFramedAndSwitchedOffLeavesThemNative)
{
    TForm* form = NewForm();
    ASSERT_NE(ShowSkinned(*form), nullptr);
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"全屏");
    // Returns how many skinned popups there were while the menu was open and painted.
    const auto openAndCount = [&] {
        std::size_t skinned = 0;
        int ticks = 0;
        TMenuScript script({[&] {
            if (++ticks < 5)  // the menu window is shown and painted by now
                return false;
            skinned = Manager->PopupMenus().size();
            EndMenu();
            return true;
        }});
        TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, form->Handle(), nullptr);
        EXPECT_TRUE(script.Finished());
        return skinned;
    };
    Manager->SetEnabled(false);  // what the application does around its full-screen picture
    EXPECT_EQ(openAndCount(), 1u);
    Manager->SetPendingSkin(Skin);  // switched off: every form gets its native look back
    Manager->ScheduleAction(saSwitchOff, 1);
    Manager->ApplyPendingAction();
    ASSERT_TRUE(Manager->Forms().empty());
    EXPECT_EQ(openAndCount(), 0u);
    DestroyMenu(menu);
}

TEST_F(MenuSkin, APopupPrintedIntoABitmapHasItsBorderBackgroundAndItems)
{
    TForm* form = NewForm();
    auto* popup = new TPopupMenu(form);
    for (const wchar_t* caption : {L"播放文件", L"拍照"}) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        popup->Items()->Add(item);
    }
    ASSERT_NE(ShowSkinned(*form), nullptr);
    std::unique_ptr<TBitmap> printed;
    RECT firstItem{};
    TMenuScript script({
        [&] {
            TPopupMenuSkin* shown = PaintedPopup(popup->Handle());
            if (!shown)
                return false;
            PostMessageW(shown->Handle(), WM_KEYDOWN, VK_DOWN, 0);  // the first item selected
            return true;
        },
        [&] {
            TPopupMenuSkin* shown = PaintedPopup(popup->Handle());
            RECT window{};
            GetWindowRect(shown->Handle(), &window);
            printed = std::make_unique<TBitmap>(window.right - window.left, window.bottom - window.top);
            SendMessageW(shown->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed->Canvas()->Handle()),
                         PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            firstItem = ItemRect(popup->Handle(), 0, shown->Handle());
            EndMenu();
            return true;
        },
    });
    popup->Popup(200, 200);
    ASSERT_TRUE(script.Finished());
    ASSERT_TRUE(printed);
    const int width = printed->Width(), height = printed->Height();
    for (POINT edge : {POINT{1, 1}, POINT{width - 2, height / 2}, POINT{width / 2, height - 2}})
        EXPECT_EQ(PixelOf(*printed, edge.x, edge.y), kBorder) << edge.x << "," << edge.y;
    EXPECT_EQ(PixelOf(*printed, FramePoint(firstItem).x, FramePoint(firstItem).y), kSelected);
    const RECT second = {firstItem.left, firstItem.bottom, firstItem.right, firstItem.bottom + 4};
    EXPECT_EQ(PixelOf(*printed, FramePoint(second).x, second.top + 2), kBackground);
}

namespace {

// A form with a menu bar: File (Open, a line, Exit), Edit (Copy) and Help (no sub-menu).
struct TMenuBarForm {
    TForm* Form = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem *File = nullptr, *Edit = nullptr, *Help = nullptr;
    int Opened = 0, Copied = 0, Helped = 0;

    explicit TMenuBarForm(TForm* form) : Form(form)
    {
        Menu = new TMainMenu(form);
        const auto add = [&](TMenuItem* parent, const wchar_t* caption, int* clicks) {
            return AddItem(*form, parent, caption, clicks);
        };
        File = add(Menu->Items(), L"&File", nullptr);
        add(File, L"&Open", &Opened);
        add(File, L"-", nullptr);
        add(File, L"E&xit", nullptr);
        Edit = add(Menu->Items(), L"&Edit", nullptr);
        add(Edit, L"&Copy", &Copied);
        Help = add(Menu->Items(), L"&Help", &Helped);
        form->SetMenu(Menu);
    }
};

}  // namespace

TEST_F(MenuSkin, TheMenuBarIsDrawnInTheFrameAndGivenBackWhenUnskinned)
{
    TMenuBarForm bar(NewForm());
    // The client area under the platform's frame and menu bar, skinning off.
    Manager->SetEnabled(false);
    bar.Form->Show();
    Pump();
    RECT before{};
    GetClientRect(bar.Form->Handle(), &before);
    ShowWindow(bar.Form->Handle(), SW_HIDE);
    Manager->SetEnabled(true);
    TFormSkin* skinned = ShowSkinned(*bar.Form);
    ASSERT_NE(skinned, nullptr);
    ASSERT_NE(skinned->MenuBar(), nullptr);
    EXPECT_EQ(GetMenu(bar.Form->Handle()), nullptr) << "the platform's bar is gone";
    EXPECT_EQ(skinned->MenuHeight(), GetSystemMetrics(SM_CYMENU));
    RECT after{};
    GetClientRect(bar.Form->Handle(), &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom) << "the client area keeps its size";
    const auto& entries = skinned->MenuBar()->Items();
    ASSERT_EQ(entries.size(), 3u);
    const int top = skinned->Frame().Top;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RECT& r = entries[i]->Rect;
        EXPECT_GT(r.right, r.left) << i;
        EXPECT_GE(r.top, top) << i;
        EXPECT_LE(r.bottom, top + skinned->MenuHeight()) << i;
        if (i > 0) {
            EXPECT_EQ(r.left, entries[i - 1]->Rect.right) << "side by side";
        }
    }
    EXPECT_EQ(skinned->MenuBar()->AccelItem(L'e'), entries[1].get());
    EXPECT_EQ(skinned->MenuBar()->AccelItem(L'q'), nullptr);
    // A changed menu reaches the bar although the window has no menu of its own now.
    bar.Edit->SetCaption(L"编辑(&Q)");
    ASSERT_EQ(skinned->MenuBar()->Items().size(), 3u);
    EXPECT_EQ(skinned->MenuBar()->Items()[1]->Caption, L"编辑(&Q)");
    EXPECT_NE(skinned->MenuBar()->AccelItem(L'q'), nullptr);

    Manager->SetPendingSkin(Skin);
    Manager->ScheduleAction(saSwitchOff, 1);
    Manager->ApplyPendingAction();
    EXPECT_EQ(GetMenu(bar.Form->Handle()), bar.Menu->Handle()) << "the menu is given back";
    GetClientRect(bar.Form->Handle(), &after);
    EXPECT_EQ(after.bottom, before.bottom);
}

TEST_F(MenuSkin, AltWithALetterOpensItsDropDownAndTheArrowsMoveToTheNeighbour)
{
    TMenuBarForm bar(NewForm());
    TFormSkin* skinned = ShowSkinned(*bar.Form);
    ASSERT_TRUE(skinned && skinned->MenuBar());
    HWND fileWindow = nullptr;
    TMenuScript script({
        [&] {
            TPopupMenuSkin* file = PaintedPopup(bar.File->Handle());
            if (!file)
                return false;
            EXPECT_EQ(Manager->MenuKind, 1);
            EXPECT_TRUE(skinned->MenuBar()->DroppedDown());
            fileWindow = file->Handle();
            PostMessageW(fileWindow, WM_KEYDOWN, VK_RIGHT, 0);
            return true;
        },
        [&] {
            TPopupMenuSkin* edit = PaintedPopup(bar.Edit->Handle());
            if (!edit)
                return false;
            PostMessageW(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);  // Copy, selected first
            return true;
        },
    });
    SendMessageW(bar.Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(PumpUntil([&] { return bar.Copied == 1; })) << "Copy ran";
    EXPECT_EQ(bar.Opened, 0);
    EXPECT_FALSE(skinned->MenuBar()->DroppedDown());
}

TEST_F(MenuSkin, PressingAnEntryDropsItDownAndTheMouseSwitchesToAnother)
{
    TMenuBarForm bar(NewForm());
    TFormSkin* skinned = ShowSkinned(*bar.Form);
    ASSERT_TRUE(skinned && skinned->MenuBar());
    RECT window{};
    GetWindowRect(bar.Form->Handle(), &window);
    const auto screenCentre = [&](const TMenuBtn& entry) {
        return POINT{window.left + (entry.Rect.left + entry.Rect.right) / 2,
                     window.top + (entry.Rect.top + entry.Rect.bottom) / 2};
    };
    const auto& entries = skinned->MenuBar()->Items();
    // An entry without a sub-menu runs its item.
    const POINT help = screenCentre(*entries[2]);
    SendMessageW(bar.Form->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(help.x, help.y));
    EXPECT_TRUE(PumpUntil([&] { return bar.Helped == 1; }));
    TMenuScript script({
        [&] {
            TPopupMenuSkin* file = PaintedPopup(bar.File->Handle());
            if (!file)
                return false;
            const POINT edit = screenCentre(*entries[1]);
            SetCursorPos(edit.x, edit.y);
            PostMessageW(file->Handle(), WM_MOUSEMOVE, 0, 0);
            return true;
        },
        [&] {
            TPopupMenuSkin* edit = PaintedPopup(bar.Edit->Handle());
            if (!edit)
                return false;
            PostMessageW(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        },
        [&] {
            // Escape left the bar lit for the keyboard, as the platform's bar does; once
            // more leaves it.
            if (!skinned->MenuBar()->KeyboardModeActive())
                return false;
            PostMessageW(bar.Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        },
    });
    const POINT file = screenCentre(*entries[0]);
    SetCursorPos(file.x, file.y);
    SendMessageW(bar.Form->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(file.x, file.y));
    EXPECT_TRUE(script.Finished());
    Pump();
    EXPECT_EQ(bar.Copied + bar.Opened, 0) << "Escape chose nothing";
}

TEST_F(MenuSkin, ManyDropDownsOfTheMenuBarLeaveNoGdiObjectBehind)
{
    TMenuBarForm bar(NewForm());
    bar.File->Items(0)->SetChecked(true);
    TFormSkin* skinned = ShowSkinned(*bar.Form);
    ASSERT_TRUE(skinned && skinned->MenuBar());
    const auto dropOnce = [&] {
        TMenuScript script({[&] {
            if (!PaintedPopup(bar.File->Handle()))
                return false;
            EndMenu();
            return true;
        }});
        SendMessageW(bar.Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
        Pump();
        return script.Finished();
    };
    ASSERT_TRUE(dropOnce());
    const long engineObjects = EngineGdiObjects();
    const long processObjects = LiveGdiObjects();
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(dropOnce()) << "drop-down " << i;
    EXPECT_EQ(EngineGdiObjects(), engineObjects);
    if (processObjects >= 0) {
        EXPECT_LT(LiveGdiObjects(), processObjects + 20) << "GDI objects were leaked by the drop-downs";
    }
}

TEST(MenuBarSeparators, ADropDownShowsOneSeparatorBetweenItemsAndKeepsItsMenuHandle)
{
    TMainMenu menu(nullptr);
    auto* entry = new TMenuItem(&menu);
    entry->SetCaption(L"&File");
    menu.Items()->Add(entry);
    std::vector<TMenuItem*> items;
    for (const wchar_t* caption : {L"-", L"A", L"-", L"-", L"B", L"-"}) {
        items.push_back(new TMenuItem(&menu));
        items.back()->SetCaption(caption);
        entry->Add(items.back());
    }
    menu.Handle();
    const HMENU dropDown = entry->Handle();
    ASSERT_NE(dropDown, nullptr);
    const auto shown = [&] {
        std::wstring captions;
        for (TMenuItem* item : items)
            if (item->Visible())
                captions += item->Caption();
        return captions;
    };
    TidySeparators(*entry);
    EXPECT_EQ(shown(), L"A-B");
    EXPECT_FALSE(items[2]->Visible()) << "of a run the last separator shows";
    EXPECT_TRUE(items[3]->Visible());
    EXPECT_EQ(entry->Handle(), dropDown) << "the drop-down's handle stays valid";
    EXPECT_EQ(GetMenuItemCount(dropDown), 3);
    // B hidden: the separator before it would end the drop-down and goes too; shown again,
    // the separator comes back between the items.
    items[4]->SetVisible(false);
    TidySeparators(*entry);
    EXPECT_EQ(shown(), L"A");
    EXPECT_EQ(GetMenuItemCount(dropDown), 1);
    items[4]->SetVisible(true);
    TidySeparators(*entry);
    EXPECT_EQ(shown(), L"A-B");
    EXPECT_EQ(GetMenuItemCount(dropDown), 3);
    EXPECT_EQ(entry->Handle(), dropDown);
    // The menu's items are where their commands say.
    EXPECT_EQ(GetMenuItemID(dropDown, 0), items[1]->Command());
    EXPECT_EQ(GetMenuItemID(dropDown, 2), items[4]->Command());
}
