#include "framework/ComboBox.h"

const TClassInfo& TCustomComboBox::StaticClass()
{
    static const TClassInfo info(L"TCustomComboBox", &TWinControl::StaticClass(), {
        ObjProp(L"Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems),
        IntProp(L"ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
        StrProp(L"Text", &TCustomComboBox::Caption, &TCustomComboBox::SetCaption),
        EnumProp(L"Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle),
        IntProp(L"DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount),
        EventProp(L"OnChange", &TCustomComboBox::OnChange),
    });
    return info;
}

const TClassInfo& TComboBox::StaticClass()
{
    static const TClassInfo info(L"TComboBox", &TCustomComboBox::StaticClass());
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      FItems(std::make_unique<TWindowStrings>(*this, TListMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT},
                                              [this] {
                                                  if (FItemIndex >= FItems->Count())
                                                      FItemIndex = -1;
                                              }))
{
    SetBoundsFields(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

int TCustomComboBox::ListHeight() const
{
    // A simple combo box's list is always shown inside its bounds.
    return FStyle == csSimple ? 0 : FDropDownCount * 16 + 4;
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
                    (FStyle == csDropDownList ? CBS_DROPDOWNLIST : FStyle == csSimple ? CBS_SIMPLE : CBS_DROPDOWN);
    // A simple box's list fills its bounds, leaving no unpainted band under whole rows.
    if (FStyle == csSimple)
        params.Style |= CBS_NOINTEGRALHEIGHT;
    // The window's height includes the dropped-down list.
    params.Height = Height() + ListHeight();
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FItems->FillWindow();
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
    UpdateBoundsFromWindow();
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height)
{
    SetBoundsFields(left, top, width, height);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, left, top, width, height + ListHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    RequestAlign();
}

int TCustomComboBox::ItemIndex() const
{
    if (!HandleAllocated())
        return FItemIndex;
    return static_cast<int>(SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= FItems->Count())
        index = -1;
    FItemIndex = index;
    // CB_SETCURSEL does not notify the parent: no OnChange for a selection made in code.
    if (HandleAllocated())
        SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring TCustomComboBox::Caption() const
{
    if (FStyle == csDropDownList && !HandleAllocated())
        return FItemIndex >= 0 ? FItems->Strings(FItemIndex) : std::wstring();
    return TWinControl::Caption();
}

void TCustomComboBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        WORD code = HIWORD(message.WParam);
        if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
            FItemIndex = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
            OnChange(this);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
