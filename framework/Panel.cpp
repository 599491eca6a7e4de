#include "framework/Panel.h"

const TClassInfo& TCustomPanel::StaticClass()
{
    static const TClassInfo info(L"TCustomPanel", &TCustomControl::StaticClass(), {
        StrProp(L"Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption),
        EnumProp(L"BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter),
    });
    return info;
}

const TClassInfo& TPanel::StaticClass()
{
    static const TClassInfo info(L"TPanel", &TCustomPanel::StaticClass());
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetBoundsFields(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::Paint()
{
    RECT r = ClientRect();
    if (FBevelOuter != bvNone)
        DrawEdge(Canvas()->Handle(), &r, FBevelOuter == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    std::wstring text = Caption();
    if (!text.empty()) {
        Canvas()->Brush().SetStyle(bsClear);
        Canvas()->DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
