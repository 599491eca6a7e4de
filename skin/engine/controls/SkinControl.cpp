#include "skin/engine/controls/SkinControl.h"

#include "skin/SkinData.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WindowText.h"
#include "skin/engine/controls/ControlAttachment.h"
#include "framework/DeviceContext.h"
#include "framework/WinControl.h"

const TClassInfo& TSkinControl::StaticClass()
{
    static const TClassInfo info(L"TSkinControl", &TComponent::StaticClass());
    return info;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl()
{
    *FAlive = false;
    UnhookGraphic();
    Unhook();
    if (FForm)
        FForm->Unregister(this);
}

TControl* TSkinControl::Served() const
{
    return FControl ? static_cast<TControl*>(FControl) : FGraphicControl;
}

void TSkinControl::Hook(HWND window)
{
    if (!window || FHooked)
        return;
    AddWindowHook(window, this);
    FHooked = HasWindowHook(window, this);
}

void TSkinControl::Unhook()
{
    if (FHooked && FHandle)
        RemoveWindowHook(FHandle, this);
    FHooked = false;
}

void TSkinControl::HookGraphic(TControl& control)
{
    FOldWindowProc = control.WindowProc;
    control.WindowProc = [this](TMessage& m) {
        TSkinMessage message{m.Msg, m.WParam, m.LParam, 0};
        const std::shared_ptr<bool> alive = FAlive;
        try {
            Dispatch(message);
        } catch (...) {
            // The control keeps its own picture; nothing leaves the window method.
        }
        if (*alive)
            m.Result = message.Result;
    };
}

void TSkinControl::UnhookGraphic()
{
    if (FGraphicControl && FOldWindowProc) {
        FGraphicControl->WindowProc = FOldWindowProc;
        FOldWindowProc = nullptr;
    }
}

void TSkinControl::AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor)
{
    if (FAttached)
        return;
    FReplaceColor = replaceColor;
    FSkinData = &skin;
    FForm = &form;
    FControl = As<TWinControl>(Owner());
    if (!FControl)
        return;
    FHandle = FControl->Handle();
    Hook(FHandle);
    FControl->SetDoubleBuffered(true);
    form.Register(this);
    ReadWindowState();
    FText = ReadWindowText(FHandle);
    if (FReplaceColor) {
        FOldColor = FControl->Color();
        FControl->SetColor(FaceColor());
    }
    FControl->Invalidate();
    FAttached = true;
    FState = scAttached;
}

void TSkinControl::AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form)
{
    FSkinData = &skin;
    FForm = &form;
    FHandle = handle;
    FEnabled = true;
    form.Register(this);
    FText = ReadWindowText(handle);
    Hook(handle);
    if (handle)
        InvalidateRect(handle, nullptr, TRUE);
    FAttached = true;
    FState = scAttached;
}

void TSkinControl::Detach()
{
    if (FReplaceColor && FControl)
        FControl->SetColor(FOldColor);
}

void TSkinControl::SkinChanged()
{
    if (FReplaceColor && FControl)
        FControl->SetColor(FaceColor());
    InvalidateControl();
}

void TSkinControl::InvalidateControl()
{
    if (FGraphicControl && !FControl) {
        FGraphicControl->Invalidate();
        return;
    }
    // At once, for both kinds: the system controls paint some state changes straight onto
    // the screen (a button's pushed look, a check mark), and the skin's look must follow
    // without waiting for the next idle paint.
    if (FHandle && IsWindow(FHandle))
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LONG_PTR TSkinControl::WindowStyle() const
{
    return FHandle ? GetWindowLongPtrW(FHandle, GWL_STYLE) : 0;
}

void TSkinControl::ReadWindowState()
{
    FFocused = FHandle && GetFocus() == FHandle;
    FEnabled = !(WindowStyle() & WS_DISABLED);
}

TColor TSkinControl::FaceColor() const
{
    return FSkinData ? static_cast<TColor>(FSkinData->Elements().ColorButtonFace) : clBtnFace;
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const
{
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(FaceColor())));
    FillRect(dc, &rect, brush.get());
}

void TSkinControl::FillParentColor(HDC dc, const RECT& rect) const
{
    const TControl* served = Served();
    const TColor color = served && served->Parent() ? served->Parent()->Color() : FaceColor();
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    FillRect(dc, &rect, brush.get());
}

void TSkinControl::CallDefault(TSkinMessage& message)
{
    if (FPassing) {
        FPassing->WParam = message.WParam;
        FPassing->LParam = message.LParam;
        message.Result = FPassing->CallNext();
        return;
    }
    if (FOldWindowProc) {
        TMessage m{message.Msg, message.WParam, message.LParam, 0};
        FOldWindowProc(m);
        message.Result = m.Result;
    }
}

void TSkinControl::Dispatch(TSkinMessage& message)
{
    if (!FSkinActive) {
        if (message.Msg == WM_SKINENABLE) {
            FSkinActive = static_cast<INT_PTR>(message.WParam) > 0;
            if (FSkinActive)
                InvalidateControl();
            message.Result = 0;
            return;
        }
        CallDefault(message);
        return;
    }
    const std::shared_ptr<bool> alive = FAlive;
    if (BeforeMessage(message)) {
        CallDefault(message);
        if (*alive)
            AfterMessage(message);
    }
}

bool TSkinControl::BeforeMessage(TSkinMessage& message)
{
    if (message.Msg != WM_NCDESTROY)
        return true;
    CallDefault(message);
    FState = scWindowDestroyed;
    Detach();
    return false;
}

void TSkinControl::AfterMessage(TSkinMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        InvalidateControl();
        break;
    case WM_SETTEXT:
        // Always wide: framework windows and the raw windows we hook are Unicode.
        FText = message.LParam ? reinterpret_cast<const wchar_t*>(message.LParam) : L"";
        InvalidateControl();
        break;
    case WM_PAINT:
        PaintNow(reinterpret_cast<HDC>(message.WParam));
        break;
    case WM_SKINENABLE:
        FSkinActive = static_cast<INT_PTR>(message.WParam) > 0;
        // Off: the control paints its own look again.
        if (!FSkinActive)
            InvalidateControl();
        break;
    default:
        break;
    }
}

void TSkinControl::PaintNow(HDC dc)
{
    RECT r{};
    if (!FHandle || !GetWindowRect(FHandle, &r))
        return;
    FWindowRect = r;
    OffsetRect(&r, -r.left, -r.top);
    try {
        if (dc) {
            DrawSkin(dc, r);
        } else {
            TWindowDC window(FHandle);
            if (window.Handle())
                DrawSkin(window.Handle(), r);
        }
    } catch (...) {
        // The window keeps what it showed.
    }
}

void TSkinControl::PaintMessage(TSkinMessage& message)
{
    RECT r{};
    const auto draw = [&](HDC dc) {
        if (!GetWindowRect(FHandle, &r))
            return;
        FWindowRect = r;
        OffsetRect(&r, -r.left, -r.top);
        try {
            DrawSkin(dc, r);
        } catch (...) {
            // The control paints its own look into the same device context instead.
            SendMessageW(FHandle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        }
    };
    if (message.WParam) {
        draw(reinterpret_cast<HDC>(message.WParam));
    } else {
        TPaintDC paint(FHandle);
        draw(paint.Handle());
    }
    message.Result = 0;
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::RunWindowMessage(TSkinMessage& message)
{
    // The system tells a window that the mouse came and went only when asked; the skin
    // asks for every control it serves (framework controls ask too; asking twice is
    // harmless) and hands the subclasses enter and leave notices.
    const std::shared_ptr<bool> alive = FAlive;
    const bool entering = message.Msg == WM_MOUSEMOVE && !FMouseInside;
    if (entering) {
        FMouseInside = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
    }
    if (message.Msg == WM_MOUSELEAVE || message.Msg == CM_MOUSELEAVE)
        FMouseInside = false;
    Dispatch(message);
    if (!*alive || !FSkinActive)
        return;
    if (entering) {
        TSkinMessage enter{CM_MOUSEENTER, 0, 0, 0};
        AfterMessage(enter);
    } else if (message.Msg == WM_MOUSELEAVE) {
        TSkinMessage leave{CM_MOUSELEAVE, 0, 0, 0};
        AfterMessage(leave);
    }
}

bool TSkinControl::WndProc(TWindowMessage& wm)
{
    TSkinMessage message{wm.Msg, wm.WParam, wm.LParam, 0};
    TWindowMessage* outer = FPassing;
    FPassing = &wm;
    const std::shared_ptr<bool> alive = FAlive;
    try {
        RunWindowMessage(message);
    } catch (...) {
        // A failure in the skin's handling: the control's own handling answers (the
        // hook list ignores a second CallNext once the message was passed on).
        if (*alive)
            message.Result = wm.CallNext();
    }
    if (*alive)
        FPassing = outer;
    wm.Result = message.Result;
    return true;
}

void TSkinControl::WindowDestroyed(HWND)
{
    FHooked = false;
    FState = scWindowDestroyed;
}
