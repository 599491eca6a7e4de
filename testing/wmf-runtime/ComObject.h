// Reference counting and QueryInterface for the stand-in's COM objects.
#pragma once

#include "FaultInjection.h"

#include <windows.h>
#include <unknwn.h>

#include <atomic>

// A heap object implementing the listed interfaces; it starts with one reference.
template <typename First, typename... More>
class TComObject : public First, public More... {
public:
    TComObject() = default;
    virtual ~TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (HRESULT fault = QueryFault(iid); FAILED(fault))
            return fault;
        void* found = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(First))
            found = static_cast<First*>(this);
        else
            (void)((iid == __uuidof(More) ? (found = static_cast<More*>(this), true) : false) || ...);
        if (!found)
            return E_NOINTERFACE;
        *object = found;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --FReferences;
        if (left == 0)
            delete this;
        return left;
    }

private:
    std::atomic<ULONG> FReferences{1};
};
