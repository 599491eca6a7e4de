#include "media/MediaKit/MediaComponent.h"

const TClassInfo& TMediaComponent::StaticClass()
{
    static const TClassInfo info(L"TMediaComponent", &TComponent::StaticClass());
    return info;
}

HRESULT TMediaComponent::QueryInterface(REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}
