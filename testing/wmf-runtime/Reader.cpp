#include "Reader.h"

#include "AsfFileLoader.h"
#include "StreamConfig.h"

#include <nserror.h>

TReader::~TReader()
{
    // The thread uses this object; it ends before the object does. It never holds a
    // reference itself, so the last Release never comes from it.
    if (FWorker.joinable())
        FWorker.join();
}

void TReader::StartWork(void (TReader::*work)())
{
    if (FWorker.joinable())
        FWorker.join();
    FWorker = std::thread(work, this);
}

HRESULT STDMETHODCALLTYPE TReader::Open(const WCHAR* url, IWMReaderCallback* callback, void* context)
{
    if (!url || !callback)
        return E_INVALIDARG;
    if (HRESULT fault = Fault("ReaderOpen"); FAILED(fault))
        return fault;
    std::lock_guard lock(FLock);
    if (FState != rsClosed)
        return NS_E_INVALID_REQUEST;
    FState = rsOpening;
    FFileName = url;
    FCallback = callback;
    FContext = context;
    StartWork(&TReader::OpenWork);
    return S_OK;
}

void TReader::OpenWork()
{
    kivora::asf::TAsfFileInfo info;
    HRESULT hr = LoadAsfFile(FFileName.c_str(), info);
    if (HRESULT fault = Fault("OnOpened"); FAILED(fault))
        hr = fault;
    Microsoft::WRL::ComPtr<IWMReaderCallback> callback;
    void* context;
    {
        std::lock_guard lock(FLock);
        FInfo = SUCCEEDED(hr) ? std::move(info) : kivora::asf::TAsfFileInfo{};
        FState = SUCCEEDED(hr) ? rsOpen : rsClosed;
        callback = FCallback;
        context = FContext;
    }
    callback->OnStatus(WMT_OPENED, hr, WMT_TYPE_DWORD, nullptr, context);
}

HRESULT STDMETHODCALLTYPE TReader::Close()
{
    if (HRESULT fault = Fault("ReaderClose"); FAILED(fault))
        return fault;
    std::lock_guard lock(FLock);
    if (FState != rsOpen)
        return NS_E_INVALID_REQUEST;
    FState = rsClosing;
    StartWork(&TReader::CloseWork);
    return S_OK;
}

void TReader::CloseWork()
{
    Microsoft::WRL::ComPtr<IWMReaderCallback> callback;
    void* context;
    {
        std::lock_guard lock(FLock);
        FInfo = {};
        FState = rsClosed;
        callback = std::move(FCallback);
        context = FContext;
    }
    callback->OnStatus(WMT_CLOSED, Fault("OnClosed"), WMT_TYPE_DWORD, nullptr, context);
}

HRESULT STDMETHODCALLTYPE TReader::GetStreamCount(DWORD* count)
{
    if (!count)
        return E_POINTER;
    if (HRESULT fault = Fault("GetStreamCount"); FAILED(fault))
        return fault;
    std::lock_guard lock(FLock);
    if (FState != rsOpen)
        return NS_E_INVALID_REQUEST;
    *count = static_cast<DWORD>(FInfo.streams.size());
    return S_OK;
}

HRESULT TReader::StreamConfig(const kivora::asf::TAsfStreamInfo* stream, IWMStreamConfig** config)
{
    if (!stream)
        return E_INVALIDARG;
    *config = new TStreamConfig(*stream);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TReader::GetStream(DWORD index, IWMStreamConfig** config)
{
    if (!config)
        return E_POINTER;
    *config = nullptr;
    if (HRESULT fault = Fault("GetStream"); FAILED(fault))
        return fault;
    std::lock_guard lock(FLock);
    if (FState != rsOpen)
        return NS_E_INVALID_REQUEST;
    return StreamConfig(index < FInfo.streams.size() ? &FInfo.streams[index] : nullptr, config);
}

HRESULT STDMETHODCALLTYPE TReader::GetStreamByNumber(WORD number, IWMStreamConfig** config)
{
    if (!config)
        return E_POINTER;
    *config = nullptr;
    std::lock_guard lock(FLock);
    if (FState != rsOpen)
        return NS_E_INVALID_REQUEST;
    return StreamConfig(FInfo.Stream(number), config);
}
