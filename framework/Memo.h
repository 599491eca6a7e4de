// TMemo: a text box of several lines (the system edit control in multi-line mode), with
// the scroll bars ScrollBars asks for and optional word wrapping. Its Text holds the lines
// separated by CR LF; Lines answers them one by one.
#pragma once
#include "framework/Edit.h"

#include <string>
#include <vector>

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
KIVORA_ENUM_NAMES(TScrollStyle, L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth")

class TCustomMemo : public TCustomEdit {
    KIVORA_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    std::vector<std::wstring> Lines() const;
    void SetLines(const std::vector<std::wstring>& lines);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    // Style changes of an edit take effect only in a new window.
    void RecreateKeepingText();
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
    KIVORA_CLASS(TMemo, TCustomMemo)
public:
    using TCustomMemo::TCustomMemo;
};
