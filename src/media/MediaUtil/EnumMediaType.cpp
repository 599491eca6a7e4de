#include "media/MediaUtil/EnumMediaType.h"

#include "media/MediaUtil/MediaErrors.h"
#include "media/MediaUtil/MediaTypeDescription.h"

#include <wrl/client.h>

void TEnumMediaType::AssignPin(IPin* pin)
{
    Clear();
    MediaAssert(pin != nullptr, L"IPin not assigned");
    Microsoft::WRL::ComPtr<IEnumMediaTypes> enumerator;
    if (SUCCEEDED(pin->EnumMediaTypes(&enumerator)) && enumerator)
        AssignEnum(enumerator.Get());
}

void TEnumMediaType::AssignEnum(IEnumMediaTypes* enumerator)
{
    Clear();
    MediaAssert(enumerator != nullptr, L"IEnumMediaType not assigned");
    AM_MEDIA_TYPE* delivered = nullptr;
    while (enumerator->Next(1, &delivered, nullptr) == S_OK) {
        std::unique_ptr<AM_MEDIA_TYPE, decltype(&DeleteMediaType)> owned(delivered, DeleteMediaType);
        if (delivered)
            FItems.push_back(std::make_unique<TMediaType>(*delivered));
        delivered = nullptr;
    }
}

std::wstring TEnumMediaType::Description(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return MediaTypeDescription(FItems[size_t(index)]->MediaRecord);
}
