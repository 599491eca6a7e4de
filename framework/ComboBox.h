// TComboBox: a drop-down box (the system combo box) — an editable drop-down (csDropDown)
// or a pick-only list (csDropDownList) — with Items, ItemIndex and Text. OnChange fires
// only when the user changes the selection or the text: setting ItemIndex in code
// selects silently.
#pragma once
#include "framework/WindowStrings.h"

#include <memory>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
KIVORA_ENUM_NAMES(TComboBoxStyle, L"csDropDown", L"csSimple", L"csDropDownList")

class TCustomComboBox : public TWinControl {
    KIVORA_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* items) { if (items) FItems->Assign(*items); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style) { FStyle = style; }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count) { FDropDownCount = count; }
    std::wstring Caption() const override;
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    int ListHeight() const;
    std::unique_ptr<TWindowStrings> FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
};

class TComboBox : public TCustomComboBox {
    KIVORA_CLASS(TComboBox, TCustomComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};
