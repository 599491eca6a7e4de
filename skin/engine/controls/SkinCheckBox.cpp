#include "skin/engine/controls/SkinCheckBox.h"

#include "skin/SkinData.h"
#include "skin/engine/controls/CheckMarks.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "framework/WinControl.h"

#include <cwctype>

const TClassInfo& TSkinCheckBox::StaticClass()
{
    static const TClassInfo info(L"TSkinCheckBox", &TSkinControl::StaticClass());
    return info;
}

bool RepaintsMark(UINT msg)
{
    switch (msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case CM_EXIT:
        return true;
    default:
        return false;
    }
}

void TSkinCheckBox::AfterMessage(TSkinMessage& m)
{
    if (RepaintsMark(m.Msg))
        InvalidateControl();
    else
        TSkinControl::AfterMessage(m);
}

namespace {

std::wstring LowerText(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

}  // namespace

void TSkinCheckBox::DrawSkin(HDC dc, const RECT& rect)
{
    if (!FSkinData)
        return;
    const auto& buttons = FSkinData->Elements().Buttons;
    if (buttons.CheckImage.Empty() || buttons.CheckFrameCount <= 0)
        return;
    const LRESULT native = SendMessageW(FHandle, BM_GETSTATE, 0, 0);
    const LONG_PTR style = WindowStyle();
    TCheckLook look;
    look.Checked = (native & BST_CHECKED) != 0;
    look.Indeterminate = (native & BST_INDETERMINATE) != 0;
    look.Disabled = (style & WS_DISABLED) != 0;
    if (FControl) {
        if (FindProp(FControl, L"State")) {
            const std::wstring state = LowerText(ReadEnumProp(FControl, L"State"));
            look.Checked = state.find(L"uncheck") == std::wstring::npos && state.find(L"check") != std::wstring::npos;
            look.Indeterminate = look.Indeterminate || state.find(L"gray") != std::wstring::npos;
        } else if (FindProp(FControl, L"Checked")) {
            look.Checked = LowerText(ReadEnumProp(FControl, L"Checked")) == L"true";
        }
    }
    const int frame = CheckFrameIndex(look, buttons.CheckFrameCount);
    const int fw = buttons.CheckImage.Width() / buttons.CheckFrameCount;
    const TMarkPlace place = PlaceMark(rect, fw, buttons.CheckImage.Height(), (style & BS_LEFTTEXT) != 0, false);
    FillParentColor(dc, place.Fill);
    DrawStrip(dc, place.Mark, buttons.CheckFrameCount, frame, buttons.CheckImage);
}
