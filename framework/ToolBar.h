// TToolBar / TToolButton: a tool bar (the system tool bar control) with buttons showing
// pictures of an image list, separators, hints, Enabled and Down states, a linked action,
// and OnCustomDrawButton to draw a button before (or instead of) the tool bar's own look.
// A button is a windowless control whose Parent is the tool bar; buttons appear in the
// order they were given the tool bar.
#pragma once
#include "framework/Actions.h"
#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/WinControl.h"

#include <vector>

class TToolBar;
class TMenuItem;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
KIVORA_ENUM_NAMES(TToolButtonStyle, L"tbsButton", L"tbsCheck", L"tbsDropDown", L"tbsSeparator", L"tbsDivider")

enum TCustomDrawStateFlag { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate };
KIVORA_ENUM_NAMES(TCustomDrawStateFlag, L"cdsSelected", L"cdsGrayed", L"cdsDisabled", L"cdsChecked", L"cdsFocused",
                  L"cdsDefault", L"cdsHot", L"cdsMarked", L"cdsIndeterminate")
using TCustomDrawState = TSet<TCustomDrawStateFlag>;

class TToolButton : public TControl, public TActionClient {
    KIVORA_CLASS(TToolButton, TControl)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle style);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    TAction* Action() const { return FAction; }
    void SetAction(TAction* action);
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* item);
    int Index() const;

    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Click() override;
    void ActionChanged(TAction* action) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolBar;
    void ButtonChanged();
    int FImageIndex = -1;
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    TAction* FAction = nullptr;
    TMenuItem* FMenuItem = nullptr;
    int FCommand = 0;
};

using TTBCustomDrawBtnEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

class TToolBar : public TWinControl {
    KIVORA_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    // The pictures of disabled buttons (same indexes); without them the tool bar greys
    // the normal pictures by their mask.
    TImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TImageList* images);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int height);
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
    // The canvas lent to OnCustomDrawButton (bound to the tool bar's device context then).
    TCanvas* Canvas() { return &FCanvas; }

    TTBCustomDrawBtnEvent OnCustomDrawButton;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    friend class TToolButton;
    void InsertControl(TControl* control) override;
    void RemoveControl(TControl* control) override;
    void RebuildButtons();
    void UpdateButton(TToolButton* button);
    void UpdateButtonBounds();
    TToolButton* FindButton(int command) const;
    LRESULT CustomDraw(NMTBCUSTOMDRAW* draw);
    void LinkImages(TImageList*& field, TImageList* images);
    TImageList* FImages = nullptr;
    TImageList* FDisabledImages = nullptr;
    int FButtonWidth = 23, FButtonHeight = 22;
    bool FFlat = false;
    std::vector<TToolButton*> FButtons;
    TCanvas FCanvas;
    int FNextCommand = 1;
};
