// MDI forms: a frame with its MDI client filling the client area, children made in that
// client, activated when shown, maximized, tiled and cascaded by the client, Ctrl+F4 closing
// the active child through the application's message path and the client activating the next.
#include "framework/Application.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

namespace {

void PumpAll()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class MdiForms : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Frame = TCustomForm::Create<TForm>(nullptr);
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetBounds(40, 40, 600, 420);
        Frame->SetCaption(L"MDI 框架");
        Frame->Show();
        for (int i = 0; i < 3; ++i) {
            auto* child = new TForm(Frame);
            child->Load();
            child->SetFormStyle(fsMDIChild);
            child->SetBounds(10 + 20 * i, 10 + 20 * i, 240, 160);
            child->SetCaption(L"子窗口 " + std::to_wstring(i + 1));
            child->Show();
            Children.push_back(child);
        }
        PumpAll();
    }
    void TearDown() override
    {
        Frame->Free();
        PumpAll();
    }
    TForm* Frame = nullptr;
    std::vector<TForm*> Children;
};

TEST_F(MdiForms, ChildrenLiveInTheFramesClientAndTheLastShownIsActive)
{
    const HWND client = Frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(GetParent(client), Frame->Handle());
    RECT frameClient{}, clientRect{};
    GetClientRect(Frame->Handle(), &frameClient);
    GetWindowRect(client, &clientRect);
    EXPECT_EQ(clientRect.right - clientRect.left, frameClient.right) << "the client fills the frame";
    EXPECT_EQ(Frame->MDIChildCount(), 3);
    for (TForm* child : Children) {
        EXPECT_EQ(GetParent(child->Handle()), client);
        EXPECT_TRUE(GetWindowLongPtrW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_EQ(child->MDIFrame(), Frame);
    }
    EXPECT_EQ(Frame->ActiveMDIChild(), Children[2]);
    Children[0]->Show();  // already visible: activating is the client's
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Children[0]->Handle()), 0);
    EXPECT_EQ(Frame->ActiveMDIChild(), Children[0]);
    // A larger frame takes its client along.
    Frame->SetBounds(40, 40, 700, 480);
    GetClientRect(Frame->Handle(), &frameClient);
    GetWindowRect(client, &clientRect);
    EXPECT_EQ(clientRect.bottom - clientRect.top, frameClient.bottom);
}

TEST_F(MdiForms, TheClientMaximizesTilesAndCascadesItsChildren)
{
    const HWND client = Frame->ClientHandle();
    SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Children[1]->Handle()), 0);
    PumpAll();
    BOOL maximized = FALSE;
    EXPECT_EQ(SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)),
              reinterpret_cast<LRESULT>(Children[1]->Handle()));
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(IsZoomed(Children[1]->Handle()));
    SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(Children[1]->Handle()), 0);
    PumpAll();
    EXPECT_FALSE(IsZoomed(Children[1]->Handle()));

    Frame->Tile();
    PumpAll();
    RECT clientArea{};
    GetClientRect(client, &clientArea);
    RECT a{}, b{};
    GetWindowRect(Children[0]->Handle(), &a);
    GetWindowRect(Children[1]->Handle(), &b);
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << "tiled children do not overlap";
    Frame->Cascade();
    PumpAll();
    GetWindowRect(Children[0]->Handle(), &a);
    GetWindowRect(Children[1]->Handle(), &b);
    EXPECT_NE(a.left, b.left) << "cascaded children step down";
    EXPECT_NE(a.top, b.top);
}

TEST_F(MdiForms, CtrlF4ClosesTheActiveChildThroughTheApplicationsMessagePath)
{
    int closed = 0;
    Children[2]->OnClose = [&](TObject*, TCloseAction& action) {
        ++closed;
        action = caFree;
    };
    // Ctrl held: what TranslateMDISysAccel reads from the key state.
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(Children[2]->Handle(), WM_KEYDOWN, VK_F4, 0);
    Application->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    PumpAll();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(Frame->MDIChildCount(), 2);
    EXPECT_NE(Frame->ActiveMDIChild(), nullptr) << "the client activated the next child";
}

}  // namespace
