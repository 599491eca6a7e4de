// The reader: opens and closes a file asynchronously on a thread of its own, telling the
// caller's IWMReaderCallback with WMT_OPENED and WMT_CLOSED, and offers the file's streams
// through IWMProfile. Playback (Start, outputs) is not offered.
#pragma once

#include "AsfHeader.h"
#include "ComObject.h"

#include <wmsdkidl.h>
#include <wrl/client.h>

#include <mutex>
#include <string>
#include <thread>

class TReader : public TComObject<IWMReader, IWMProfile> {
public:
    ~TReader() override;

    // IWMReader
    HRESULT STDMETHODCALLTYPE Open(const WCHAR* url, IWMReaderCallback* callback, void* context) override;
    HRESULT STDMETHODCALLTYPE Close() override;
    HRESULT STDMETHODCALLTYPE GetOutputCount(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOutputProps(DWORD, IWMOutputMediaProps**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetOutputProps(DWORD, IWMOutputMediaProps*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOutputFormatCount(DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOutputFormat(DWORD, DWORD, IWMOutputMediaProps**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Start(QWORD, QWORD, float, void*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stop() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Pause() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resume() override { return E_NOTIMPL; }

    // IWMProfile: the streams of the open file.
    HRESULT STDMETHODCALLTYPE GetVersion(WMT_VERSION*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetName(WCHAR*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetName(const WCHAR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDescription(WCHAR*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetDescription(const WCHAR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStreamCount(DWORD* count) override;
    HRESULT STDMETHODCALLTYPE GetStream(DWORD index, IWMStreamConfig** config) override;
    HRESULT STDMETHODCALLTYPE GetStreamByNumber(WORD number, IWMStreamConfig** config) override;
    HRESULT STDMETHODCALLTYPE RemoveStream(IWMStreamConfig*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveStreamByNumber(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddStream(IWMStreamConfig*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReconfigStream(IWMStreamConfig*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateNewStream(REFGUID, IWMStreamConfig**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMutualExclusionCount(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMutualExclusion(DWORD, IWMMutualExclusion**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMutualExclusion(IWMMutualExclusion*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddMutualExclusion(IWMMutualExclusion*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateNewMutualExclusion(IWMMutualExclusion**) override { return E_NOTIMPL; }

private:
    enum TState { rsClosed, rsOpening, rsOpen, rsClosing };

    // Runs the work on the reader's thread, after the previous work has ended.
    void StartWork(void (TReader::*work)());
    void OpenWork();
    void CloseWork();
    HRESULT StreamConfig(const kivora::asf::TAsfStreamInfo* stream, IWMStreamConfig** config);

    std::mutex FLock;
    TState FState = rsClosed;
    std::wstring FFileName;
    Microsoft::WRL::ComPtr<IWMReaderCallback> FCallback;
    void* FContext = nullptr;
    kivora::asf::TAsfFileInfo FInfo;
    std::thread FWorker;
};
