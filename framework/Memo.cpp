#include "framework/Memo.h"

const TClassInfo& TCustomMemo::StaticClass()
{
    static const TClassInfo info(L"TCustomMemo", &TCustomEdit::StaticClass(), {
        EnumProp(L"ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars),
        BoolProp(L"WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap),
    });
    return info;
}

const TClassInfo& TMemo::StaticClass()
{
    static const TClassInfo info(L"TMemo", &TCustomMemo::StaticClass());
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner)
{
    SetBoundsFields(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    // Without wrapping a line runs on to the right, so the box scrolls sideways with it.
    if (FWordWrap && FScrollBars != ssHorizontal && FScrollBars != ssBoth)
        params.Style &= ~ES_AUTOHSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        params.Style |= WS_HSCROLL;
}

void TCustomMemo::RecreateKeepingText()
{
    if (!HandleAllocated())
        return;
    const std::wstring text = Caption();
    RecreateWnd();
    SetCaption(text);
}

void TCustomMemo::SetScrollBars(TScrollStyle style)
{
    if (style == FScrollBars)
        return;
    FScrollBars = style;
    RecreateKeepingText();
}

void TCustomMemo::SetWordWrap(bool wrap)
{
    if (wrap == FWordWrap)
        return;
    FWordWrap = wrap;
    RecreateKeepingText();
}

std::vector<std::wstring> TCustomMemo::Lines() const
{
    std::vector<std::wstring> lines;
    const std::wstring text = Caption();
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            break;
        start = end + 2;
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back(); // a text ending in a line break has no line after it
    return lines;
}

void TCustomMemo::SetLines(const std::vector<std::wstring>& lines)
{
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i > 0 ? L"\r\n" : L"") + lines[i];
    SetCaption(text);
}
