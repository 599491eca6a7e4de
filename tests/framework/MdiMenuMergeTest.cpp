// An MDI frame's menu bar while children are active: the active child's main menu merged
// into the frame's by GroupIndex, the frame's own bar when no child with a menu is active,
// and a merged entry's items running in the child.
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void PumpAll()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

TMenuItem* AddEntry(TMainMenu& menu, TComponent* owner, const wchar_t* caption, int group)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetGroupIndex(group);
    auto* sub = new TMenuItem(owner);
    sub->SetCaption(std::wstring(caption) + L" 项");
    item->Add(sub);
    menu.Items()->Add(item);
    return item;
}

// The texts of the bar's entries (a maximized child's picture items have none).
std::vector<std::wstring> BarTexts(HWND window)
{
    std::vector<std::wstring> texts;
    HMENU bar = GetMenu(window);
    for (int i = 0; bar && i < GetMenuItemCount(bar); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        if (!GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &info) || info.cch == 0)
            continue;
        std::wstring text(info.cch + 1, L'\0');
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &info);
        text.resize(info.cch);
        texts.push_back(text);
    }
    return texts;
}

class MdiMenuMerge : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Frame = TCustomForm::Create<TForm>(nullptr);
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetBounds(40, 40, 600, 420);
        auto* menu = new TMainMenu(Frame);
        AddEntry(*menu, Frame, L"文件", 0);
        AddEntry(*menu, Frame, L"编辑", 2);
        WindowEntry = AddEntry(*menu, Frame, L"窗口", 9);
        Frame->SetMenu(menu);
        Frame->SetWindowMenu(WindowEntry);
        Frame->Show();
    }
    void TearDown() override
    {
        Frame->Free();
        PumpAll();
    }
    // A child with entries (caption, GroupIndex); none for a child without a menu.
    TForm* AddChild(std::vector<std::pair<const wchar_t*, int>> entries)
    {
        auto* child = new TForm(Frame);
        child->Load();
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(10, 10, 240, 160);
        if (!entries.empty()) {
            auto* menu = new TMainMenu(child);
            for (const auto& [caption, group] : entries)
                LastEntry = AddEntry(*menu, child, caption, group);
            child->SetMenu(menu);
        }
        child->Show();
        PumpAll();
        return child;
    }
    void Activate(TForm* child)
    {
        SendMessageW(Frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        PumpAll();
    }
    TForm* Frame = nullptr;
    TMenuItem* LastEntry = nullptr;
    TMenuItem* WindowEntry = nullptr;
};

using Texts = std::vector<std::wstring>;

TEST_F(MdiMenuMerge, TheActiveChildsEntriesTakeTheirGroupsPlaceAndTheFramesBarComesBack)
{
    TForm* inserted = AddChild({{L"文档", 1}});
    TForm* replacing = AddChild({{L"表格", 2}, {L"工具", 5}});
    TForm* plain = AddChild({});
    const Texts own{L"文件", L"编辑", L"窗口"};
    EXPECT_EQ(BarTexts(Frame->Handle()), own) << "a child without a menu leaves the frame's bar";
    struct Case {
        TForm* Child;
        Texts Expected;
    };
    const Case cases[] = {
        {inserted, {L"文件", L"文档", L"编辑", L"窗口"}},
        {replacing, {L"文件", L"表格", L"工具", L"窗口"}},
        {plain, own},
        {inserted, {L"文件", L"文档", L"编辑", L"窗口"}},
    };
    for (const Case& c : cases) {
        Activate(c.Child);
        EXPECT_EQ(BarTexts(Frame->Handle()), c.Expected);
    }
    // Maximized, the client adds the child's buttons to the bar; the entries stay.
    SendMessageW(Frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(inserted->Handle()), 0);
    PumpAll();
    EXPECT_EQ(BarTexts(Frame->Handle()), (Texts{L"文件", L"文档", L"编辑", L"窗口"}));
    // The Window drop-down lists the three children after its own item.
    EXPECT_EQ(GetMenuItemCount(WindowEntry->Handle()), 1 + 1 + 3) << "its item, a separator, the children";
    for (TForm* child : {inserted, replacing, plain}) {
        child->Free();
        PumpAll();
    }
    EXPECT_EQ(Frame->MDIChildCount(), 0);
    EXPECT_EQ(BarTexts(Frame->Handle()), own) << "the last child gone gives the frame its own bar";
    EXPECT_EQ(GetMenu(Frame->Handle()), Frame->Menu()->Handle());
}

TEST_F(MdiMenuMerge, AMergedItemsCommandRunsInTheChild)
{
    AddChild({{L"文档", 1}});
    TMenuItem* item = LastEntry->Items(0);
    int clicked = 0;
    item->OnClick = [&](TObject*) { ++clicked; };
    // The frame's drop-down borrowed into the bar opens the child's items.
    HMENU bar = GetMenu(Frame->Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetSubMenu(bar, 1), LastEntry->Handle());
    SendMessageW(Frame->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    EXPECT_EQ(clicked, 1);
}

}  // namespace
