// TStatusBar: the system status bar along the bottom of a form, with panels (width and
// text; the last panel reaches to the right edge) or one simple text (SimplePanel), and
// a size grip (SizeGrip).
#pragma once
#include "framework/WinControl.h"

#include <memory>
#include <string>
#include <vector>

class TCustomStatusBar;

class TStatusPanel {
public:
    int Width() const { return FWidth; }
    void SetWidth(int width);
    const std::wstring& Text() const { return FText; }
    void SetText(const std::wstring& text);
    int Index() const;

private:
    friend class TStatusPanels;
    explicit TStatusPanel(TCustomStatusBar* bar) : FBar(bar) {}
    TCustomStatusBar* FBar;
    int FWidth = 50;
    std::wstring FText;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TCustomStatusBar* bar) : FBar(bar) {}
    TStatusPanel* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TStatusPanel* Items(int index) const { return FItems.at(static_cast<size_t>(index)).get(); }
    TStatusPanel* operator[](int index) const { return Items(index); }
    void Clear();

private:
    friend class TStatusPanel;
    TCustomStatusBar* FBar;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

class TCustomStatusBar : public TWinControl {
    KIVORA_CLASS(TCustomStatusBar, TWinControl)
public:
    explicit TCustomStatusBar(TComponent* owner);
    TStatusPanels& Panels() { return FPanels; }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    const std::wstring& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::wstring& text);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v);
    // Sends the panels' widths and texts to the window.
    void UpdatePanels();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    TStatusPanels FPanels{this};
    bool FSimplePanel = false;
    std::wstring FSimpleText;
    bool FSizeGrip = true;
};

class TStatusBar : public TCustomStatusBar {
    KIVORA_CLASS(TStatusBar, TCustomStatusBar)
public:
    using TCustomStatusBar::TCustomStatusBar;
};
