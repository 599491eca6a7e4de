#include "framework/ToolBar.h"
#include "framework/Menus.h"

#include <algorithm>

const TClassInfo& TToolButton::StaticClass()
{
    static const TClassInfo info(L"TToolButton", &TControl::StaticClass(), {
        IntProp(L"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex),
        EnumProp(L"Style", &TToolButton::Style, &TToolButton::SetStyle),
        BoolProp(L"Down", &TToolButton::Down, &TToolButton::SetDown),
        ObjProp(L"Action", &TToolButton::Action, &TToolButton::SetAction),
        ObjProp(L"MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem),
    });
    return info;
}

const TClassInfo& TToolBar::StaticClass()
{
    static const TClassInfo info(L"TToolBar", &TWinControl::StaticClass(), {
        ObjProp(L"Images", &TToolBar::Images, &TToolBar::SetImages),
        ObjProp(L"DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages),
        IntProp(L"ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth),
        IntProp(L"ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight),
        BoolProp(L"Flat", &TToolBar::Flat, &TToolBar::SetFlat),
        EventProp(L"OnCustomDrawButton", &TToolBar::OnCustomDrawButton),
    });
    return info;
}

// ---- TToolButton ------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* owner) : TControl(owner)
{
    SetBoundsFields(0, 0, 23, 22);
}

TToolButton::~TToolButton()
{
    if (FAction)
        FAction->UnregisterClient(this);
}

TToolBar* TToolButton::ToolBar() const
{
    return As<TToolBar>(Parent());
}

int TToolButton::Index() const
{
    TToolBar* bar = ToolBar();
    if (!bar)
        return -1;
    auto& list = bar->FButtons;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TToolButton::ButtonChanged()
{
    if (TToolBar* bar = ToolBar())
        bar->UpdateButton(this);
}

void TToolButton::SetImageIndex(int index)
{
    if (index != FImageIndex) {
        FImageIndex = index;
        ButtonChanged();
    }
}

void TToolButton::SetStyle(TToolButtonStyle style)
{
    if (style != FStyle) {
        FStyle = style;
        if (TToolBar* bar = ToolBar())
            bar->RebuildButtons();
    }
}

void TToolButton::SetDown(bool down)
{
    if (down != FDown) {
        FDown = down;
        ButtonChanged();
    }
}

void TToolButton::SetEnabled(bool enabled)
{
    TControl::SetEnabled(enabled);
    ButtonChanged();
}

void TToolButton::SetVisible(bool visible)
{
    TControl::SetVisible(visible);
    ButtonChanged();
}

void TToolButton::SetBounds(int left, int top, int width, int height)
{
    bool resized = width != Width();
    TControl::SetBounds(left, top, width, height);
    if (resized && (FStyle == tbsSeparator || FStyle == tbsDivider))
        if (TToolBar* bar = ToolBar())
            bar->RebuildButtons();
}

void TToolButton::SetAction(TAction* action)
{
    if (RelinkAction(FAction, action, *this, *this) && action) {
        if (Hint().empty())
            SetHint(action->Hint());
        ActionChanged(action);
    }
}

void TToolButton::ActionChanged(TAction* action)
{
    if (action->ImageIndex() >= 0)
        FImageIndex = action->ImageIndex();
    FDown = action->Checked();
    TControl::SetEnabled(action->Enabled());
    TControl::SetVisible(action->Visible());
    ButtonChanged();
}

void TToolButton::SetMenuItem(TMenuItem* item)
{
    if (FMenuItem)
        FMenuItem->RemoveFreeNotification(this);
    FMenuItem = item;
    if (item)
        item->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove) {
        if (component == FAction) {
            FAction->UnregisterClient(this);
            FAction = nullptr;
        }
        if (component == FMenuItem)
            FMenuItem = nullptr;
    }
    TControl::Notification(component, operation);
}

void TToolButton::Click()
{
    if (!Enabled())
        return;
    if (OnClick)
        OnClick(this);
    else if (FAction)
        FAction->Execute();
    else if (FMenuItem)
        FMenuItem->Click();
}

// ---- TToolBar ---------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner)
{
    SetBoundsFields(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar()
{
    if (FImages)
        FImages->OnChange = nullptr;
    if (FDisabledImages)
        FDisabledImages->OnChange = nullptr;
}

void TToolBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClass = TOOLBARCLASSNAMEW;
    params.Style |= TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN | (FFlat ? TBSTYLE_FLAT : 0);
}

void TToolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    RebuildButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FImages)
        SetImages(nullptr);
    if (operation == opRemove && component == FDisabledImages)
        SetDisabledImages(nullptr);
    TWinControl::Notification(component, operation);
}

void TToolBar::LinkImages(TImageList*& field, TImageList* images)
{
    if (field) {
        field->OnChange = nullptr;
        field->RemoveFreeNotification(this);
    }
    field = images;
    if (images) {
        images->FreeNotification(this);
        images->OnChange = [this](TObject*) { RebuildButtons(); };
    }
    RebuildButtons();
}

void TToolBar::SetImages(TImageList* images)
{
    LinkImages(FImages, images);
}

void TToolBar::SetDisabledImages(TImageList* images)
{
    LinkImages(FDisabledImages, images);
}

void TToolBar::SetButtonWidth(int width)
{
    FButtonWidth = width;
    RebuildButtons();
}

void TToolBar::SetButtonHeight(int height)
{
    FButtonHeight = height;
    RebuildButtons();
}

void TToolBar::SetFlat(bool flat)
{
    FFlat = flat;
    if (HandleAllocated()) {
        LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
        SetWindowLongPtrW(Handle(), GWL_STYLE, flat ? style | TBSTYLE_FLAT : style & ~static_cast<LONG_PTR>(TBSTYLE_FLAT));
        Invalidate();
    }
}

void TToolBar::InsertControl(TControl* control)
{
    TWinControl::InsertControl(control);
    if (auto* button = As<TToolButton>(control)) {
        FButtons.push_back(button);
        button->FCommand = FNextCommand++;
        RebuildButtons();
    }
}

void TToolBar::RemoveControl(TControl* control)
{
    // Compared by address: a button being destroyed is no longer a TToolButton here.
    auto it = std::find(FButtons.begin(), FButtons.end(), control);
    if (it != FButtons.end()) {
        FButtons.erase(it);
        RebuildButtons();
    }
    TWinControl::RemoveControl(control);
}

TToolButton* TToolBar::FindButton(int command) const
{
    for (TToolButton* b : FButtons)
        if (b->FCommand == command)
            return b;
    return nullptr;
}

namespace {
BYTE ButtonState(const TToolButton* b)
{
    return static_cast<BYTE>((b->Enabled() ? TBSTATE_ENABLED : 0) | (b->Down() ? TBSTATE_CHECKED : 0) |
                             (b->Visible() ? 0 : TBSTATE_HIDDEN));
}
} // namespace

void TToolBar::RebuildButtons()
{
    if (!HandleAllocated() || ComponentState().Contains(csDestroying))
        return;
    HWND bar = Handle();
    while (SendMessageW(bar, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(bar, TB_DELETEBUTTON, 0, 0);
    SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
    SendMessageW(bar, TB_SETDISABLEDIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(FDisabledImages ? FDisabledImages->Handle() : nullptr));
    if (FImages)
        SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(FImages->Width(), FImages->Height()));
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
    std::vector<TBBUTTON> buttons;
    for (TToolButton* b : FButtons) {
        TBBUTTON tb{};
        bool separator = b->FStyle == tbsSeparator || b->FStyle == tbsDivider;
        tb.iBitmap = separator ? b->Width() : (b->FImageIndex >= 0 ? b->FImageIndex : I_IMAGENONE);
        tb.idCommand = b->FCommand;
        tb.fsState = ButtonState(b);
        tb.fsStyle = static_cast<BYTE>(separator ? BTNS_SEP : b->FStyle == tbsCheck ? BTNS_CHECK
                                                           : b->FStyle == tbsDropDown ? BTNS_DROPDOWN : BTNS_BUTTON);
        tb.iString = -1;
        buttons.push_back(tb);
    }
    if (!buttons.empty())
        SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    UpdateButtonBounds();
    Invalidate();
}

void TToolBar::UpdateButton(TToolButton* button)
{
    if (!HandleAllocated())
        return;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STATE | TBIF_IMAGE;
    info.fsState = ButtonState(button);
    info.iImage = button->FStyle == tbsSeparator || button->FStyle == tbsDivider ? button->Width()
                  : button->FImageIndex >= 0 ? button->FImageIndex : I_IMAGENONE;
    SendMessageW(Handle(), TB_SETBUTTONINFOW, static_cast<WPARAM>(button->FCommand), reinterpret_cast<LPARAM>(&info));
    UpdateButtonBounds();
}

void TToolBar::UpdateButtonBounds()
{
    for (size_t i = 0; i < FButtons.size(); ++i) {
        RECT r{};
        if (SendMessageW(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            FButtons[i]->SetBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW* draw)
{
    if (!OnCustomDrawButton)
        return CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    TToolButton* button = FindButton(static_cast<int>(draw->nmcd.dwItemSpec));
    if (!button)
        return CDRF_DODEFAULT;
    static const struct { UINT Flag; TCustomDrawStateFlag State; } states[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed}, {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused}, {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked}, {CDIS_INDETERMINATE, cdsIndeterminate},
    };
    TCustomDrawState state;
    for (auto& s : states)
        if (draw->nmcd.uItemState & s.Flag)
            state.Include(s.State);
    bool defaultDraw = true;
    TCanvasDCScope lend(FCanvas, draw->nmcd.hdc);
    FCanvas.Font().Assign(*Font());
    OnCustomDrawButton(this, button, state, defaultDraw);
    draw->clrText = ColorToRGB(FCanvas.Font().Color());
    return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
}

void TToolBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (TToolButton* button = FindButton(LOWORD(message.WParam)))
            button->Click();
        message.Result = 0;
        return;
    case CN_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        if (header->code == NM_CUSTOMDRAW) {
            message.Result = CustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam));
            return;
        }
        if (header->code == TBN_GETINFOTIPW) {
            auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(message.LParam);
            TToolButton* button = FindButton(tip->iItem);
            if (button && EffectiveShowHint() && tip->pszText && tip->cchTextMax > 0)
                lstrcpynW(tip->pszText, button->Hint().c_str(), tip->cchTextMax);
            message.Result = 0;
            return;
        }
        break;
    }
    case WM_SIZE:
        TWinControl::WndProc(message);
        UpdateButtonBounds();
        return;
    case WM_ERASEBKGND: {
        // The bar's face behind the buttons is the tool bar's Color.
        RECT r;
        GetClientRect(Handle(), &r);
        EraseBackground(reinterpret_cast<HDC>(message.WParam), r);
        message.Result = 1;
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(message);
}
