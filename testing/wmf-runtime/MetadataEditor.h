// The metadata editor: opens a file's header and answers the file-level attributes
// Is_Protected, Seekable and Stridable from it.
#pragma once

#include "AsfHeader.h"
#include "ComObject.h"

#include <wmsdkidl.h>

#include <mutex>

class TMetadataEditor : public TComObject<IWMMetadataEditor, IWMHeaderInfo> {
public:
    // IWMMetadataEditor
    HRESULT STDMETHODCALLTYPE Open(const WCHAR* fileName) override;
    HRESULT STDMETHODCALLTYPE Close() override;
    HRESULT STDMETHODCALLTYPE Flush() override;

    // IWMHeaderInfo: attributes by name; the rest is not offered.
    HRESULT STDMETHODCALLTYPE GetAttributeCount(WORD, WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributeByIndex(WORD, WORD*, WCHAR*, WORD*, WMT_ATTR_DATATYPE*, BYTE*, WORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetAttributeByName(WORD* streamNumber, LPCWSTR name, WMT_ATTR_DATATYPE* type,
                                                 BYTE* value, WORD* length) override;
    HRESULT STDMETHODCALLTYPE SetAttribute(WORD, LPCWSTR, WMT_ATTR_DATATYPE, const BYTE*, WORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetMarkerCount(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMarker(WORD, WCHAR*, WORD*, QWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddMarker(LPCWSTR_WMSDK_TYPE_SAFE, QWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMarker(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetScriptCount(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetScript(WORD, WCHAR*, WORD*, WCHAR*, WORD*, QWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddScript(LPCWSTR_WMSDK_TYPE_SAFE, LPCWSTR_WMSDK_TYPE_SAFE, QWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RemoveScript(WORD) override { return E_NOTIMPL; }

private:
    std::mutex FLock;
    bool FOpen = false;
    kivora::asf::TAsfFileInfo FInfo;
};
