// TStatusBar: the system status bar along the bottom of a form, with panels (width and
// text; the last panel reaches to the right edge) or one simple text (SimplePanel), and
// a size grip (SizeGrip). A panel has a text alignment, a bevel (lowered, raised, none),
// a reading order, and a style: text, or owner-drawn (OnDrawPanel draws it).
#pragma once
#include "framework/Alignment.h"
#include "framework/Canvas.h"
#include "framework/WinControl.h"

#include <memory>
#include <string>
#include <vector>

class TCustomStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
KIVORA_ENUM_NAMES(TStatusPanelBevel, L"pbNone", L"pbLowered", L"pbRaised")
enum TStatusPanelStyle { psText, psOwnerDraw };
KIVORA_ENUM_NAMES(TStatusPanelStyle, L"psText", L"psOwnerDraw")
enum TBiDiMode { bdLeftToRight, bdRightToLeft };
KIVORA_ENUM_NAMES(TBiDiMode, L"bdLeftToRight", L"bdRightToLeft")

class TStatusPanel {
public:
    int Width() const { return FWidth; }
    void SetWidth(int width);
    const std::wstring& Text() const { return FText; }
    void SetText(const std::wstring& text);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel bevel);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle style);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    int Index() const;

private:
    friend class TStatusPanels;
    explicit TStatusPanel(TCustomStatusBar* bar) : FBar(bar) {}
    TCustomStatusBar* FBar;
    int FWidth = 50;
    std::wstring FText;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

// Draws an owner-drawn panel (the bar's canvas is bound to the panel's device context).
using TDrawPanelEvent = TEvent<TCustomStatusBar*, TStatusPanel*, const RECT&>;

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
    // The canvas lent to OnDrawPanel.
    TCanvas* Canvas() { return &FCanvas; }
    TDrawPanelEvent OnDrawPanel;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    TStatusPanels FPanels{this};
    bool FSimplePanel = false;
    std::wstring FSimpleText;
    bool FSizeGrip = true;
    TCanvas FCanvas;
};

class TStatusBar : public TCustomStatusBar {
    KIVORA_CLASS(TStatusBar, TCustomStatusBar)
public:
    using TCustomStatusBar::TCustomStatusBar;
};
