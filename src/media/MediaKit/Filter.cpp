#include "Filter.h"

const TClassInfo& TFilter::StaticClass()
{
    static const TClassInfo info(L"TFilter", &TMediaComponent::StaticClass(), {
        ObjProp(L"FilterGraph", &TFilter::FilterGraph, &TFilter::SetFilterGraph),
    });
    return info;
}

TFilter::TFilter(TComponent* owner) : TMediaComponent(owner)
{
}

TFilter::~TFilter()
{
    SetFilterGraph(nullptr);
}

void TFilter::SetFilterGraph(TFilterGraph* graph)
{
    if (graph == FFilterGraph)
        return;
    if (FFilterGraph) {
        FFilterGraph->RemoveMember(this);
        FFilterGraph->RemoveFreeNotification(this);
    }
    FFilterGraph = graph;
    if (graph) {
        graph->FreeNotification(this);
        graph->AddMember(this);
    }
}

void TFilter::Notification(TComponent* component, TOperation operation)
{
    TMediaComponent::Notification(component, operation);
    if (operation == opRemove && component == FFilterGraph)
        FFilterGraph = nullptr;  // the graph is going: forget it without calling it
}

HRESULT TFilter::QueryInterface(REFIID iid, void** object)
{
    HRESULT hr = TMediaComponent::QueryInterface(iid, object);
    if (FAILED(hr) && FFilter)
        hr = FFilter->QueryInterface(iid, object);
    return hr;
}

void TFilter::MemberNotify(TMemberOperation operation, int)
{
    switch (operation) {
    case moAdding: FFilter = FBaseFilter.CreateFilter(); break;
    case moAdded: break;
    case moRemoving:
        if (FFilter)
            FFilter->Stop();
        break;
    case moRemoved: FFilter.Reset(); break;
    }
}
