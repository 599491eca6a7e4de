#include "framework/TabControl.h"

#include <commctrl.h>

#include <algorithm>

const TClassInfo& TCustomTabControl::StaticClass()
{
    static const TClassInfo info(L"TCustomTabControl", &TWinControl::StaticClass(), {
        IntProp(L"TabIndex", &TCustomTabControl::TabIndex, &TCustomTabControl::SetTabIndex),
        EventProp(L"OnChange", &TCustomTabControl::OnChange),
    });
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 289, 193);
    SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN | TCS_FOCUSONBUTTONDOWN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

int TCustomTabControl::TabCount() const
{
    return HandleAllocated()
               ? static_cast<int>(SendMessageW(const_cast<TCustomTabControl*>(this)->Handle(), TCM_GETITEMCOUNT, 0, 0))
               : 0;
}

void TCustomTabControl::SendTabText(UINT message, int index, const std::wstring& text)
{
    if (!HandleAllocated())
        return;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(Handle(), message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TCustomTabControl::InsertTab(int index, const std::wstring& text)
{
    SendTabText(TCM_INSERTITEMW, index, text);
}

void TCustomTabControl::SetTabText(int index, const std::wstring& text)
{
    SendTabText(TCM_SETITEMW, index, text);
}

void TCustomTabControl::DeleteTab(int index)
{
    if (HandleAllocated())
        SendMessageW(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::ClearTabs()
{
    if (HandleAllocated())
        SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
}

int TCustomTabControl::TabIndex() const
{
    if (!HandleAllocated())
        return FTabIndex;
    return static_cast<int>(SendMessageW(const_cast<TCustomTabControl*>(this)->Handle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(int index)
{
    FTabIndex = index;
    // TCM_SETCURSEL sends no TCN_SELCHANGE: a choice made in code is silent.
    if (HandleAllocated())
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

RECT TCustomTabControl::DisplayRect() const
{
    RECT r = ClientRect();
    if (HandleAllocated())
        SendMessageW(const_cast<TCustomTabControl*>(this)->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomTabControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(message.LParam)->code == TCN_SELCHANGE) {
            FTabIndex = TabIndex();
            Changed();
        }
        message.Result = 0;
        return;
    case CM_CYCLEPAGE: {
        const int count = TabCount();
        if (count == 0) {
            message.Result = 0;
            return;
        }
        const int step = message.WParam ? 1 : count - 1;
        SetTabIndex((std::max(TabIndex(), 0) + step) % count);
        Changed();
        message.Result = 1;
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// The tab names, mirrored into the window while it exists.
class TTabControl::TTabStrings : public TStrings {
public:
    explicit TTabStrings(TTabControl& control) : FControl(control) {}

protected:
    void Inserted(int index) override { FControl.InsertTab(index, Strings(index)); }
    void Deleted(int index) override { FControl.DeleteTab(index); }
    void Cleared() override { FControl.ClearTabs(); }

private:
    TTabControl& FControl;
};

const TClassInfo& TTabControl::StaticClass()
{
    static const TClassInfo info(L"TTabControl", &TCustomTabControl::StaticClass(), {
        ObjProp(L"Tabs", &TTabControl::Tabs, &TTabControl::SetTabs),
    });
    return info;
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner), FTabs(std::make_unique<TTabStrings>(*this))
{
}

TTabControl::~TTabControl() = default;

void TTabControl::CreateWnd()
{
    TCustomTabControl::CreateWnd();
    for (int i = 0; i < FTabs->Count(); ++i)
        InsertTab(i, FTabs->Strings(i));
    SetTabIndex(FTabIndex >= 0 || FTabs->Count() == 0 ? FTabIndex : 0);
}
