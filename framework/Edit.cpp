#include "framework/Edit.h"

const TClassInfo& TCustomEdit::StaticClass()
{
    static const TClassInfo info(L"TCustomEdit", &TWinControl::StaticClass(), {
        StrProp(L"Text", &TCustomEdit::Caption, &TCustomEdit::SetCaption),
        BoolProp(L"ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
        IntProp(L"MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
        EventProp(L"OnChange", &TCustomEdit::OnChange),
    });
    return info;
}

const TClassInfo& TEdit::StaticClass()
{
    static const TClassInfo info(L"TEdit", &TCustomEdit::StaticClass());
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"EDIT";
    params.Style |= ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool v)
{
    FReadOnly = v;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetMaxLength(int v)
{
    FMaxLength = v;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TCustomEdit::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == EN_CHANGE)
            OnChange(this);
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
