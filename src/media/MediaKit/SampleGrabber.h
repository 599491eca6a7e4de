// TSampleGrabber: a non-visual member of a TFilterGraph that puts the platform's sample
// grabber filter into the graph. The filter passes the stream through, accepts only
// MediaType, and keeps a copy of the last sample, which GrabFrame copies into a bitmap.
// OnBuffer, when assigned at activation, is called for every buffer on the graph's
// streaming thread, inside the component's lock: a handler must not touch GUI objects.
#pragma once

#include "media/MediaKit/FilterGraph.h"
#include "media/MediaKit/GraphLink.h"
#include "media/MediaKit/GraphMember.h"
#include "media/MediaKit/MediaComponent.h"
#include "media/MediaUtil/MediaType.h"

#include "framework/Bitmap.h"

#include <qedit.h>

#include <mutex>

using TBufferEvent = TEvent<TObject*, double, void*, int>;

class TSampleGrabber : public TMediaComponent, public IGraphMember {
    KIVORA_CLASS(TSampleGrabber, TMediaComponent)
public:
    explicit TSampleGrabber(TComponent* owner);
    ~TSampleGrabber() override;

    TFilterGraph* FilterGraph() const { return FGraphLink.Graph(); }
    void SetFilterGraph(TFilterGraph* graph) { FGraphLink.Set(graph); }
    // The type the filter accepts (stored as the binary property "MediaType.data").
    TMediaType& MediaType() { return FMediaType; }

    // Copies the last buffered frame into the bitmap (24- or 32-bit RGB video only).
    // False when there is no connection, no sample yet, or the type is not RGB video.
    bool GrabFrame(TBitmap* bitmap);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler& filer) override;

    Microsoft::WRL::ComPtr<IBaseFilter> MemberFilter() override { return FFilter; }
    std::wstring MemberName() override { return Name(); }
    void MemberNotify(TMemberOperation operation, int param) override;

    TBufferEvent OnBuffer;

private:
    class TCallback;
    void ApplyMediaType();
    void BufferReceived(double sampleTime, BYTE* buffer, long length);

    TGraphLink FGraphLink{*this, *this};
    TMediaType FMediaType;
    Microsoft::WRL::ComPtr<IBaseFilter> FFilter;
    Microsoft::WRL::ComPtr<ISampleGrabber> FGrabber;
    Microsoft::WRL::ComPtr<IPin> FInputPin, FOutputPin;
    Microsoft::WRL::ComPtr<ISampleGrabberCB> FCallback;
    std::mutex FBufferLock;
};
