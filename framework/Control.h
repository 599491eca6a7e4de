// TControl: anything shown on a form — bounds relative to its parent, Visible, Enabled,
// Caption, Hint/ShowHint, Color, Font, PopupMenu, Align, mouse and click events — and its
// replaceable window method. Every message for the control goes through WindowProc, which
// starts as the control's own WndProc; the control's user may put its own method there,
// keep the previous one and pass on what it does not handle. That chain only holds while
// methods are put back in the reverse order: objects that hook a window independently of
// each other (the skin engine's frame, menu and control skins) use the window's hook list
// instead (framework/WindowHooks.h), whose hooks see its messages before WindowProc.
// Perform sends a message through WindowProc. A TControl without a window of its own
// (TGraphicControl) is painted and given mouse messages by its parent.
#pragma once
#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Event.h"
#include "framework/Font.h"
#include "framework/Messages.h"

#include <memory>
#include <string>

class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
KIVORA_ENUM_NAMES(TAlign, L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient")

enum TMouseButton { mbLeft, mbRight, mbMiddle };
KIVORA_ENUM_NAMES(TMouseButton, L"mbLeft", L"mbRight", L"mbMiddle")
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
KIVORA_ENUM_NAMES(TShiftStateFlag, L"ssShift", L"ssAlt", L"ssCtrl", L"ssLeft", L"ssRight", L"ssMiddle", L"ssDouble")
using TShiftState = TSet<TShiftStateFlag>;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

class TControl : public TComponent {
    KIVORA_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The replaceable window method; Perform sends through it.
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The control's own message handling (what WindowProc holds at first).
    virtual void WndProc(TMessage& message);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    virtual void SetClientWidth(int v) { SetWidth(v); }
    virtual void SetClientHeight(int v) { SetHeight(v); }
    RECT ClientRect() const { return RECT{0, 0, ClientWidth(), ClientHeight()}; }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);

    // The control's text: Caption for buttons, labels, panels and forms, Text for edits.
    virtual std::wstring Caption() const { return FCaption; }
    virtual void SetCaption(const std::wstring& caption);
    std::wstring Text() const { return Caption(); }
    void SetText(const std::wstring& text) { SetCaption(text); }

    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& hint) { FHint = hint; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show) { FShowHint = show; FParentShowHint = false; }
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v) { FParentShowHint = v; }
    // ShowHint, or the parent's when ParentShowHint is set.
    bool EffectiveShowHint() const;

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* font) { if (font) FFont->Assign(*font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    virtual void Invalidate();
    virtual void Update() {}
    void Repaint() { Invalidate(); Update(); }
    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Messages every control handles the same way (mouse, clicks, CM_ notices); the rest
    // go to DefaultHandler.
    virtual void DefaultHandler(TMessage& message);
    // Whether a left click on the control's own area fires Click (not for controls whose
    // native window reports clicks itself).
    virtual bool ClicksOnMouseUp() const { return true; }
    virtual void FontChanged();
    virtual void BoundsChanged() {}
    void SetBoundsFields(int left, int top, int width, int height);
    void RequestAlign();
    bool FMouseInControl = false;

private:
    void MouseMessage(TMessage& message);
    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    std::wstring FCaption;
    std::wstring FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TColor FColor = clBtnFace;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FFollowingParentFont = false;
    TPopupMenu* FPopupMenu = nullptr;
    bool FClicked = false;
    friend class TWinControl;
};

// Shift state from the key flags of a mouse message.
TShiftState MouseShiftState(WPARAM keys);
