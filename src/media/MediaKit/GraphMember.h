// The contracts between the filter graph component and the components that join it.
//
// A member (filter, video window, sample grabber, ASF writer) puts one filter into the
// graph while the graph is active; an event sink (the video window) follows the graph's
// events and a few control notices. Both lists in the graph hold plain references: a
// member leaves by clearing its FilterGraph property or being destroyed.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <wrl/client.h>

#include <string>

enum TMemberOperation {
    moAdding,    // create the filter now
    moAdded,     // the filter is in the graph: configure it
    moRemoving,  // stop and disconnect it
    moRemoved,   // release it
};

enum TControlNotice {
    cnPlay = 0,          // RunGraph, before the graph runs
    cnStop = 2,          // StopGraph, before the graph stops
    cnRenderFile = 3,    // RenderMediaFile, before the file is rendered
    cnFileRendered = 4,  // RenderMediaFile, after a successful render
    cnActivation = 7,    // Param 1 at the end of activation, 0 at the start of deactivation
};

class IGraphMember {
public:
    virtual Microsoft::WRL::ComPtr<IBaseFilter> MemberFilter() = 0;
    virtual std::wstring MemberName() = 0;
    virtual void MemberNotify(TMemberOperation operation, int param) = 0;

protected:
    ~IGraphMember() = default;
};

class IGraphEventSink {
public:
    virtual void NotifyGraphEvent(long event, LONG_PTR param1, LONG_PTR param2) = 0;
    virtual void NotifyControl(TControlNotice code, int param) = 0;

protected:
    ~IGraphEventSink() = default;
};
