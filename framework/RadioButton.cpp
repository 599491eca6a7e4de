#include "framework/RadioButton.h"

const TClassInfo& TRadioButton::StaticClass()
{
    static const TClassInfo info(L"TRadioButton", &TWinControl::StaticClass(), {
        StrProp(L"Caption", &TRadioButton::Caption, &TRadioButton::SetCaption),
        BoolProp(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked),
        EnumProp(L"Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment),
    });
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 113, 17);
}

void TRadioButton::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    SetBoxSide(*this, alignment);
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"BUTTON";
    params.Style |= BS_AUTORADIOBUTTON | (FAlignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::UncheckSiblings()
{
    if (!Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = As<TRadioButton>(Parent()->Controls(i)); other && other != this && other->FChecked)
            other->SetChecked(false);
}

void TRadioButton::SetChecked(bool checked)
{
    FChecked = checked;
    // Only the checked button of a group is a tab stop (the arrow keys move within it).
    SetTabStop(checked);
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (checked)
        UncheckSiblings();
}

void TRadioButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
        message.Result = ParentColorBackground(*this, reinterpret_cast<HDC>(message.WParam), FBackground);
        return;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) {
            const bool now = SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
            if (now && !FChecked)
                SetChecked(true);
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
