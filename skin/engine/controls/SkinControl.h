// TSkinControl: the base of the objects that skin one control of a skinned window. The
// object hooks the control's window (framework/WindowHooks.h) — a framework control's or
// a raw one's (a message box's button, a dialog's combo box) alike — lets almost every
// message through to the control, and paints the control's look from the skin. A control
// without a window of its own (a speed button) is served through its WindowProc instead.
//
// Subclasses decide per message in BeforeMessage (false: the skin answered it, the
// control never sees it) and react after the control's own handling in AfterMessage;
// DrawSkin paints the whole window at origin (0, 0).
//
// WM_SKINENABLE (wParam <= 0 off, > 0 on) switches one control back to its native look
// and to the skin again. A painting failure leaves the control's own picture; nothing
// leaves the window procedure.
//
// Ownership: a framework control owns its skinning object (it is one of the control's
// components, freed with it); a raw window's object has no owner and is freed by the
// window's control list (ControlAttachment.h). Either way the list holds it, and the
// destructor takes it out of the list.
#pragma once

#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Messages.h"
#include "framework/WindowHooks.h"

#include <memory>
#include <string>

class TControl;
class TWinControl;
class TSkinData;
class TControlAttachment;

// One message as a skinning object sees it: what the control's own handling gets when
// the object passes it on, and the answer.
struct TSkinMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

enum TMouseStateFlag { msOver = 1, msDown = 2 };

enum TSkinControlState { scCreated = 0, scAttached = 1, scDetached = 2, scWindowDestroyed = 6 };

class TSkinControl : public TComponent, protected TWindowHook {
    KIVORA_CLASS(TSkinControl, TComponent)
public:
    // owner: the framework control served, or null for a raw window.
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    // Attaches to the owning framework control; a second call changes nothing.
    virtual void AttachControl(TControlAttachment& form, TSkinData& skin, bool replaceColor);
    // Attaches to a raw window.
    virtual void AttachWindow(HWND handle, TSkinData& skin, TControlAttachment& form);
    // Gives back what attaching changed (the control's colour; extra hooks).
    virtual void Detach();
    // The skin's pictures changed: re-apply colours, repaint.
    virtual void SkinChanged();
    // Paints the whole window now into dc, or into the window's DC when dc is null; a
    // failure leaves what the window shows.
    virtual void PaintNow(HDC dc);
    // Asks for a repaint of the control.
    void InvalidateControl();

    HWND Handle() const { return FHandle; }
    TWinControl* Control() const { return FControl; }
    TControl* GraphicControl() const { return FGraphicControl; }
    TControlAttachment* Form() const { return FForm; }
    TSkinData* SkinData() const { return FSkinData; }
    TSkinControlState State() const { return FState; }
    bool SkinActive() const { return FSkinActive; }
    bool Attached() const { return FAttached; }
    int MouseState() const { return FMouseState; }
    // Whichever control the object serves, framework or windowless.
    TControl* Served() const;
    // The list lets go of the object (it is being freed by the list).
    void ForgetForm() { FForm = nullptr; }

protected:
    virtual bool BeforeMessage(TSkinMessage& message);
    virtual void AfterMessage(TSkinMessage& message);
    virtual void DrawSkin(HDC dc, const RECT& rect);
    // Hands the message to the control's own handling now.
    void CallDefault(TSkinMessage& message);
    // The shared WM_PAINT: DrawSkin instead of the control's painting (the control's own
    // painting when DrawSkin fails).
    void PaintMessage(TSkinMessage& message);
    // Runs a message through the skin's handling (the object's window procedure).
    void Dispatch(TSkinMessage& message);

    void FillFace(HDC dc, const RECT& rect) const;
    void FillParentColor(HDC dc, const RECT& rect) const;
    TColor FaceColor() const;
    // The window's style, text, enabled and focus state as they are now.
    LONG_PTR WindowStyle() const;
    void ReadWindowState();

    // For a windowless control: its WindowProc is exchanged for the object's.
    void HookGraphic(TControl& control);
    void UnhookGraphic();

    bool WndProc(TWindowMessage& message) override;
    void WindowDestroyed(HWND window) override;

    int FMouseState = 0;
    bool FEnabled = true;
    bool FFocused = false;
    std::wstring FText;
    bool FSkinActive = true;
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    TWinControl* FControl = nullptr;
    TControl* FGraphicControl = nullptr;
    RECT FWindowRect{};
    bool FReplaceColor = false;
    TColor FOldColor = clBtnFace;
    bool FAttached = false;
    TSkinControlState FState = scCreated;
    TControlAttachment* FForm = nullptr;

private:
    void Hook(HWND window);
    void Unhook();
    void RunWindowMessage(TSkinMessage& message);
    bool FHooked = false;
    bool FMouseInside = false;
    // The message being dispatched from the window's hook list, for CallDefault.
    TWindowMessage* FPassing = nullptr;
    TWndMethod FOldWindowProc;
    // Cleared by the destructor: a dispatch that outlives its object (the control freed
    // itself in a click) stops touching it.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
