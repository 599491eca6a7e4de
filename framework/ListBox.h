// TListBox: a list of texts to pick one from (the system list box), with Items and
// ItemIndex; it scrolls vertically when the items do not fit. OnClick fires when the user
// changes the selection, not when ItemIndex is set in code.
#pragma once
#include "framework/WindowStrings.h"

#include <memory>

class TCustomListBox : public TWinControl {
    KIVORA_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* items) { if (items) FItems->Assign(*items); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The first item shown at the top.
    int TopIndex() const;
    void SetTopIndex(int index);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    std::unique_ptr<TWindowStrings> FItems;
    int FItemIndex = -1;
    int FTopIndex = 0;
};

class TListBox : public TCustomListBox {
    KIVORA_CLASS(TListBox, TCustomListBox)
public:
    using TCustomListBox::TCustomListBox;
};
