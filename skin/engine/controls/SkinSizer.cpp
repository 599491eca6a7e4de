#include "skin/engine/controls/SkinSizer.h"

const TClassInfo& TSkinSizer::StaticClass()
{
    static const TClassInfo info(L"TSkinSizer", &TSkinControl::StaticClass());
    return info;
}
