// The link from a member component to its filter graph. Setting it leaves the old
// graph's member (and sink) list and joins the new one; the component registers for the
// graph's removal notice, so a graph destroyed first is forgotten without being called.
// Each member owns one link and forwards its FilterGraph property and Notification to it.
#pragma once

#include "media/MediaKit/FilterGraph.h"
#include "media/MediaKit/GraphMember.h"

class TGraphLink {
public:
    TGraphLink(TComponent& component, IGraphMember& member, IGraphEventSink* sink = nullptr)
        : FComponent(component), FMember(member), FSink(sink) {}
    TGraphLink(const TGraphLink&) = delete;
    TGraphLink& operator=(const TGraphLink&) = delete;

    TFilterGraph* Graph() const { return FGraph; }
    void Set(TFilterGraph* graph)
    {
        if (graph == FGraph)
            return;
        if (FGraph) {
            FGraph->RemoveMember(&FMember);
            if (FSink)
                FGraph->RemoveEventSink(FSink);
            FGraph->RemoveFreeNotification(&FComponent);
        }
        FGraph = graph;
        if (graph) {
            graph->FreeNotification(&FComponent);
            graph->AddMember(&FMember);
            if (FSink)
                graph->AddEventSink(FSink);
        }
    }
    // Called from the component's Notification.
    void Notification(TComponent* component, TOperation operation)
    {
        if (operation == opRemove && component == FGraph)
            FGraph = nullptr;  // the graph is going: forget it without calling it
    }

private:
    TComponent& FComponent;
    IGraphMember& FMember;
    IGraphEventSink* FSink;
    TFilterGraph* FGraph = nullptr;
};
