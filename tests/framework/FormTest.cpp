// Forms and the message path: class names, loading order, replaceable window methods,
// framework notifications, modal results, and exceptions reaching the default handler.
#include "CreationHook.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/MessageBox.h"
#include "framework/WindowHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT WM_TEST_DONE = WM_APP + 1;

class TProbeForm : public TForm {
    KIVORA_CLASS(TProbeForm, TForm)
public:
    using TForm::TForm;
    std::vector<std::wstring> Log;
    TComponent* First = nullptr;
    TComponent* Second = nullptr;

protected:
    void CreateComponents() override
    {
        SetCaption(L"探针窗口");
        SetBorderStyle(bsDialog);
        SetClientWidth(300);
        SetClientHeight(200);
        SetPosition(poScreenCenter);
        First = new TLoadProbe(this, L"First", Log);
        Second = new TLoadProbe(this, L"Second", Log);
        OnCreate = [this](TObject*) { Log.push_back(L"OnCreate"); };
    }

private:
    class TLoadProbe : public TComponent {
    public:
        TLoadProbe(TComponent* owner, const wchar_t* name, std::vector<std::wstring>& log) : TComponent(owner), FLog(log)
        {
            SetName(name);
            FLog.push_back(Name() + (ComponentState().Contains(csLoading) ? L" loading" : L" not loading"));
        }
        void Loaded() override
        {
            TComponent::Loaded();
            FLog.push_back(Name() + L" Loaded");
        }

    private:
        std::vector<std::wstring>& FLog;
    };
};

const TClassInfo& TProbeForm::StaticClass()
{
    static const TClassInfo info(L"TProbeForm", &TForm::StaticClass());
    return info;
}

// A form that keeps which of its window's messages reached it.
class TRecordingForm : public TForm {
    KIVORA_CLASS(TRecordingForm, TForm)
public:
    using TForm::TForm;
    std::vector<UINT> Received;
    bool Got(UINT msg) const { return std::find(Received.begin(), Received.end(), msg) != Received.end(); }
    void WndProc(TMessage& message) override
    {
        Received.push_back(message.Msg);
        TForm::WndProc(message);
    }
};

const TClassInfo& TRecordingForm::StaticClass()
{
    static const TClassInfo info(L"TRecordingForm", &TForm::StaticClass());
    return info;
}

class TOtherRecordingForm : public TRecordingForm {
    KIVORA_CLASS(TOtherRecordingForm, TRecordingForm)
public:
    using TRecordingForm::TRecordingForm;
};

const TClassInfo& TOtherRecordingForm::StaticClass()
{
    static const TClassInfo info(L"TOtherRecordingForm", &TRecordingForm::StaticClass());
    return info;
}

// Stands in for the skin engine: takes over a control's window method and passes on.
class TMessageSpy {
public:
    explicit TMessageSpy(TControl* control) : FControl(control), FOld(control->WindowProc)
    {
        control->WindowProc = TWndMethod(this, &TMessageSpy::WndProc);
    }
    ~TMessageSpy() { FControl->WindowProc = FOld; }
    void WndProc(TMessage& message)
    {
        Seen.push_back(message.Msg);
        if (message.Msg == WM_GETTEXTLENGTH && Override) {
            message.Result = 42;
            return;
        }
        FOld(message);
    }
    std::vector<UINT> Seen;
    bool Override = false;
    bool Saw(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }

private:
    TControl* FControl;
    TWndMethod FOld;
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = TCustomForm::Create<TProbeForm>(nullptr);
    }
    void TearDown() override
    {
        if (Form)
            Form->Free();
        SetMessageBoxHook(nullptr);
    }
    TProbeForm* Form = nullptr;
};

TEST_F(FormTest, LoadsComponentsThenCallsLoadedInCreationOrderThenOnCreate)
{
    EXPECT_EQ(Form->Log, (std::vector<std::wstring>{L"First loading", L"Second loading", L"First Loaded",
                                                      L"Second Loaded", L"OnCreate"}));
    EXPECT_FALSE(Form->ComponentState().Contains(csLoading));
}

TEST_F(FormTest, WindowClassIsNamedAfterTheFormClassAndIsUnicode)
{
    HWND window = Form->Handle();
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    EXPECT_STREQ(name, L"TProbeForm");
    EXPECT_TRUE(IsWindowUnicode(window));
    EXPECT_EQ(FindControl(window), Form);
    wchar_t caption[64];
    GetWindowTextW(window, caption, 64);
    EXPECT_STREQ(caption, L"探针窗口");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(ReadEnumProp(Form, L"BorderStyle"), L"bsDialog");
    EXPECT_EQ(ReadIntProp(Form, L"ClientWidth"), 300);
}

TEST_F(FormTest, ReplacedWindowMethodSeesMessagesAndRestoringItGivesTheOldBehaviourBack)
{
    HWND window = Form->Handle();
    {
        TMessageSpy spy(Form);
        spy.Override = true;
        EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 42);
        spy.Override = false;
        EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 4); // passed on to the form
        Form->SetEnabled(false);
        EXPECT_TRUE(spy.Saw(CM_ENABLEDCHANGED));
        Form->SetEnabled(true);
        Form->Perform(CM_VISIBLECHANGED, 1, 0);
        EXPECT_TRUE(spy.Saw(CM_VISIBLECHANGED));
        {
            TMessageSpy inner(Form); // chains in front of the first
            SendMessageW(window, WM_NULL, 0, 0);
            EXPECT_TRUE(inner.Saw(WM_NULL));
        }
        size_t before = spy.Seen.size();
        SendMessageW(window, WM_NULL, 0, 0);
        EXPECT_EQ(spy.Seen.size(), before + 1);
    }
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 4);
}

TEST_F(FormTest, ShowModalReturnsTheResultSetWhileItRuns)
{
    Form->OnShow = [this](TObject*) { PostMessageW(Form->Handle(), WM_TEST_DONE, 0, 0); };
    TMessageSpy spy(Form);
    TWndMethod chained = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_TEST_DONE)
            Form->SetModalResult(mrOk);
        chained(m);
    };
    EXPECT_EQ(Form->ShowModal(), mrOk);
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));
    Form->WindowProc = chained;
}

TEST_F(FormTest, ClosingAModalFormCancelsItUnlessOnCloseRefuses)
{
    int refusals = 1;
    Form->OnClose = [&](TObject*, TCloseAction& action) {
        if (refusals-- > 0)
            action = caNone;
    };
    Form->OnShow = [this](TObject*) {
        PostMessageW(Form->Handle(), WM_CLOSE, 0, 0); // refused
        PostMessageW(Form->Handle(), WM_CLOSE, 0, 0); // accepted
    };
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(refusals, -1);
}

TEST_F(FormTest, ExceptionFromAnEventHandlerReachesTheDefaultHandlerAndTheProgramGoesOn)
{
    std::vector<std::wstring> texts, captions;
    SetMessageBoxHook([&](const std::wstring& text, const std::wstring& caption, unsigned) {
        texts.push_back(text);
        captions.push_back(caption);
        return IDOK;
    });
    Application->SetTitle(L"Kivora");
    int clicks = 0;
    Form->OnClick = [&](TObject*) {
        ++clicks;
        throw EError(L"视频设备未连接好.");
    };
    HWND window = Form->Handle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], L"视频设备未连接好.");
    EXPECT_EQ(captions[0], L"Kivora");
    // The window still works after the failure.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(texts.size(), 2u);
}

TEST_F(FormTest, ReleaseFreesTheFormAfterTheCurrentMessage)
{
    bool destroyed = false;
    Form->OnDestroy = [&](TObject*) { destroyed = true; };
    HWND window = Form->Handle();
    Form->Release();
    Form = nullptr;
    for (int i = 0; i < 100 && !destroyed; ++i)
        Application->ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(window));
}

// Counts the message boxes the framework would show.
class TBoxCounter {
public:
    TBoxCounter()
    {
        SetMessageBoxHook([this](const std::wstring&, const std::wstring&, unsigned) {
            ++Boxes;
            return IDOK;
        });
    }
    ~TBoxCounter() { SetMessageBoxHook(nullptr); }
    int Boxes = 0;
};

TEST_F(FormTest, PaintHandlerThatThrowsShowsNoBoxEndsThePaintAndTheFormGoesOn)
{
    TBoxCounter boxes;
    int paints = 0;
    bool fail = true;
    Form->OnPaint = [&](TObject*) {
        ++paints;
        if (fail)
            throw EError(L"画布坏了");
    };
    Form->Show();
    HWND window = Form->Handle();
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(boxes.Boxes, 0);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)); // EndPaint validated the window
    EXPECT_EQ(Form->Canvas()->Handle(), nullptr);       // the paint DC did not stay lent

    fail = false;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(boxes.Boxes, 0);
}

// A handler failing in a paint or non-client message is answered by the default window
// procedure, without a box; any other message still reaches the default handler's box.
TEST_F(FormTest, FailingPaintAndNonClientHandlersFallBackToTheDefaultAnswerWithoutABox)
{
    HWND window = Form->Handle();
    SetWindowPos(window, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(window, &client);
    POINT inside{client.right / 2, client.bottom / 2};
    ClientToScreen(window, &inside);
    RECT frame;
    GetWindowRect(window, &frame);
    TMemoryDC memory(CreateCompatibleDC(nullptr));
    const WPARAM dc = reinterpret_cast<WPARAM>(memory.get());
    struct TCase {
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
        int Boxes;
    };
    const TCase cases[] = {
        {WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y), 0},
        {WM_NCHITTEST, 0, MAKELPARAM(frame.left + 40, frame.top + 8), 0},
        {WM_NCACTIVATE, TRUE, 0, 0},
        {WM_ERASEBKGND, dc, 0, 0},
        {WM_PRINTCLIENT, dc, PRF_CLIENT, 0},
        {WM_CTLCOLORSTATIC, dc, 0, 0},
        {WM_GETTEXTLENGTH, 0, 0, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Msg);
        TBoxCounter boxes;
        TWndMethod old = Form->WindowProc;
        Form->WindowProc = [&](TMessage& m) {
            if (m.Msg == c.Msg)
                throw EError(L"处理失败");
            old(m);
        };
        LRESULT answer = SendMessageW(window, c.Msg, c.WParam, c.LParam);
        Form->WindowProc = old;
        EXPECT_EQ(boxes.Boxes, c.Boxes);
        if (c.Boxes == 0) {
            EXPECT_EQ(answer, DefWindowProcW(window, c.Msg, c.WParam, c.LParam));
        }
    }
}

// A creation hook that makes a framework window while another one is being created: each
// window must end up with its own object, from its first message on.
TEST_F(FormTest, WindowMadeInsideAnotherWindowsCreationHookGetsItsOwnObject)
{
    enum TInner { inSameFormClass, inOtherFormClass, inButtonOnAnotherForm };
    Form->HandleNeeded();
    for (TInner kind : {inSameFormClass, inOtherFormClass, inButtonOnAnotherForm}) {
        SCOPED_TRACE(kind);
        auto* outer = TCustomForm::Create<TRecordingForm>(nullptr);
        TWinControl* inner = nullptr;
        HWND innerWindow = nullptr;
        {
            TCreationHook hook([&](HWND) {
                if (kind == inSameFormClass)
                    inner = TCustomForm::Create<TRecordingForm>(nullptr);
                else if (kind == inOtherFormClass)
                    inner = TCustomForm::Create<TOtherRecordingForm>(nullptr);
                else
                    inner = new TButton(Form);
                if (kind == inButtonOnAnotherForm)
                    inner->SetParent(Form);
                innerWindow = inner->Handle();
            });
            outer->HandleNeeded();
            EXPECT_TRUE(hook.Ran());
        }
        ASSERT_NE(innerWindow, nullptr);
        EXPECT_NE(innerWindow, outer->Handle());
        EXPECT_EQ(FindControl(outer->Handle()), outer);
        EXPECT_EQ(FindControl(innerWindow), inner);
        for (UINT msg : {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE})
            EXPECT_TRUE(outer->Got(msg)) << msg;
        SendMessageW(outer->Handle(), WM_NULL, 0, 0);
        EXPECT_EQ(outer->Received.back(), static_cast<UINT>(WM_NULL));
        if (auto* form = As<TRecordingForm>(inner)) {
            EXPECT_TRUE(form->Got(WM_NCCREATE));
            EXPECT_TRUE(form->Got(WM_CREATE));
            SendMessageW(innerWindow, WM_NULL, 0, 0);
            EXPECT_EQ(form->Received.back(), static_cast<UINT>(WM_NULL));
        } else {
            int clicks = 0;
            inner->OnClick = [&](TObject*) { ++clicks; };
            SendMessageW(innerWindow, BM_CLICK, 0, 0);
            EXPECT_EQ(clicks, 1);
        }
        inner->Free();
        outer->Free();
    }
}

// Stands in for a skin's frame: answers WM_NCCALCSIZE with borders of its own.
class TFrameHook : public TWindowHook {
public:
    int Side = 4, Caption = 30;
    bool WndProc(TWindowMessage& message) override
    {
        if (message.Msg != WM_NCCALCSIZE)
            return false;
        // The proposed window rect comes first in both forms of the message; it becomes
        // the client rect.
        auto* r = reinterpret_cast<RECT*>(message.LParam);
        r->left += Side;
        r->right -= Side;
        r->top += Caption;
        r->bottom -= Side;
        message.Result = 0;
        return true;
    }
};

TEST_F(FormTest, ClientSizeIsExactWithAFrameThatIsNotTheNativeOne)
{
    TFrameHook frame;
    auto* form = TCustomForm::Create<TForm>(nullptr);
    auto clientSize = [form] {
        RECT r;
        GetClientRect(form->Handle(), &r);
        return std::pair<int, int>(r.right, r.bottom);
    };
    form->SetClientWidth(320); // before the window exists
    form->SetClientHeight(240);
    {
        TCreationHook hook([&](HWND window) { AddWindowHook(window, &frame); });
        form->HandleNeeded();
    }
    EXPECT_EQ(clientSize(), std::make_pair(320, 240));

    form->SetClientWidth(400);
    form->SetClientHeight(300);
    EXPECT_EQ(clientSize(), std::make_pair(400, 300));
    EXPECT_EQ(form->Width(), 400 + 2 * 4);
    EXPECT_EQ(form->Height(), 300 + 30 + 4);

    frame.Side = 10;
    frame.Caption = 50;
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    form->SetClientWidth(200);
    form->SetClientHeight(150);
    EXPECT_EQ(clientSize(), std::make_pair(200, 150));
    EXPECT_EQ(form->ClientWidth(), 200);
    EXPECT_EQ(form->ClientHeight(), 150);
    form->Free();
}

TEST_F(FormTest, BorderWidthIsABandInsideTheFrameAndTheClientKeepsItsSize)
{
    auto* form = TCustomForm::Create<TForm>(nullptr);
    form->SetBorderStyle(bsDialog);
    form->SetClientWidth(399);
    form->SetClientHeight(259);
    form->HandleNeeded();
    const int frameWidth = form->Width() - 399, frameHeight = form->Height() - 259;
    const SIZE nativeBefore = form->NativeFrameSize();

    // Set on a window that exists: the client area stays, the window grows by the band.
    form->SetBorderWidth(6);
    RECT client{}, window{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 399);
    EXPECT_EQ(client.bottom, 259);
    EXPECT_EQ(form->Width(), 399 + frameWidth + 12);
    EXPECT_EQ(form->Height(), 259 + frameHeight + 12);
    const SIZE nativeAfter = form->NativeFrameSize();
    EXPECT_EQ(nativeAfter.cx, nativeBefore.cx + 12);
    EXPECT_EQ(nativeAfter.cy, nativeBefore.cy + 12);
    // The band sits evenly inside the frame: the client starts 6 pixels further in.
    GetWindowRect(form->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_EQ((origin.x - window.left) + (window.right - origin.x - 399), frameWidth + 12);
    EXPECT_GE(origin.x - window.left, 6);

    form->SetBorderWidth(0);
    EXPECT_EQ(form->Width(), 399 + frameWidth);
    form->Free();
}

TEST_F(FormTest, FormsAreFoundByTheirWindowsAndListedInScreenOrderWithoutMakingWindows)
{
    TForm* forms[3];
    for (TForm*& f : forms)
        f = TCustomForm::Create<TForm>(nullptr);
    TForm* windowless = TCustomForm::Create<TForm>(nullptr);
    auto* button = new TButton(forms[0]);
    button->SetParent(forms[0]);
    // Raises the forms in this order: the last raised is on top.
    for (TForm* f : {forms[0], forms[2], forms[1]})
        SetWindowPos(f->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    auto ours = [&](const std::vector<TCustomForm*>& list) {
        std::vector<TCustomForm*> kept;
        for (TCustomForm* f : list)
            if (std::find(std::begin(forms), std::end(forms), f) != std::end(forms) || f == windowless)
                kept.push_back(f);
        return kept;
    };
    EXPECT_EQ(ours(Application->FormsInZOrder()), (std::vector<TCustomForm*>{forms[1], forms[2], forms[0]}));
    EXPECT_EQ(Application->FindFrameworkForm(forms[2]->Handle()), forms[2]);
    EXPECT_EQ(Application->FindFrameworkForm(button->Handle()), nullptr); // a control's window is no form
    EXPECT_EQ(Application->FindFrameworkForm(nullptr), nullptr);

    // Asked from inside a creation hook, while another form's window is being made.
    std::vector<TCustomForm*> fromHook;
    TCustomForm* foundInHook = nullptr;
    auto* late = TCustomForm::Create<TForm>(nullptr);
    {
        TCreationHook hook([&](HWND) {
            fromHook = ours(Application->FormsInZOrder());
            foundInHook = Application->FindFrameworkForm(forms[0]->Handle());
        });
        late->HandleNeeded();
    }
    EXPECT_EQ(fromHook, (std::vector<TCustomForm*>{forms[1], forms[2], forms[0]}));
    EXPECT_EQ(foundInHook, forms[0]);
    EXPECT_FALSE(windowless->HandleAllocated());

    const int count = Application->FormCount();
    HWND gone = forms[2]->Handle();
    forms[2]->Free();
    EXPECT_EQ(Application->FormCount(), count - 1);
    EXPECT_EQ(Application->FindFrameworkForm(gone), nullptr);
    EXPECT_EQ(ours(Application->FormsInZOrder()), (std::vector<TCustomForm*>{forms[1], forms[0]}));
    for (TCustomForm* f : {forms[0], forms[1], windowless, late})
        f->Free();
}

} // namespace
