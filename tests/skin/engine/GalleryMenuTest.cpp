// The skin gallery's menu bar driven by the keyboard as a user drives a platform menu bar:
// Alt alone and F10 light the first entry without dropping it down, the arrows move along
// the lit bar, Down and Enter drop the lit entry down, Escape goes back from a drop-down to
// the lit bar and then leaves it; Alt with a letter drops its entry down; in the drop-downs
// the arrows, Enter, Escape and the items' letters work, a sub-menu opens to the right.
// The gallery's MDI window: its maximized child's buttons on the frame's skinned bar.
#include "skin/engine/SkinManager.h"
#include "skin/engine/frames/FormSkin.h"
#include "skin/engine/menus/MenuBarSkin.h"
#include "skin/engine/menus/PopupMenuSkin.h"
#include "tools/skin-gallery/GalleryForm.h"
#include "tools/skin-gallery/GalleryMdi.h"

#include "MenuScript.h"
#include "MessagePump.h"
#include "framework/Application.h"
#include "framework/Menus.h"
#include "framework/StatusBar.h"

#include <gtest/gtest.h>

namespace {

class GalleryMenu : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        RegisterSkinManager();
        TGalleryForm::Skinned = true;
        Form = TCustomForm::Create<TGalleryForm>(nullptr);
        // Made with the form's skin.
        Manager = static_cast<TSkinManager*>(SkinManager());
        ASSERT_NE(Manager, nullptr);
        Manager->SetEnabled(true);
        Form->Show();
        SetForegroundWindow(Form->Handle());
        ASSERT_TRUE(PumpUntil([&] {
            TFormSkin* skinned = Manager->FindForm(Form->Handle());
            return skinned && skinned->State() == fsReady;
        })) << "the gallery was not skinned";
        Pump();
        Skinned = Manager->FindForm(Form->Handle());
        ASSERT_NE(Skinned->MenuBar(), nullptr);
    }
    void TearDown() override
    {
        if (Form)
            Form->Free();
        Pump();
        DestroySkinManager();
        SetSkinManagerFactory(nullptr);
    }
    TMenuBarSkin& Bar() const { return *Skinned->MenuBar(); }
    const TMenuBtn* Entry(int index) const { return Bar().Items()[static_cast<std::size_t>(index)].get(); }
    // The entry lit for the keyboard, or -1.
    int LitIndex() const
    {
        for (const auto& entry : Bar().Items())
            if (entry->ButtonState == nbsHot && Skinned->HotObject() == entry.get())
                return entry->Index;
        return -1;
    }
    // The skinned popup window showing menu, once it has painted; null when none is open.
    TPopupMenuSkin* PaintedPopup(HMENU menu) const
    {
        for (const auto& popup : Manager->PopupMenus())
            if (popup->MenuHandle() == menu && popup->Background() && IsWindowVisible(popup->Handle()))
                return popup.get();
        return nullptr;
    }
    bool AnyPopupShown() const
    {
        for (const auto& popup : Manager->PopupMenus())
            if (IsWindowVisible(popup->Handle()))
                return true;
        return false;
    }
    void Key(HWND window, WPARAM key) const { PostMessageW(window, WM_KEYDOWN, key, 0); }
    // The gallery's MDI window, its active child maximized, once skinned with its bar.
    TFormSkin* OpenMdiWindow(TForm*& frame) const
    {
        frame = ShowGalleryMdiWindow(*Form, true);
        TFormSkin* skinned = nullptr;
        const bool ready = PumpUntil([&] {
            skinned = Manager->FindForm(frame->Handle());
            return skinned && skinned->State() == fsReady && skinned->MenuBar();
        });
        Pump();
        return ready ? skinned : nullptr;
    }

    TSkinManager* Manager = nullptr;
    TGalleryForm* Form = nullptr;
    TFormSkin* Skinned = nullptr;
};

TEST_F(GalleryMenu, AltAloneLightsTheBarTheArrowsMoveAlongItAndEscapeStepsBackOut)
{
    HWND form = Form->Handle();
    const TGalleryMenu& menu = Form->MainMenu;
    TMenuScript script({
        [&] {
            // Lit, nothing dropped down; Right moved to Edit.
            EXPECT_TRUE(Bar().KeyboardModeActive());
            EXPECT_EQ(LitIndex(), 1);
            EXPECT_FALSE(AnyPopupShown());
            Key(form, VK_LEFT);
            Key(form, VK_LEFT);  // past File to the last entry
            return true;
        },
        [&] {
            EXPECT_EQ(LitIndex(), 3);
            EXPECT_FALSE(AnyPopupShown());
            Key(form, VK_DOWN);
            return true;
        },
        [&] {
            TPopupMenuSkin* help = PaintedPopup(menu.Help->Handle());
            if (!help)
                return false;
            Key(help->Handle(), VK_ESCAPE);
            return true;
        },
        [&] {
            // Escape closed the drop-down only: Help is lit again.
            if (AnyPopupShown() || !Bar().KeyboardModeActive() || LitIndex() != 3)
                return false;
            Key(form, VK_ESCAPE);
            return true;
        },
    });
    Key(form, VK_RIGHT);
    SendMessageW(form, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(Bar().KeyboardModeActive());
    EXPECT_EQ(LitIndex(), -1) << "no entry stays lit";
    EXPECT_TRUE(menu.Chosen.empty()) << "Escape chose nothing";
}

TEST_F(GalleryMenu, TheKeysAltAndF10LightTheFirstEntryAndPressedAgainLeave)
{
    HWND form = Form->Handle();
    struct TKeyCase {
        WPARAM Key;
        const char* Name;
    };
    for (const TKeyCase& key : {TKeyCase{VK_MENU, "Alt"}, TKeyCase{VK_F10, "F10"}}) {
        const LPARAM down = key.Key == VK_MENU ? (1 << 29) | 1 : 1;
        const LPARAM up = down | (1u << 30) | (1u << 31);
        bool lit = false;
        TMenuScript script({[&] {
            if (!Bar().KeyboardModeActive())
                return false;
            lit = LitIndex() == 0 && !AnyPopupShown();
            PostMessageW(form, WM_SYSKEYDOWN, key.Key, down);
            PostMessageW(form, WM_SYSKEYUP, key.Key, up);
            return true;
        }});
        // The platform's window procedure turns the key's release into the window's menu key.
        PostMessageW(form, WM_SYSKEYDOWN, key.Key, down);
        PostMessageW(form, WM_SYSKEYUP, key.Key, up);
        EXPECT_TRUE(PumpUntil([&] { return script.Finished(); })) << key.Name;
        Pump();
        EXPECT_TRUE(lit) << key.Name << " lit the first entry without dropping it down";
        EXPECT_FALSE(Bar().KeyboardModeActive()) << key.Name << " again left the bar";
        EXPECT_EQ(LitIndex(), -1) << key.Name;
    }
}

TEST_F(GalleryMenu, InTheDropDownsArrowsEnterAndLettersChooseAndASubMenuOpensToTheRight)
{
    HWND form = Form->Handle();
    TGalleryMenu& menu = Form->MainMenu;
    // View: Down to the status bar item, Enter: the status bar goes.
    {
        TMenuScript script({[&] {
            TPopupMenuSkin* view = PaintedPopup(menu.View->Handle());
            if (!view)
                return false;
            Key(view->Handle(), VK_DOWN);
            Key(view->Handle(), VK_RETURN);
            return true;
        }});
        SendMessageW(form, WM_SYSCOMMAND, SC_KEYMENU, 'v');
        EXPECT_TRUE(script.Finished());
        EXPECT_TRUE(PumpUntil([&] { return !menu.Chosen.empty(); }));
        EXPECT_EQ(menu.Chosen, L"状态栏(&S)");
        EXPECT_FALSE(Form->StatusBar->Visible());
        EXPECT_FALSE(Bar().KeyboardModeActive()) << "a chosen item leaves the bar";
    }
    // View again: the letter 3 chooses the third radio item, which takes the check.
    {
        menu.Chosen.clear();
        TMenuScript script({[&] {
            TPopupMenuSkin* view = PaintedPopup(menu.View->Handle());
            if (!view)
                return false;
            PostMessageW(view->Handle(), WM_CHAR, '3', 0);
            return true;
        }});
        SendMessageW(form, WM_SYSCOMMAND, SC_KEYMENU, 'v');
        EXPECT_TRUE(script.Finished());
        EXPECT_TRUE(PumpUntil([&] { return !menu.Chosen.empty(); }));
        EXPECT_EQ(menu.Chosen, L"大图标(&3)");
        EXPECT_TRUE(menu.View->Items(5)->Checked());
        EXPECT_FALSE(menu.View->Items(4)->Checked()) << "one radio item of the group is checked";
    }
    // File: down to Recent files, Right opens its sub-menu (not the Edit entry), Enter
    // chooses its first item.
    {
        menu.Chosen.clear();
        TMenuScript script({
            [&] {
                TPopupMenuSkin* file = PaintedPopup(menu.File->Handle());
                if (!file)
                    return false;
                Key(file->Handle(), VK_DOWN);
                Key(file->Handle(), VK_DOWN);
                Key(file->Handle(), VK_RIGHT);
                return true;
            },
            [&] {
                TPopupMenuSkin* recent = PaintedPopup(menu.Recent->Handle());
                if (!recent)
                    return false;
                EXPECT_EQ(PaintedPopup(menu.Edit->Handle()), nullptr);
                Key(recent->Handle(), VK_RETURN);
                return true;
            },
        });
        SendMessageW(form, WM_SYSCOMMAND, SC_KEYMENU, 'f');
        EXPECT_TRUE(script.Finished());
        EXPECT_TRUE(PumpUntil([&] { return !menu.Chosen.empty(); }));
        EXPECT_EQ(menu.Chosen, L"&1 捕捉.wmv");
    }
    // Edit, then Escape: back to the lit bar with Edit lit; Escape again leaves it.
    {
        bool litAfterEscape = false;
        TMenuScript script({
            [&] {
                TPopupMenuSkin* edit = PaintedPopup(menu.Edit->Handle());
                if (!edit)
                    return false;
                Key(edit->Handle(), VK_ESCAPE);
                return true;
            },
            [&] {
                if (AnyPopupShown() || !Bar().KeyboardModeActive())
                    return false;
                litAfterEscape = LitIndex() == 1;
                Key(form, VK_ESCAPE);
                return true;
            },
        });
        SendMessageW(form, WM_SYSCOMMAND, SC_KEYMENU, 'e');
        EXPECT_TRUE(script.Finished());
        EXPECT_TRUE(litAfterEscape);
        EXPECT_FALSE(Bar().KeyboardModeActive());
    }
}

TEST_F(GalleryMenu, AMaximizedMdiChildsButtonsSitOnTheFramesBarAndActOnTheChild)
{
    TForm* frame = nullptr;
    TFormSkin* skinned = OpenMdiWindow(frame);
    ASSERT_NE(skinned, nullptr);
    ASSERT_EQ(frame->MDIChildCount(), 3);
    EXPECT_TRUE(skinned->ActiveChildMaximized());
    // The three child buttons (minimize, restore, close) from left to right at the bar's
    // right end, inside its strip.
    std::vector<const TWinSysButton*> childButtons;
    for (const auto& button : skinned->TitleButtons())
        if (button->Element.Visibility == 100 && button->Visible)
            childButtons.push_back(button.get());
    ASSERT_EQ(childButtons.size(), 3u);
    RECT window{};
    GetWindowRect(frame->Handle(), &window);
    const int barTop = skinned->Frame().Top, barBottom = barTop + skinned->MenuHeight();
    const int actions[] = {7, 8, 9};
    for (std::size_t i = 0; i < childButtons.size(); ++i) {
        const RECT& r = childButtons[i]->Rect;
        EXPECT_EQ(childButtons[i]->Element.Action, actions[i]);
        EXPECT_GE(r.top, barTop) << i;
        EXPECT_LE(r.bottom, barBottom) << i;
        EXPECT_GT(r.left, skinned->MenuBar()->Items().back()->Rect.right) << "right of the entries";
        if (i > 0) {
            EXPECT_GT(r.left, childButtons[i - 1]->Rect.left) << i;
        }
    }
    EXPECT_LE(childButtons[2]->Rect.right, (window.right - window.left) - skinned->Frame().Right);
    // A click on a button: pressed, then released over it.
    const auto click = [&](const TWinSysButton& button) {
        const POINT screen{window.left + (button.Rect.left + button.Rect.right) / 2,
                           window.top + (button.Rect.top + button.Rect.bottom) / 2};
        SendMessageW(frame->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(screen.x, screen.y));
        POINT client = screen;
        ScreenToClient(frame->Handle(), &client);
        SendMessageW(frame->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        Pump();
    };
    // Close: the active child goes and the next one is maximized in its place.
    click(*childButtons[2]);
    EXPECT_TRUE(PumpUntil([&] { return frame->MDIChildCount() == 2; })) << "the close button closed the child";
    EXPECT_TRUE(skinned->ActiveChildMaximized());
    // Restore: no child is maximized and the buttons leave the bar.
    click(*childButtons[1]);
    EXPECT_TRUE(PumpUntil([&] { return !skinned->ActiveChildMaximized(); })) << "the restore button restored the child";
    Pump();
    for (const auto& button : skinned->TitleButtons())
        if (button->Element.Visibility == 100) {
            EXPECT_FALSE(button->Visible) << "no buttons on the bar without a maximized child";
        }
    EXPECT_EQ(frame->MDIChildCount(), 2);
}

TEST_F(GalleryMenu, TheFramesBarShowsTheActiveChildsMergedEntriesAndItsOwnWhenNoChildIsLeft)
{
    TForm* frame = nullptr;
    TFormSkin* skinned = OpenMdiWindow(frame);
    ASSERT_NE(skinned, nullptr);
    const auto captions = [&] {
        std::vector<std::wstring> texts;
        for (const auto& entry : skinned->MenuBar()->Items())
            texts.push_back(entry->Caption);
        return texts;
    };
    using Texts = std::vector<std::wstring>;
    // The child's Document entry between the frame's File and Window, shown from the
    // child's own item; the maximized child's buttons are no entries.
    EXPECT_EQ(captions(), (Texts{L"文件(&F)", L"文档(&D)", L"窗口(&W)"}));
    TCustomForm* active = frame->ActiveMDIChild();
    ASSERT_NE(active, nullptr);
    ASSERT_NE(active->Menu(), nullptr);
    EXPECT_EQ(skinned->MenuBar()->Items()[1]->SourceItem, active->Menu()->Items()->Items(0));
    EXPECT_EQ(GetMenu(frame->Handle()), nullptr) << "the skin keeps the merged bar off the window";
    // Each child activated shows its own entry; the last child gone, the frame's bar.
    SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame->MDIChildren(0)->Handle()), 0);
    Pump();
    EXPECT_EQ(skinned->MenuBar()->Items()[1]->SourceItem, frame->ActiveMDIChild()->Menu()->Items()->Items(0));
    while (frame->MDIChildCount() > 0) {
        frame->MDIChildren(0)->Free();
        Pump();
    }
    EXPECT_EQ(captions(), (Texts{L"文件(&F)", L"窗口(&W)"}));
    EXPECT_EQ(skinned->MenuBar()->Items()[1]->SourceItem, frame->Menu()->Items()->Items(1));
    EXPECT_EQ(GetMenu(frame->Handle()), nullptr);
}

TEST_F(GalleryMenu, AnMdiChildHandsTheMenuKeysToItsFramesBar)
{
    TForm* frame = nullptr;
    TFormSkin* skinned = OpenMdiWindow(frame);
    ASSERT_NE(skinned, nullptr);
    TCustomForm* child = frame->ActiveMDIChild();
    ASSERT_NE(child, nullptr);
    EXPECT_NE(Manager->FindForm(child->Handle()), nullptr) << "the active child is skinned";
    TMenuItem* windowEntry = frame->Menu()->Items()->Items(1);
    bool opened = false;
    TMenuScript script({
        [&] {
            TPopupMenuSkin* popup = PaintedPopup(windowEntry->Handle());
            if (!popup)
                return false;
            opened = true;
            Key(popup->Handle(), VK_ESCAPE);
            return true;
        },
        [&] {
            if (!skinned->MenuBar()->KeyboardModeActive())
                return false;
            Key(frame->Handle(), VK_ESCAPE);
            return true;
        },
    });
    // Alt+W in the child: the frame's Window entry drops down.
    SendMessageW(child->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'w');
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(opened) << "the frame's drop-down opened";
    EXPECT_FALSE(skinned->MenuBar()->KeyboardModeActive());
}

}  // namespace
