#include "framework/CheckBox.h"

#include "framework/Button.h"

#include <cwctype>

const TClassInfo& TCheckBox::StaticClass()
{
    static const TClassInfo info(L"TCheckBox", &TWinControl::StaticClass(), {
        StrProp(L"Caption", &TCheckBox::Caption, &TCheckBox::SetCaption),
        EnumProp(L"State", &TCheckBox::State, &TCheckBox::SetState),
        BoolProp(L"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
        BoolProp(L"AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed),
        EnumProp(L"Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment),
    });
    return info;
}

LRESULT ParentColorBackground(const TControl& control, HDC dc, TBrush& brush)
{
    const TColor color = control.Parent() ? control.Parent()->Color() : control.Color();
    if (brush.Color() != color)
        brush.SetColor(color);
    SetBkColor(dc, ColorToRGB(color));
    SetTextColor(dc, ColorToRGB(control.Font()->Color()));
    return reinterpret_cast<LRESULT>(brush.Handle());
}

LRESULT ClickByAccelerator(TWinControl& control, WPARAM key)
{
    const wchar_t accelerator = AcceleratorOf(control.Caption());
    if (!accelerator || std::towupper(accelerator) != std::towupper(static_cast<wint_t>(key)) || !control.Enabled() ||
        !control.Visible())
        return 0;
    control.SetFocus();
    SendMessageW(control.Handle(), BM_CLICK, 0, 0);
    return 1;
}

void SetBoxSide(TWinControl& control, TAlignment alignment)
{
    if (!control.HandleAllocated())
        return;
    const LONG_PTR style = GetWindowLongPtrW(control.Handle(), GWL_STYLE);
    SetWindowLongPtrW(control.Handle(), GWL_STYLE,
                      alignment == taLeftJustify ? style | BS_LEFTTEXT : style & ~static_cast<LONG_PTR>(BS_LEFTTEXT));
    control.Invalidate();
}

void TCheckBox::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    SetBoxSide(*this, alignment);
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"BUTTON";
    params.Style |= (FAllowGrayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX) | (FAlignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCheckBox::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState state)
{
    FState = state;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void TCheckBox::SetAllowGrayed(bool allow)
{
    FAllowGrayed = allow;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, allow ? BS_AUTO3STATE : BS_AUTOCHECKBOX, TRUE);
}

void TCheckBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
        message.Result = ParentColorBackground(*this, reinterpret_cast<HDC>(message.WParam), FBackground);
        return;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) {
            // The system button has already moved its own state on.
            FState = static_cast<TCheckBoxState>(SendMessageW(Handle(), BM_GETCHECK, 0, 0));
            Click();
        }
        message.Result = 0;
        return;
    case CM_DIALOGCHAR:
        message.Result = ClickByAccelerator(*this, message.WParam);
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
