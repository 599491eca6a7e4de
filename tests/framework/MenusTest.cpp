// Menu items' pictures, shortcut texts and default item: what the native menu carries and
// what an owner-drawn item measures.
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/Properties.h"

#include <gtest/gtest.h>

namespace {

std::wstring NativeText(HMENU menu, UINT command)
{
    wchar_t buffer[128]{};
    GetMenuStringW(menu, command, buffer, 128, MF_BYCOMMAND);
    return buffer;
}

struct TSize {
    int cx = 0, cy = 0;
};

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Popup = new TPopupMenu(nullptr);
        Item = new TMenuItem(Popup);
        Item->SetCaption(L"关闭");
        Popup->Items()->Add(Item);
    }
    void TearDown() override { Popup->Free(); }
    TSize Measure()
    {
        TBitmap surface(10, 10);
        TCanvas& canvas = *surface.Canvas();
        canvas.Font().Assign(MenuFont());
        TSize size;
        Item->MeasureItem(canvas, size.cx, size.cy);
        return size;
    }
    TPopupMenu* Popup = nullptr;
    TMenuItem* Item = nullptr;
};

}  // namespace

TEST_F(MenusTest, ShortcutTextAndDefaultItemReachTheNativeMenu)
{
    Item->SetShortCutText(L"Alt+F4");
    Item->SetDefault(true);
    const HMENU menu = Popup->Handle();
    EXPECT_EQ(NativeText(menu, Item->Command()), L"关闭\tAlt+F4");
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), Item->Command());
    // Owner-drawn, the native item keeps the text (its accelerator letter is found there).
    Popup->SetOwnerDraw(true);
    EXPECT_EQ(NativeText(Popup->Handle(), Item->Command()), L"关闭\tAlt+F4");
    EXPECT_EQ(ReadTextProp(Item, L"ShortCutText"), L"Alt+F4");
}

TEST_F(MenusTest, AnItemMeasuresRoomForItsShortcutAndItsMenusPictures)
{
    const TSize plain = Measure();
    Item->SetShortCutText(L"Shift+F4");
    const TSize withKey = Measure();
    EXPECT_GT(withKey.cx, plain.cx);
    EXPECT_EQ(withKey.cy, plain.cy);
    auto* images = new TImageList(nullptr);
    images->SetWidth(40);
    images->SetHeight(36);
    Popup->SetImages(images);
    Item->SetImageIndex(0);
    const TSize withImages = Measure();
    EXPECT_GE(withImages.cy, 36 + 2);
    EXPECT_GE(withImages.cx, withKey.cx + 40 - 16);
    // The menu forgets an image list that is freed first.
    images->Free();
    EXPECT_EQ(Popup->Images(), nullptr);
    EXPECT_EQ(Measure().cy, withKey.cy);
}

TEST_F(MenusTest, TheApplicationFindsAnOwnerDrawnItemByItsAcceleratorLetter)
{
    auto* open = new TMenuItem(Popup);
    open->SetCaption(L"&Open && close");
    Popup->Items()->Add(open);
    Popup->SetOwnerDraw(true);
    const auto menuChar = [&](wchar_t key) {
        return SendMessageW(Application->Handle(), WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP),
                            reinterpret_cast<LPARAM>(Popup->Handle()));
    };
    EXPECT_EQ(menuChar(L'o'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(menuChar(L'O'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(HIWORD(menuChar(L'c')), MNC_IGNORE) << "&& is an ampersand, not an accelerator";
    open->SetEnabled(false);
    EXPECT_EQ(HIWORD(menuChar(L'o')), MNC_IGNORE);
}
