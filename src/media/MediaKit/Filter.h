// TFilter: places one device filter, chosen by a stored moniker (BaseFilter), into a
// TFilterGraph. While the graph is active it holds a fresh filter object bound from the
// moniker; when the graph becomes inactive it stops and releases it.
#pragma once

#include "media/MediaKit/FilterGraph.h"
#include "media/MediaKit/GraphLink.h"
#include "media/MediaKit/GraphMember.h"
#include "media/MediaKit/MediaComponent.h"
#include "media/MediaUtil/PersistentMemory.h"

class TFilter : public TMediaComponent, public IGraphMember {
    KIVORA_CLASS(TFilter, TMediaComponent)
public:
    explicit TFilter(TComponent* owner);
    ~TFilter() override;

    TFilterGraph* FilterGraph() const { return FGraphLink.Graph(); }
    void SetFilterGraph(TFilterGraph* graph) { FGraphLink.Set(graph); }
    // The stored device moniker (binary property "data").
    TBaseFilter& BaseFilter() { return FBaseFilter; }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler& filer) override;

    Microsoft::WRL::ComPtr<IBaseFilter> MemberFilter() override { return FFilter; }
    std::wstring MemberName() override { return Name(); }
    void MemberNotify(TMemberOperation operation, int param) override;

private:
    TGraphLink FGraphLink{*this, *this};
    TBaseFilter FBaseFilter;
    Microsoft::WRL::ComPtr<IBaseFilter> FFilter;
};
