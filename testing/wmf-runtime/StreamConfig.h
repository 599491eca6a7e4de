// One stream of an opened file, as the reader's profile hands it out: its type, number,
// bit rate and media type, all taken from the file's Stream Properties.
#pragma once

#include "AsfHeader.h"
#include "ComObject.h"

#include <wmsdkidl.h>

#include <vector>

class TStreamConfig : public TComObject<IWMStreamConfig, IWMMediaProps> {
public:
    explicit TStreamConfig(const kivora::asf::TAsfStreamInfo& stream);

    // IWMStreamConfig: read-only.
    HRESULT STDMETHODCALLTYPE GetStreamType(GUID* type) override;
    HRESULT STDMETHODCALLTYPE GetStreamNumber(WORD* number) override;
    HRESULT STDMETHODCALLTYPE SetStreamNumber(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStreamName(WCHAR*, WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStreamName(LPCWSTR_WMSDK_TYPE_SAFE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionName(WCHAR*, WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetConnectionName(LPCWSTR_WMSDK_TYPE_SAFE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBitrate(DWORD* bitrate) override;
    HRESULT STDMETHODCALLTYPE SetBitrate(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBufferWindow(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetBufferWindow(DWORD) override { return E_NOTIMPL; }

    // IWMMediaProps
    HRESULT STDMETHODCALLTYPE GetType(GUID* type) override;
    HRESULT STDMETHODCALLTYPE GetMediaType(WM_MEDIA_TYPE* type, DWORD* size) override;
    HRESULT STDMETHODCALLTYPE SetMediaType(WM_MEDIA_TYPE*) override { return E_NOTIMPL; }

private:
    kivora::asf::TAsfStreamInfo FStream;
    GUID FMajorType;
    // The WM_MEDIA_TYPE fields and the format block that follows it in a caller's buffer.
    WM_MEDIA_TYPE FMediaType{};
    std::vector<BYTE> FFormat;
};
