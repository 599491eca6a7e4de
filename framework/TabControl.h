// TCustomTabControl: the system tab control as a container: a row of tabs over a framed
// area (DisplayRect) where the control's content sits. The user picks a tab by clicking it,
// with the arrow keys when the tabs have the focus, or with Ctrl+Tab and Ctrl+Shift+Tab
// from anywhere inside; OnChange fires then, not when TabIndex is set in code.
// TTabControl: tabs named by its Tabs list, its content the same whatever the tab.
#pragma once
#include "framework/WindowStrings.h"

#include <memory>

class TCustomTabControl : public TWinControl {
    KIVORA_CLASS(TCustomTabControl, TWinControl)
public:
    explicit TCustomTabControl(TComponent* owner);
    int TabIndex() const;
    void SetTabIndex(int index);
    // The area inside the tabs' frame, in client coordinates.
    RECT DisplayRect() const;
    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    int TabCount() const;
    void InsertTab(int index, const std::wstring& text);
    void SetTabText(int index, const std::wstring& text);
    void DeleteTab(int index);
    void ClearTabs();
    // The user chose another tab.
    virtual void Changed() { OnChange(this); }
    bool ClicksOnMouseUp() const override { return false; }
    int FTabIndex = -1; // kept while there is no window

private:
    void SendTabText(UINT message, int index, const std::wstring& text);
};

class TTabControl : public TCustomTabControl {
    KIVORA_CLASS(TTabControl, TCustomTabControl)
public:
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;
    TStrings* Tabs() const { return FTabs.get(); }
    void SetTabs(TStrings* tabs) { if (tabs) FTabs->Assign(*tabs); }

protected:
    void CreateWnd() override;

private:
    class TTabStrings;
    std::unique_ptr<TStrings> FTabs;
};
