#include "framework/ComboBox.h"

// The items, mirrored into the window while it exists.
class TCustomComboBox::TComboStrings : public TStrings {
public:
    explicit TComboStrings(TCustomComboBox* box) : FBox(box) {}

protected:
    void Inserted(int index) override
    {
        if (FBox->HandleAllocated())
            SendMessageW(FBox->Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(Strings(index).c_str()));
    }
    void Deleted(int index) override
    {
        if (FBox->HandleAllocated())
            SendMessageW(FBox->Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        if (FBox->FItemIndex >= Count())
            FBox->FItemIndex = -1;
    }
    void Cleared() override
    {
        if (FBox->HandleAllocated())
            SendMessageW(FBox->Handle(), CB_RESETCONTENT, 0, 0);
        FBox->FItemIndex = -1;
    }

private:
    TCustomComboBox* FBox;
};

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

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner), FItems(std::make_unique<TComboStrings>(this))
{
    SetBoundsFields(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

int TCustomComboBox::ListHeight() const
{
    return FDropDownCount * 16 + 4;
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
                    (FStyle == csDropDownList ? CBS_DROPDOWNLIST : FStyle == csSimple ? CBS_SIMPLE : CBS_DROPDOWN);
    // The window's height includes the dropped-down list.
    params.Height = Height() + ListHeight();
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    for (int i = 0; i < FItems->Count(); ++i)
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems->Strings(i).c_str()));
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
