#include "ReaderCallback.h"

#include <initializer_list>

ReaderCallback::~ReaderCallback()
{
    // The runtime's objects go in this order: the reader first, as it may still hold the
    // file and its thread.
    Reader.Reset();
    Editor.Reset();
    Profile.Reset();
    HeaderInfo.Reset();
    for (HANDLE event : {OpenedEvent, ClosedEvent})
        if (event)
            CloseHandle(event);
}

bool ReaderCallback::CreateEvents()
{
    OpenedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ClosedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return OpenedEvent && ClosedEvent;
}

HRESULT STDMETHODCALLTYPE ReaderCallback::QueryInterface(REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ReaderCallback::OnStatus(WMT_STATUS status, HRESULT hr, WMT_ATTR_DATATYPE,
                                                   BYTE*, void*)
{
    switch (status) {
    case WMT_OPENED:
        AsyncStatus = hr;
        SetEvent(OpenedEvent);
        break;
    case WMT_CLOSED:
        AsyncStatus = hr;
        SetEvent(ClosedEvent);
        break;
    default:
        break;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ReaderCallback::OnSample(DWORD, QWORD, QWORD, DWORD, INSSBuffer*, void*)
{
    return S_OK;
}
