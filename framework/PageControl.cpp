#include "framework/PageControl.h"

#include "framework/Exceptions.h"

#include <algorithm>

const TClassInfo& TTabSheet::StaticClass()
{
    static const TClassInfo info(L"TTabSheet", &TCustomControl::StaticClass(), {
        StrProp(L"Caption", &TTabSheet::Caption, &TTabSheet::SetCaption),
        IntProp(L"PageIndex", &TTabSheet::PageIndex),
    });
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false); // the page control shows the active page
}

void TTabSheet::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

TPageControl* TTabSheet::PageControl() const
{
    return As<TPageControl>(Parent());
}

int TTabSheet::PageIndex() const
{
    const TPageControl* pages = PageControl();
    return pages ? pages->IndexOfPage(this) : -1;
}

void TTabSheet::SetCaption(const std::wstring& caption)
{
    TCustomControl::SetCaption(caption);
    if (TPageControl* pages = PageControl())
        pages->SetTabText(PageIndex(), caption);
}

const TClassInfo& TPageControl::StaticClass()
{
    static const TClassInfo info(L"TPageControl", &TCustomTabControl::StaticClass(), {
        IntProp(L"ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex),
    });
    return info;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EInvalidOperation(L"List index out of bounds (" + std::to_wstring(index) + L")");
    return FPages[static_cast<size_t>(index)];
}

int TPageControl::IndexOfPage(const TTabSheet* page) const
{
    const auto found = std::find(FPages.begin(), FPages.end(), page);
    return found == FPages.end() ? -1 : static_cast<int>(found - FPages.begin());
}

TTabSheet* TPageControl::ActivePage() const
{
    const int index = ActivePageIndex();
    return index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    SetActivePageIndex(IndexOfPage(page));
}

void TPageControl::SetActivePageIndex(int index)
{
    SetTabIndex(index >= 0 && index < PageCount() ? index : -1);
    ShowActivePage();
}

void TPageControl::InsertControl(TControl* control)
{
    TCustomTabControl::InsertControl(control);
    auto* page = As<TTabSheet>(control);
    if (!page)
        return;
    FPages.push_back(page);
    InsertTab(PageCount() - 1, page->Caption());
    if (PageCount() == 1)
        SetTabIndex(0);
    ShowActivePage();
}

void TPageControl::RemoveControl(TControl* control)
{
    // A page being freed is no longer a TTabSheet when it leaves: it is found by address.
    const auto found = std::find_if(FPages.begin(), FPages.end(),
                                    [control](const TTabSheet* page) { return static_cast<const TControl*>(page) == control; });
    if (const int index = found == FPages.end() ? -1 : static_cast<int>(found - FPages.begin()); index >= 0) {
        const bool wasActive = index == ActivePageIndex();
        FPages.erase(FPages.begin() + index);
        DeleteTab(index);
        if (wasActive)
            SetTabIndex(PageCount() > 0 ? std::min(index, PageCount() - 1) : -1);
    }
    TCustomTabControl::RemoveControl(control);
    ShowActivePage();
}

void TPageControl::CreateWnd()
{
    TCustomTabControl::CreateWnd();
    for (int i = 0; i < PageCount(); ++i)
        InsertTab(i, FPages[static_cast<size_t>(i)]->Caption());
    SetTabIndex(FTabIndex >= 0 || FPages.empty() ? FTabIndex : 0);
    ShowActivePage();
}

void TPageControl::Changed()
{
    ShowActivePage();
    TCustomTabControl::Changed();
}

void TPageControl::ShowActivePage()
{
    const TTabSheet* active = ActivePage();
    const RECT area = DisplayRect();
    for (TTabSheet* page : FPages) {
        if (page == active)
            page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
        page->SetVisible(page == active);
    }
}

void TPageControl::WndProc(TMessage& message)
{
    TCustomTabControl::WndProc(message);
    if (message.Msg == WM_SIZE)
        ShowActivePage();
}
