#include "framework/CustomControl.h"

const TClassInfo& TCustomControl::StaticClass()
{
    static const TClassInfo info(L"TCustomControl", &TWinControl::StaticClass());
    return info;
}

const TClassInfo& TGraphicControl::StaticClass()
{
    static const TClassInfo info(L"TGraphicControl", &TControl::StaticClass());
    return info;
}

void TCustomControl::PaintWindow(HDC dc)
{
    TCanvasDCScope lend(FCanvas, dc);
    FCanvas.Font().Assign(*Font());
    FCanvas.Brush().SetColor(Color());
    Paint();
}

void TGraphicControl::WndProc(TMessage& message)
{
    // The parent sends WM_PAINT with its device context, origin moved to this control.
    if (message.Msg == WM_PAINT && message.WParam) {
        TCanvasDCScope lend(FCanvas, reinterpret_cast<HDC>(message.WParam));
        FCanvas.Font().Assign(*Font());
        FCanvas.Brush().SetColor(Color());
        Paint();
        return;
    }
    TControl::WndProc(message);
}
