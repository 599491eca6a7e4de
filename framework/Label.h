// TLabel: a windowless text (Caption) drawn over its parent, sizing itself to the text
// (AutoSize) and aligned left, right or centred.
#pragma once
#include "framework/Alignment.h"
#include "framework/CustomControl.h"

class TLabel : public TGraphicControl {
    KIVORA_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);
    void SetCaption(const std::wstring& caption) override;
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; AdjustSize(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a) { FAlignment = a; Invalidate(); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; Invalidate(); }

protected:
    void Paint() override;
    void FontChanged() override;

private:
    void AdjustSize();
    bool FAutoSize = true;
    bool FTransparent = true;
    TAlignment FAlignment = taLeftJustify;
};
