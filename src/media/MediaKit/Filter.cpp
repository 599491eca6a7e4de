#include "media/MediaKit/Filter.h"

#include "framework/Filer.h"
#include "framework/Stream.h"

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

void TFilter::Notification(TComponent* component, TOperation operation)
{
    TMediaComponent::Notification(component, operation);
    FGraphLink.Notification(component, operation);
}

void TFilter::DefineProperties(TFiler& filer)
{
    TMediaComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        L"BaseFilter.data",
        [this](TStream& stream) {
            FBaseFilter.SetDataLength(uint32_t(stream.Remaining()));
            if (FBaseFilter.DataLength())
                stream.Read(FBaseFilter.Data(), FBaseFilter.DataLength());
        },
        [this](TStream& stream) {
            if (FBaseFilter.DataLength())
                stream.Write(FBaseFilter.Data(), FBaseFilter.DataLength());
        },
        true);
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
