#include "skin/engine/controls/SkinBoxH.h"

const TClassInfo& TSkinBoxH::StaticClass()
{
    static const TClassInfo info(L"TSkinBoxH", &TSkinControl::StaticClass());
    return info;
}

bool TSkinBoxH::BeforeMessage(TSkinMessage& m)
{
    if (m.Msg != WM_ERASEBKGND)
        return TSkinControl::BeforeMessage(m);
    RECT r{};
    GetWindowRect(FHandle, &r);
    OffsetRect(&r, -r.left, -r.top);
    FillFace(reinterpret_cast<HDC>(m.WParam), r);
    m.Result = 0;
    return false;
}
