// TPageControl: a tab control whose tabs are its pages (TTabSheet): each page is a
// container of controls, named by its Caption, and only the active page is shown, filling
// the area inside the tabs' frame. A page joins by SetParent(pageControl) and leaves when
// it is freed or given another parent.
#pragma once
#include "framework/CustomControl.h"
#include "framework/TabControl.h"

#include <vector>

class TPageControl;

class TTabSheet : public TCustomControl {
    KIVORA_CLASS(TTabSheet, TCustomControl)
public:
    explicit TTabSheet(TComponent* owner);
    TPageControl* PageControl() const;
    int PageIndex() const;
    void SetCaption(const std::wstring& caption) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

class TPageControl : public TCustomTabControl {
    KIVORA_CLASS(TPageControl, TCustomTabControl)
public:
    using TCustomTabControl::TCustomTabControl;
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return TabIndex(); }
    void SetActivePageIndex(int index);
    int IndexOfPage(const TTabSheet* page) const;

    void InsertControl(TControl* control) override;
    void RemoveControl(TControl* control) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateWnd() override;
    void Changed() override;

private:
    friend class TTabSheet;
    // Shows the active page over the display area and hides the others.
    void ShowActivePage();
    std::vector<TTabSheet*> FPages;
};
