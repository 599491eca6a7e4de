#include "Server.h"

#include "Com.h"

#include <strmif.h>
#include <uuids.h>
#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;
using namespace kivora::dshow;

namespace {

HMODULE Module = nullptr;

class TClassFactory : public TRefCounted, public IClassFactory {
public:
    explicit TClassFactory(const TServerClass& entry) : FEntry(entry) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        return AnswerInterface(iid, out, {{&IID_IUnknown, this}, {&IID_IClassFactory, this}});
    }
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefObject(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseObject(); }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IUnknown* object = FEntry.create();
        if (!object)
            return E_OUTOFMEMORY;
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        lock ? ++ServerLocks() : --ServerLocks();
        return S_OK;
    }

private:
    const TServerClass& FEntry;
};

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(Module, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// A registry key closed on scope exit.
class TRegKey {
public:
    ~TRegKey()
    {
        if (FKey)
            RegCloseKey(FKey);
    }
    HKEY* Receive() { return &FKey; }
    HKEY Get() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

LSTATUS SetText(HKEY key, const wchar_t* value, const std::wstring& text)
{
    return RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

HRESULT RegisterClassKeys(const TServerClass& entry)
{
    const std::wstring path = L"CLSID\\" + GuidText(*entry.clsid);
    TRegKey classKey;
    TRegKey serverKey;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                     classKey.Receive(), nullptr);
    if (status == ERROR_SUCCESS)
        status = SetText(classKey.Get(), nullptr, entry.name);
    if (status == ERROR_SUCCESS)
        status = RegCreateKeyExW(classKey.Get(), L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr,
                                 serverKey.Receive(), nullptr);
    if (status == ERROR_SUCCESS)
        status = SetText(serverKey.Get(), nullptr, ModulePath());
    if (status == ERROR_SUCCESS)
        status = SetText(serverKey.Get(), L"ThreadingModel", L"Both");
    return HRESULT_FROM_WIN32(status);
}

// Deletes key under parent when it holds neither subkeys nor values.
void DeleteKeyIfEmpty(HKEY parent, const std::wstring& key)
{
    TRegKey opened;
    if (RegOpenKeyExW(parent, key.c_str(), 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS)
        return;
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) == ERROR_SUCCESS
        && subkeys == 0 && values == 0) {
        RegDeleteKeyW(parent, key.c_str());
    }
}

// COM for the duration of a registration call (regsvr32 does not initialise it).
class TComScope {
public:
    TComScope() : FInitialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComScope()
    {
        if (FInitialised)
            CoUninitialize();
    }

private:
    bool FInitialised;
};

HRESULT Unregister()
{
    TComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT result = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&mapper));
    for (const TServerClass& entry : ServerClasses()) {
        if (entry.category && mapper) {
            mapper->UnregisterFilter(entry.category, nullptr, *entry.clsid);
            // The category's instance list, when ours was the only entry (a prefix
            // without any device had neither key before).
            const std::wstring category = L"CLSID\\" + GuidText(*entry.category);
            DeleteKeyIfEmpty(HKEY_CLASSES_ROOT, category + L"\\Instance");
            DeleteKeyIfEmpty(HKEY_CLASSES_ROOT, category);
        }
        const std::wstring path = L"CLSID\\" + GuidText(*entry.clsid);
        const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
            RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    }
    return FAILED(result) ? result : S_OK;
}

} // namespace

namespace kivora::dshow {

HMODULE ServerModule()
{
    return Module;
}

} // namespace kivora::dshow

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (const TServerClass& entry : ServerClasses()) {
        if (IsEqualCLSID(clsid, *entry.clsid)) {
            auto* factory = new TClassFactory(entry);
            const HRESULT hr = factory->QueryInterface(iid, out);
            factory->Release();
            return hr;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow()
{
    return ObjectCount() == 0 && ServerLocks() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    TComScope com;
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&mapper));
    for (const TServerClass& entry : ServerClasses()) {
        if (SUCCEEDED(hr))
            hr = RegisterClassKeys(entry);
        if (SUCCEEDED(hr) && entry.category) {
            // No pins listed: these filters are found by category and name, never by
            // intelligent connect (merit "do not use").
            REGFILTER2 filter{};
            filter.dwVersion = 1;
            filter.dwMerit = MERIT_DO_NOT_USE;
            filter.cPins = 0;
            filter.rgPins = nullptr;
            hr = mapper->RegisterFilter(*entry.clsid, entry.name, nullptr, entry.category, nullptr, &filter);
        }
    }
    if (FAILED(hr))
        Unregister();       // all or nothing
    return hr;
}

STDAPI DllUnregisterServer()
{
    return Unregister();
}
