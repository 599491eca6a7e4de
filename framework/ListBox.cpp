#include "framework/ListBox.h"

const TClassInfo& TCustomListBox::StaticClass()
{
    static const TClassInfo info(L"TCustomListBox", &TWinControl::StaticClass(), {
        ObjProp(L"Items", &TCustomListBox::Items, &TCustomListBox::SetItems),
        IntProp(L"ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
        IntProp(L"TopIndex", &TCustomListBox::TopIndex, &TCustomListBox::SetTopIndex),
    });
    return info;
}

const TClassInfo& TListBox::StaticClass()
{
    static const TClassInfo info(L"TListBox", &TCustomListBox::StaticClass());
    return info;
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      FItems(std::make_unique<TWindowStrings>(*this, TListMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT},
                                              [this] {
                                                  if (FItemIndex >= FItems->Count())
                                                      FItemIndex = -1;
                                              }))
{
    SetBoundsFields(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = L"LISTBOX";
    params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FItems->FillWindow();
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
    SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

int TCustomListBox::ItemIndex() const
{
    if (!HandleAllocated())
        return FItemIndex;
    return static_cast<int>(SendMessageW(const_cast<TCustomListBox*>(this)->Handle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= FItems->Count())
        index = -1;
    FItemIndex = index;
    // LB_SETCURSEL does not notify the parent: no OnClick for a selection made in code.
    if (HandleAllocated())
        SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TCustomListBox::TopIndex() const
{
    if (!HandleAllocated())
        return FTopIndex;
    return static_cast<int>(SendMessageW(const_cast<TCustomListBox*>(this)->Handle(), LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int index)
{
    FTopIndex = std::max(index, 0);
    if (HandleAllocated())
        SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TCustomListBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == LBN_SELCHANGE) {
            FItemIndex = ItemIndex();
            OnClick(this);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
