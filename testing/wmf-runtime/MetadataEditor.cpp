#include "MetadataEditor.h"

#include "AsfFileLoader.h"

#include <nserror.h>

#include <cstring>
#include <cwchar>

namespace {

struct TBooleanAttribute {
    const wchar_t* name;
    const char* step;   // fault injection step of its reading
    bool (*value)(const kivora::asf::TAsfFileInfo&);
};

const TBooleanAttribute booleanAttributes[] = {
    {L"Is_Protected", "Is_Protected", [](const kivora::asf::TAsfFileInfo& i) { return i.IsProtected(); }},
    {L"Seekable", "Seekable", [](const kivora::asf::TAsfFileInfo& i) { return i.Seekable(); }},
    {L"Stridable", "Stridable", [](const kivora::asf::TAsfFileInfo& i) { return i.Stridable(); }},
    {L"Broadcast", "Broadcast", [](const kivora::asf::TAsfFileInfo& i) { return i.Broadcast(); }},
};

} // namespace

HRESULT STDMETHODCALLTYPE TMetadataEditor::Open(const WCHAR* fileName)
{
    if (!fileName)
        return E_INVALIDARG;
    if (HRESULT fault = Fault("EditorOpen"); FAILED(fault))
        return fault;
    std::lock_guard lock(FLock);
    if (FOpen)
        return NS_E_INVALID_REQUEST;
    HRESULT hr = LoadAsfFile(fileName, FInfo);
    FOpen = SUCCEEDED(hr);
    return hr;
}

HRESULT STDMETHODCALLTYPE TMetadataEditor::Close()
{
    if (HRESULT fault = Fault("EditorClose"); FAILED(fault))
        return fault;
    std::lock_guard lock(FLock);
    if (!FOpen)
        return NS_E_INVALID_REQUEST;
    FOpen = false;
    FInfo = {};
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TMetadataEditor::Flush()
{
    // Nothing is ever changed, so there is nothing to write.
    std::lock_guard lock(FLock);
    return FOpen ? S_OK : NS_E_INVALID_REQUEST;
}

HRESULT STDMETHODCALLTYPE TMetadataEditor::GetAttributeByName(WORD* streamNumber, LPCWSTR name,
                                                              WMT_ATTR_DATATYPE* type, BYTE* value, WORD* length)
{
    if (!streamNumber || !name || !type || !length)
        return E_INVALIDARG;
    std::lock_guard lock(FLock);
    if (!FOpen)
        return NS_E_INVALID_REQUEST;
    for (const TBooleanAttribute& attribute : booleanAttributes) {
        if (std::wcscmp(attribute.name, name) != 0)
            continue;
        // The faults hit the size query, the first of the two calls a caller makes.
        if (!value)
            if (HRESULT fault = Fault(attribute.step); FAILED(fault))
                return fault;
        // File-level attributes live on stream 0 only.
        if (*streamNumber != 0)
            return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
        *type = WMT_TYPE_BOOL;
        const BOOL result = attribute.value(FInfo) ? TRUE : FALSE;
        if (!value) {
            *length = sizeof result;
            return S_OK;
        }
        if (*length < sizeof result) {
            *length = sizeof result;
            return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
        }
        std::memcpy(value, &result, sizeof result);
        *length = sizeof result;
        return S_OK;
    }
    return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}
