// A form skinned with Kivora's stored skin, for tests of control skinning on real windows
// (under Xvfb): adding controls, showing the form and waiting until the skin is ready,
// finding a control's skinning object, reading pixels, and pressing the mouse through the
// system's input queue (so that modal tracking loops see it as a user's press).
#pragma once

#include "skin/engine/GdiTally.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "skin/engine/controls/SkinControl.h"
#include "skin/engine/frames/FormSkin.h"

#include "MessagePump.h"
#include "skin/SkinData.h"
#include "framework/Application.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace skinned {

using ::Pump;
using ::PumpUntil;

// The pixels of a screen rectangle as the top-level window shows them (children and
// covers included): after everything was painted again, or as they are now.
inline std::vector<std::uint8_t> Pixels(HWND topLevel, const RECT& screen, bool repaint = true)
{
    if (repaint) {
        RedrawWindow(topLevel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
    }
    RECT window{};
    GetWindowRect(topLevel, &window);
    const int w = screen.right - screen.left, h = screen.bottom - screen.top;
    TBitmap picture(w, h, pf24bit);
    HDC dc = GetWindowDC(topLevel);
    BitBlt(picture.Canvas()->Handle(), 0, 0, w, h, dc, screen.left - window.left, screen.top - window.top, SRCCOPY);
    ReleaseDC(topLevel, dc);
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < h; ++y)
        bytes.insert(bytes.end(), picture.ScanLine(y), picture.ScanLine(y) + w * 3);
    return bytes;
}

inline RECT ScreenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// Mouse input as a user gives it: absolute moves, presses and releases at screen points.
inline void MouseInput(std::initializer_list<std::pair<DWORD, POINT>> steps)
{
    std::vector<INPUT> inputs;
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    for (const auto& [flags, p] : steps) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((p.x * 65535LL + sw / 2) / (sw - 1));
        in.mi.dy = static_cast<LONG>((p.y * 65535LL + sh / 2) / (sh - 1));
        in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class SkinnedFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        RegisterSkinManager();
        Baseline = EngineGdiObjects();
        Skin = new TSkinData(nullptr);
        ASSERT_TRUE(LoadSkin(*Skin));
        Manager = static_cast<TSkinManager*>(SkinManager());
        ASSERT_NE(Manager, nullptr);
        Manager->SetEnabled(true);
        Form = new TForm(nullptr);
        Form->SetBounds(60, 60, 640, 480);
        Form->SetCaption(L"滚动 scrolling");
    }
    void TearDown() override
    {
        if (Form)
            Form->Free();
        Pump();
        DestroySkinManager();
        Skin->Free();
        SetSkinManagerFactory(nullptr);
        EXPECT_EQ(EngineGdiObjects(), Baseline) << "the engine's GDI objects are all given back";
    }
    virtual bool LoadSkin(TSkinData& skin) { return skin.LoadSkinFromResource(L"SKINSTREAM"); }

    template <class T> T* Add(TWinControl* parent, int x, int y, int w, int h, const wchar_t* caption = nullptr)
    {
        T* control = new T(Form);
        control->SetParent(parent ? parent : Form);
        control->SetBounds(x, y, w, h);
        if (caption)
            control->SetCaption(caption);
        return control;
    }
    TFormSkin* ShowSkinned()
    {
        Form->SetVisible(true);
        SetForegroundWindow(Form->Handle());
        TFormSkin* skinned = nullptr;
        EXPECT_TRUE(PumpUntil([&] {
            skinned = Manager->FindForm(Form->Handle());
            return skinned && skinned->State() == fsReady;
        })) << "the form was not skinned";
        Pump();
        return skinned;
    }
    TSkinControl* SkinOf(TComponent* control)
    {
        TFormSkin* skinned = Manager->FindForm(Form->Handle());
        if (!skinned)
            return nullptr;
        for (TSkinControl* c : skinned->Controls().Controls())
            if (c->Owner() == control)
                return c;
        return nullptr;
    }
    TSkinControl* SkinOfWindow(HWND window)
    {
        TFormSkin* skinned = Manager->FindForm(Form->Handle());
        return skinned ? skinned->Controls().Find(window) : nullptr;
    }

    TSkinData* Skin = nullptr;
    TSkinManager* Manager = nullptr;
    TForm* Form = nullptr;
    long Baseline = 0;
};

}  // namespace skinned
