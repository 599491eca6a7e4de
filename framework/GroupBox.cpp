#include "framework/GroupBox.h"

#include <algorithm>

const TClassInfo& TCustomGroupBox::StaticClass()
{
    static const TClassInfo info(L"TCustomGroupBox", &TCustomControl::StaticClass(), {
        StrProp(L"Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption),
    });
    return info;
}

const TClassInfo& TGroupBox::StaticClass()
{
    static const TClassInfo info(L"TGroupBox", &TCustomGroupBox::StaticClass());
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetBoundsFields(0, 0, 185, 105);
}

void TCustomGroupBox::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomGroupBox::Paint()
{
    TCanvas& canvas = *Canvas();
    const std::wstring text = Caption();
    const SIZE extent = canvas.TextExtent(L"0");
    // The frame's top line runs through the middle of the caption's line.
    RECT frame = ClientRect();
    frame.top += extent.cy / 2;
    DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty())
        return;
    RECT caption{8, 0, ClientRect().right - 8, extent.cy};
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    RECT measured = caption;
    canvas.DrawText(text, measured, DT_SINGLELINE | DT_CALCRECT);
    measured.right = std::min(measured.right + 2, caption.right);
    measured.left -= 2;
    canvas.FillRect(measured);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(text, caption, DT_SINGLELINE | DT_END_ELLIPSIS);
}
