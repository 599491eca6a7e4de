#include "media/MediaUtil/SysDevEnum.h"

#include "media/MediaUtil/MediaErrors.h"

#include <oleauto.h>
#include <uuids.h>

using Microsoft::WRL::ComPtr;

namespace {

constexpr size_t kMaxFriendlyName = 255;

// The category's moniker enumerator, or empty when the category is empty or unknown, or
// when the system device enumerator cannot be created (e.g. COM not initialised).
ComPtr<IEnumMoniker> CategoryEnumerator(const GUID& category)
{
    ComPtr<ICreateDevEnum> devEnum;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&devEnum))))
        return nullptr;
    ComPtr<IEnumMoniker> monikers;
    if (devEnum->CreateClassEnumerator(category, &monikers, 0) != S_OK)
        return nullptr;
    return monikers;
}

struct TVariant : VARIANT {
    TVariant() { VariantInit(this); }
    ~TVariant() { VariantClear(this); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;
};

TDeviceEntry ReadEntry(IMoniker* moniker)
{
    TDeviceEntry entry;
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag))))
        return entry;

    TVariant name;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR && name.bstrVal)
        entry.FriendlyName.assign(name.bstrVal, std::min<size_t>(SysStringLen(name.bstrVal), kMaxFriendlyName));

    TVariant clsid;
    if (SUCCEEDED(bag->Read(L"CLSID", &clsid, nullptr)) && clsid.vt == VT_BSTR && clsid.bstrVal)
        RaiseOnFailure(CLSIDFromString(clsid.bstrVal, &entry.CLSID));
    return entry;
}

} // namespace

TSysDevEnum::TSysDevEnum(const GUID& category)
{
    SelectCategory(category);
}

void TSysDevEnum::SelectCategory(const GUID& category)
{
    SelectedCategory = category;
    Entries.clear();
    ComPtr<IEnumMoniker> monikers = CategoryEnumerator(category);
    if (!monikers)
        return;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK)
        Entries.push_back(ReadEntry(moniker.Get()));
}

ComPtr<IMoniker> TSysDevEnum::GetMoniker(int index) const
{
    if (index < 0 || index >= FilterCount())
        return nullptr;
    ComPtr<IEnumMoniker> monikers = CategoryEnumerator(SelectedCategory);
    if (!monikers)
        return nullptr;
    if (index > 0 && monikers->Skip(ULONG(index)) != S_OK)
        return nullptr;
    ComPtr<IMoniker> moniker;
    if (monikers->Next(1, &moniker, nullptr) != S_OK)
        moniker.Reset();
    monikers->Reset();
    return moniker;
}
