#include "framework/Control.h"
#include "framework/Menus.h"
#include "framework/WinControl.h"

#include <windowsx.h>

const TClassInfo& TControl::StaticClass()
{
    static const TClassInfo info(L"TControl", &TComponent::StaticClass(), {
        IntProp(L"Left", &TControl::Left, &TControl::SetLeft),
        IntProp(L"Top", &TControl::Top, &TControl::SetTop),
        IntProp(L"Width", &TControl::Width, &TControl::SetWidth),
        IntProp(L"Height", &TControl::Height, &TControl::SetHeight),
        EnumProp(L"Align", &TControl::Align, &TControl::SetAlign),
        BoolProp(L"Visible", &TControl::Visible, &TControl::SetVisible),
        BoolProp(L"Enabled", &TControl::Enabled, &TControl::SetEnabled),
        StrProp(L"Hint", &TControl::Hint, &TControl::SetHint),
        BoolProp(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
        BoolProp(L"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint),
        IntProp(L"Color", &TControl::Color, &TControl::SetColor),
        ObjProp(L"Font", &TControl::Font, &TControl::SetFont),
        BoolProp(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
        ObjProp(L"PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
        EventProp(L"OnClick", &TControl::OnClick),
        EventProp(L"OnDblClick", &TControl::OnDblClick),
        EventProp(L"OnMouseDown", &TControl::OnMouseDown),
        EventProp(L"OnMouseUp", &TControl::OnMouseUp),
        EventProp(L"OnMouseMove", &TControl::OnMouseMove),
    });
    return info;
}

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>())
{
    WindowProc = TWndMethod(this, &TControl::WndProc);
    FFont->OnChange = [this](TObject*) {
        if (!FFollowingParentFont)
            FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    if (FParent)
        FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(message);
    else
        WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message)
{
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST)
        MouseMessage(message);
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::MouseMessage(TMessage& message)
{
    int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = MouseShiftState(message.WParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        FClicked = true;
        OnMouseDown(this, mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        OnMouseDown(this, mbRight, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        OnMouseUp(this, mbLeft, shift, x, y);
        bool inside = x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight();
        if (FClicked && inside && ClicksOnMouseUp()) {
            FClicked = false;
            Click();
        }
        FClicked = false;
        break;
    }
    case WM_RBUTTONUP:
        OnMouseUp(this, mbRight, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        OnMouseDown(this, mbLeft, shift + TShiftState{ssDouble}, x, y);
        DblClick();
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(this, shift, x, y);
        break;
    default:
        break;
    }
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (FParent)
        FParent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBoundsFields(int left, int top, int width, int height)
{
    FLeft = left;
    FTop = top;
    FWidth = width < 0 ? 0 : width;
    FHeight = height < 0 ? 0 : height;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    Invalidate();
    SetBoundsFields(left, top, width, height);
    Invalidate();
    BoundsChanged();
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (FParent && FAlign != alNone)
        FParent->AlignControls();
}

void TControl::SetAlign(TAlign align)
{
    if (align != FAlign) {
        FAlign = align;
        RequestAlign();
    }
}

void TControl::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    if (FParent) {
        FParent->Invalidate();
        FParent->AlignControls();
    }
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
    Invalidate();
}

void TControl::SetCaption(const std::wstring& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    Perform(CM_TEXTCHANGED, 0, 0);
    Invalidate();
}

bool TControl::EffectiveShowHint() const
{
    if (FShowHint)
        return true;
    return FParentShowHint && FParent && FParent->EffectiveShowHint();
}

void TControl::SetColor(TColor color)
{
    if (color != FColor) {
        FColor = color;
        Invalidate();
    }
}

void TControl::SetParentFont(bool v)
{
    FParentFont = v;
    if (v && FParent) {
        FFollowingParentFont = true;
        FFont->Assign(*FParent->Font());
        FFollowingParentFont = false;
    }
}

void TControl::FontChanged()
{
    Invalidate();
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FPopupMenu)
        FPopupMenu = nullptr;
    TComponent::Notification(component, operation);
}

void TControl::Invalidate()
{
    if (FParent && FParent->HandleAllocated() && FVisible) {
        RECT r = BoundsRect();
        InvalidateRect(FParent->Handle(), &r, TRUE);
    }
}

void TControl::Click()
{
    OnClick(this);
}

void TControl::DblClick()
{
    OnDblClick(this);
}
