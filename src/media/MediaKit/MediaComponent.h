// The base of the media components: a component that answers interface queries, either
// itself or through the platform objects it holds ("VideoSourceFilter as IBaseFilter").
#pragma once

#include "framework/Component.h"
#include "framework/Exceptions.h"

#include <windows.h>
#include <wrl/client.h>

// The interface-cast error: a component does not offer the interface asked for.
class EIntfCastError : public EError {
public:
    EIntfCastError() : EError(L"Interface not supported") {}
};

// The interface of a platform object, or EIntfCastError when it does not offer it (an
// "as" cast: a pin without IAMStreamConfig, say).
template <class I, class P> Microsoft::WRL::ComPtr<I> InterfaceCast(const Microsoft::WRL::ComPtr<P>& object)
{
    Microsoft::WRL::ComPtr<I> result;
    if (!object || FAILED(object.As(&result)))
        throw EIntfCastError();
    return result;
}

class TMediaComponent : public TComponent {
    KIVORA_CLASS(TMediaComponent, TComponent)
public:
    using TComponent::TComponent;
    // E_NOINTERFACE unless the component offers the interface (with one reference).
    virtual HRESULT QueryInterface(REFIID iid, void** object);

    // The interface, or empty when the component does not offer it.
    template <class I> Microsoft::WRL::ComPtr<I> Supports()
    {
        Microsoft::WRL::ComPtr<I> result;
        if (FAILED(QueryInterface(__uuidof(I), reinterpret_cast<void**>(result.GetAddressOf()))))
            result.Reset();
        return result;
    }
    // The interface; EIntfCastError when the component does not offer it.
    template <class I> Microsoft::WRL::ComPtr<I> As()
    {
        Microsoft::WRL::ComPtr<I> result = Supports<I>();
        if (!result)
            throw EIntfCastError();
        return result;
    }
};
