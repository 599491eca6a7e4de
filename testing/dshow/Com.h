// Reference counting and interface lookup shared by every COM object of the test filters.
//
// Filters own their pins; a pin has no count of its own but forwards AddRef/Release to
// its filter, so a pin reference keeps the whole filter alive (the usual DirectShow rule).
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <vfwmsgs.h>

#include <atomic>
#include <initializer_list>
#include <string>

namespace kivora::dshow {

// Live objects of this module; DllCanUnloadNow answers S_OK only at zero.
std::atomic<long>& ObjectCount();
// Locks of class factories (IClassFactory::LockServer).
std::atomic<long>& ServerLocks();

// Base of every heap-allocated COM object: a thread-safe count that deletes the object
// when it drops to zero, and the module's object count.
class TRefCounted {
public:
    TRefCounted() { ++ObjectCount(); }
    virtual ~TRefCounted() { --ObjectCount(); }
    TRefCounted(const TRefCounted&) = delete;
    TRefCounted& operator=(const TRefCounted&) = delete;

    ULONG AddRefObject() { return static_cast<ULONG>(++FRefs); }
    ULONG ReleaseObject()
    {
        const long left = --FRefs;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

private:
    std::atomic<long> FRefs{1};   // the creator holds the first reference
};

// One interface an object answers: its identifier and the matching pointer.
struct TInterfaceEntry {
    const IID* iid;
    IUnknown* pointer;
};

// QueryInterface from a table. The found interface is AddRef'd; E_NOINTERFACE
// otherwise. IID_IUnknown is answered only by an entry for it, so that the one class
// that owns the identity lists it and derived classes can fall back to it.
HRESULT AnswerInterface(REFIID iid, void** out, std::initializer_list<TInterfaceEntry> table);

// A task-memory copy of a string, as IPin::QueryId and QueryVendorInfo hand out;
// nullptr when out of memory.
LPWSTR TaskString(const std::wstring& text);

} // namespace kivora::dshow

// The three IUnknown methods of a class that derives from several COM interfaces,
// forwarded to one implementation (a class with several interface bases needs a final
// overrider for each of them).
#define KIVORA_FORWARD_IUNKNOWN(Impl)                                                   \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override                       \
    { return Impl::QueryInterface(iid, out); }                                         \
    STDMETHODIMP_(ULONG) AddRef() override { return Impl::AddRef(); }                  \
    STDMETHODIMP_(ULONG) Release() override { return Impl::Release(); }
