// The one object of a Mediscope run: the reader's notification sink, and the state of the
// run (file name, the runtime's objects, the open/close events and their status).
#pragma once

#include <windows.h>
#include <wmsdkidl.h>
#include <wrl/client.h>

#include "WmfRuntime.h"

class ReaderCallback : public IWMReaderCallback {
public:
    ReaderCallback() = default;
    ~ReaderCallback();
    ReaderCallback(const ReaderCallback&) = delete;
    ReaderCallback& operator=(const ReaderCallback&) = delete;

    // Creates both manual-reset events, unsignalled; false when one cannot be made.
    bool CreateEvents();

    // IUnknown: the object lives on the stack for the whole run, so nothing is counted and
    // no interface is handed out.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IWMStatusCallback / IWMReaderCallback.
    HRESULT STDMETHODCALLTYPE OnStatus(WMT_STATUS status, HRESULT hr, WMT_ATTR_DATATYPE type,
                                       BYTE* value, void* context) override;
    HRESULT STDMETHODCALLTYPE OnSample(DWORD output, QWORD time, QWORD duration, DWORD flags,
                                       INSSBuffer* sample, void* context) override;

    wchar_t FileName[MAX_PATH] = {};
    Microsoft::WRL::ComPtr<IWMMetadataEditor> Editor;
    Microsoft::WRL::ComPtr<IWMHeaderInfo> HeaderInfo;
    Microsoft::WRL::ComPtr<IWMReader> Reader;
    Microsoft::WRL::ComPtr<IWMProfile> Profile;
    HANDLE OpenedEvent = nullptr;
    HANDLE ClosedEvent = nullptr;
    // Written by the runtime's thread before it signals an event; read after the wait.
    HRESULT AsyncStatus = S_OK;
    bool IsProtected = false;
};
