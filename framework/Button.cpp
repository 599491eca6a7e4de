#include "framework/Button.h"
#include "framework/Form.h"

#include <cwctype>

const TClassInfo& TButton::StaticClass()
{
    static const TClassInfo info(L"TButton", &TWinControl::StaticClass(), {
        StrProp(L"Caption", &TButton::Caption, &TButton::SetCaption),
        BoolProp(L"Default", &TButton::Default, &TButton::SetDefault),
        BoolProp(L"Cancel", &TButton::Cancel, &TButton::SetCancel),
        IntProp(L"ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
    });
    return info;
}

wchar_t AcceleratorOf(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"BUTTON";
    params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v)
{
    FDefault = v;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm(this))
            form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED)
            Click();
        message.Result = 0;
        return;
    case CM_DIALOGCHAR: {
        wchar_t key = AcceleratorOf(Caption());
        if (key && std::towupper(key) == std::towupper(static_cast<wint_t>(message.WParam)) && Enabled() && Visible()) {
            Click();
            message.Result = 1;
            return;
        }
        message.Result = 0;
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(message);
}
