#include "Enumerators.h"

#include "Filter.h"
#include "MediaType.h"
#include "Pin.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace kivora::dshow {
namespace {

class TPinEnumerator : public TRefCounted, public IEnumPins {
public:
    TPinEnumerator(TFilter& filter, ULONG position)
        : FFilter(&filter), FPosition(position), FVersion(filter.PinVersion()) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        return AnswerInterface(iid, out, {{&IID_IUnknown, this}, {&IID_IEnumPins, this}});
    }
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefObject(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseObject(); }

    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override
    {
        if (!pins || (count > 1 && !fetched))
            return E_POINTER;
        if (FVersion != FFilter->PinVersion())
            return VFW_E_ENUM_OUT_OF_SYNC;
        ULONG got = 0;
        while (got < count && FPosition < static_cast<ULONG>(FFilter->PinCount())) {
            pins[got] = FFilter->PinAt(static_cast<int>(FPosition++));
            pins[got]->AddRef();
            ++got;
        }
        if (fetched)
            *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        if (FVersion != FFilter->PinVersion())
            return VFW_E_ENUM_OUT_OF_SYNC;
        const ULONG total = static_cast<ULONG>(FFilter->PinCount());
        FPosition = FPosition + count > total ? total : FPosition + count;
        return FPosition < total ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        FPosition = 0;
        FVersion = FFilter->PinVersion();
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumPins** out) override
    {
        if (!out)
            return E_POINTER;
        auto* copy = new TPinEnumerator(*FFilter.Get(), FPosition);
        copy->FVersion = FVersion;
        *out = copy;
        return S_OK;
    }

private:
    ComPtr<TFilter> FFilter;
    ULONG FPosition;
    long FVersion;
};

class TMediaTypeEnumerator : public TRefCounted, public IEnumMediaTypes {
public:
    TMediaTypeEnumerator(TPin& pin, ULONG position) : FPin(&pin), FPosition(position) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        return AnswerInterface(iid, out, {{&IID_IUnknown, this}, {&IID_IEnumMediaTypes, this}});
    }
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefObject(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseObject(); }

    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override
    {
        if (!types || (count > 1 && !fetched))
            return E_POINTER;
        ULONG got = 0;
        TMediaType type;
        while (got < count && FPin->GetMediaType(static_cast<int>(FPosition), type)) {
            types[got] = NewTaskMediaType(type.Get());
            if (!types[got])
                break;
            ++FPosition;
            ++got;
            type.Clear();
        }
        if (fetched)
            *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        TMediaType type;
        for (ULONG i = 0; i < count; ++i, ++FPosition) {
            type.Clear();
            if (!FPin->GetMediaType(static_cast<int>(FPosition), type))
                return S_FALSE;
        }
        return S_OK;
    }
    STDMETHODIMP Reset() override
    {
        FPosition = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumMediaTypes** out) override
    {
        if (!out)
            return E_POINTER;
        *out = new TMediaTypeEnumerator(*FPin.Get(), FPosition);
        return S_OK;
    }

private:
    ComPtr<TPin> FPin;      // counts on the filter
    ULONG FPosition;
};

} // namespace

HRESULT CreatePinEnumerator(TFilter& filter, IEnumPins** out)
{
    if (!out)
        return E_POINTER;
    *out = new TPinEnumerator(filter, 0);
    return S_OK;
}

HRESULT CreateMediaTypeEnumerator(TPin& pin, IEnumMediaTypes** out)
{
    if (!out)
        return E_POINTER;
    *out = new TMediaTypeEnumerator(pin, 0);
    return S_OK;
}

} // namespace kivora::dshow
