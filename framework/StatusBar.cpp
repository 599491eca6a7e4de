#include "framework/StatusBar.h"

#include <commctrl.h>

#include <algorithm>

const TClassInfo& TCustomStatusBar::StaticClass()
{
    static const TClassInfo info(L"TCustomStatusBar", &TWinControl::StaticClass(), {
        BoolProp(L"SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel),
        StrProp(L"SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText),
        BoolProp(L"SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip),
        EventProp(L"OnDrawPanel", &TCustomStatusBar::OnDrawPanel),
    });
    return info;
}

const TClassInfo& TStatusBar::StaticClass()
{
    static const TClassInfo info(L"TStatusBar", &TCustomStatusBar::StaticClass());
    return info;
}

void TStatusPanel::SetWidth(int width)
{
    FWidth = width;
    FBar->UpdatePanels();
}

void TStatusPanel::SetText(const std::wstring& text)
{
    FText = text;
    FBar->UpdatePanels();
}

void TStatusPanel::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    FBar->UpdatePanels();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel)
{
    FBevel = bevel;
    FBar->UpdatePanels();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style)
{
    FStyle = style;
    FBar->UpdatePanels();
}

void TStatusPanel::SetBiDiMode(TBiDiMode mode)
{
    FBiDiMode = mode;
    FBar->UpdatePanels();
}

int TStatusPanel::Index() const
{
    auto& items = FBar->Panels().FItems;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

TStatusPanel* TStatusPanels::Add()
{
    FItems.push_back(std::unique_ptr<TStatusPanel>(new TStatusPanel(FBar)));
    FBar->UpdatePanels();
    return FItems.back().get();
}

void TStatusPanels::Clear()
{
    FItems.clear();
    FBar->UpdatePanels();
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 200, 19);
    SetAlign(alBottom);
}

void TCustomStatusBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = STATUSCLASSNAMEW;
    params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | (FSizeGrip ? SBARS_SIZEGRIP : 0);
}

void TCustomStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdatePanels();
}

void TCustomStatusBar::SetSimplePanel(bool v)
{
    FSimplePanel = v;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::wstring& text)
{
    FSimpleText = text;
    UpdatePanels();
}

void TCustomStatusBar::SetSizeGrip(bool v)
{
    FSizeGrip = v;
    if (HandleAllocated()) {
        LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
        SetWindowLongPtrW(Handle(), GWL_STYLE, v ? style | SBARS_SIZEGRIP : style & ~static_cast<LONG_PTR>(SBARS_SIZEGRIP));
        Invalidate();
    }
}

void TCustomStatusBar::UpdatePanels()
{
    if (!HandleAllocated())
        return;
    HWND bar = Handle();
    SendMessageW(bar, SB_SIMPLE, FSimplePanel, 0);
    if (FSimplePanel) {
        SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
        return;
    }
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < FPanels.Count(); ++i) {
        right += FPanels[i]->Width();
        edges.push_back(i == FPanels.Count() - 1 ? -1 : right);
    }
    if (edges.empty())
        edges.push_back(-1);
    SendMessageW(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < FPanels.Count(); ++i) {
        const TStatusPanel& panel = *FPanels[i];
        // The status bar centres text after one tab and right-aligns it after two.
        static const wchar_t* const prefix[] = {L"", L"\t\t", L"\t"};
        TAlignment alignment = panel.Alignment();
        if (panel.BiDiMode() == bdRightToLeft && alignment != taCenter)
            alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        const std::wstring text = prefix[alignment] + panel.Text();
        WPARAM flags = static_cast<WPARAM>(i);
        if (panel.Bevel() == pbNone)
            flags |= SBT_NOBORDERS;
        else if (panel.Bevel() == pbRaised)
            flags |= SBT_POPOUT;
        if (panel.BiDiMode() == bdRightToLeft)
            flags |= SBT_RTLREADING;
        if (panel.Style() == psOwnerDraw) {
            SendMessageW(bar, SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(i));
            continue;
        }
        SendMessageW(bar, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TCustomStatusBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_DRAWITEM) {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        const int index = static_cast<int>(draw.itemID);
        if (index >= 0 && index < FPanels.Count()) {
            TCanvasDCScope lend(FCanvas, draw.hDC);
            FCanvas.Font().Assign(*Font());
            OnDrawPanel(this, FPanels[index], draw.rcItem);
        }
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
}
