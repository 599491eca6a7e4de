#include "skin/engine/controls/SkinRadioButton.h"

#include "skin/SkinData.h"
#include "skin/engine/controls/CheckMarks.h"
#include "skin/engine/controls/ControlDrawing.h"
#include "skin/engine/controls/SkinCheckBox.h"
#include "framework/WinControl.h"

const TClassInfo& TSkinRadioButton::StaticClass()
{
    static const TClassInfo info(L"TSkinRadioButton", &TSkinControl::StaticClass());
    return info;
}

void TSkinRadioButton::AfterMessage(TSkinMessage& m)
{
    if (RepaintsMark(m.Msg))
        InvalidateControl();
    else
        TSkinControl::AfterMessage(m);
}

void TSkinRadioButton::DrawSkin(HDC dc, const RECT& rect)
{
    if (!FSkinData)
        return;
    const auto& buttons = FSkinData->Elements().Buttons;
    if (buttons.RadioImage.Empty() || buttons.RadioFrameCount <= 0)
        return;
    bool checked = (SendMessageW(FHandle, BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
    if (FControl && FindProp(FControl, L"Checked"))
        checked = ReadEnumProp(FControl, L"Checked") == L"True";
    const LONG_PTR style = WindowStyle();
    const int frame = RadioFrameIndex(checked, (style & WS_DISABLED) != 0, buttons.RadioFrameCount);
    const int fw = buttons.RadioImage.Width() / buttons.RadioFrameCount;
    const TMarkPlace place = PlaceMark(rect, fw, buttons.RadioImage.Height(), (style & BS_LEFTTEXT) != 0, true);
    FillParentColor(dc, place.Fill);
    DrawStrip(dc, place.Mark, buttons.RadioFrameCount, frame, buttons.RadioImage);
}
