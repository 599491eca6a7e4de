// TFilterGraph: a non-visual component that owns one DirectShow filter graph and is the
// hub of the media components.
//
// Members (TFilter, TVideoWindow, TSampleGrabber, TASFWriter) put their filter into the
// graph whenever it becomes active and take it out when it becomes inactive. The graph's
// event queue is drained on the GUI thread through a hidden window and turned into the
// published events below; event sinks see every event first. The graph's interfaces
// (IMediaControl, ICaptureGraphBuilder2, …) are reached through QueryInterface.
#pragma once

#include "media/MediaKit/GraphMember.h"
#include "media/MediaKit/MediaComponent.h"

#include "framework/Event.h"
#include "framework/Handles.h"
#include "framework/UtilityWindow.h"

#include <control.h>
#include <strmif.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TGraphMode { gmNormal, gmCapture, gmDVD };
KIVORA_ENUM_NAMES(TGraphMode, L"gmNormal", L"gmCapture", L"gmDVD")

// The graph's notification message to the hidden window.
constexpr UINT WM_GRAPHNOTIFY = 0x8001;

using TDSEvent = TEvent<TObject*, long, LONG_PTR, LONG_PTR>;
using TResultEvent = TEvent<TObject*, HRESULT>;
using TCompleteEvent = TEvent<TObject*, HRESULT, IBaseFilter*>;
using TStreamErrorEvent = TEvent<TObject*, HRESULT, DWORD>;
using TVideoSizeEvent = TEvent<TObject*, int, int>;
using TFlagEvent = TEvent<TObject*, bool>;
using TRendererEvent = TEvent<TObject*, IBaseFilter*>;
using TOleEvent = TEvent<TObject*, const std::wstring&, const std::wstring&>;
using TStreamControlEvent = TEvent<TObject*, IPin*, DWORD>;
using TEndOfSegmentEvent = TEvent<TObject*, REFERENCE_TIME, DWORD>;
using TDeviceLostEvent = TEvent<TObject*, IUnknown*, bool>;
using TPairEvent = TEvent<TObject*, LONG_PTR, LONG_PTR>;
using TValueEvent = TEvent<TObject*, LONG_PTR>;
using TDVDLanguageEvent = TEvent<TObject*, int, LCID, const std::wstring&>;
using TDVDStillOnEvent = TEvent<TObject*, bool, int>;
using TDVDTimeEvent = TEvent<TObject*, int, int, int, int, int>;  // hours, minutes, seconds, frames, frame rate
using TDVDRateEvent = TEvent<TObject*, float>;
using TDVDHMSFTimeEvent = TEvent<TObject*, DVD_HMSF_TIMECODE, int, int, int, int, int>;

class TFilterGraph : public TMediaComponent {
    KIVORA_CLASS(TFilterGraph, TMediaComponent)
public:
    explicit TFilterGraph(TComponent* owner);
    ~TFilterGraph() override;

    bool Active() const { return FActive; }
    void SetActive(bool active);
    bool AutoCreate() const { return FAutoCreate; }
    void SetAutoCreate(bool value) { FAutoCreate = value; }
    TGraphMode Mode() const { return FMode; }
    void SetMode(TGraphMode mode);
    bool GraphEdit() const { return FGraphEdit; }
    void SetGraphEdit(bool value);
    const std::wstring& LogFile() const { return FLogFile; }
    void SetLogFile(const std::wstring& fileName);

    // Runs the graph; false when it has no IMediaControl. A failed Run raises, and so
    // does a filter that stayed stopped (the graph is then stopped again).
    bool RunGraph();
    // Stops the graph; true only when Stop answers S_OK. A failed Stop raises.
    bool StopGraph();
    // Renders a file into the graph; S_FALSE without a graph. A failed render raises.
    HRESULT RenderMediaFile(const std::wstring& fileName);
    // Stops the graph, disconnects every pin and removes every filter that is not a member's.
    void ClearAllFilters();

    void AddMember(IGraphMember* member);
    void RemoveMember(IGraphMember* member);
    void AddEventSink(IGraphEventSink* sink);
    void RemoveEventSink(IGraphEventSink* sink);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    void Loaded() override;

    // Dispatches one graph event: the sinks, OnDSEvent, then the event of its code.
    virtual void HandleGraphEvent(long event, LONG_PTR param1, LONG_PTR param2);

    TNotifyEvent OnActivate;
    TDSEvent OnDSEvent;
    // Graph events.
    TCompleteEvent OnGraphComplete;
    TNotifyEvent OnGraphUserAbort;
    TResultEvent OnGraphErrorAbort;
    TStreamErrorEvent OnGraphStreamErrorStopped;
    TStreamErrorEvent OnGraphStreamErrorStillPlaying;
    TResultEvent OnGraphErrorStillPlaying;
    TNotifyEvent OnGraphPaletteChanged;
    TVideoSizeEvent OnGraphVideoSizeChanged;
    TNotifyEvent OnGraphQualityChange;
    TNotifyEvent OnGraphClockChanged;
    TResultEvent OnGraphPaused;
    TFlagEvent OnGraphOpeningFile;
    TFlagEvent OnGraphBufferingData;
    TRendererEvent OnGraphFullscreenLost;
    TOleEvent OnGraphOleEvent;
    TStreamControlEvent OnGraphStreamControlStopped;
    TStreamControlEvent OnGraphStreamControlStarted;
    TEndOfSegmentEvent OnGraphEndOfSegment;
    TDeviceLostEvent OnGraphDeviceLost;
    TNotifyEvent OnGraphStepComplete;
    TPairEvent OnGraphTimeCodeAvailable;
    TPairEvent OnGraphEXTDeviceModeChange;
    TNotifyEvent OnGraphChanged;
    TNotifyEvent OnGraphClockUnset;
    TValueEvent OnGraphVMRRenderDevice;
    TPairEvent OnGraphSNDDevInError;
    TPairEvent OnGraphSNDDevOutError;
    // DVD events.
    TNotifyEvent OnDVDDomainFirstPlay, OnDVDDomainVideoManagerMenu, OnDVDDomainVideoTitleSetMenu,
        OnDVDDomainTitle, OnDVDDomainStop;
    TValueEvent OnDVDTitleChange;
    TValueEvent OnDVDChapterStart;
    TDVDLanguageEvent OnDVDAudioStreamChange;
    TDVDLanguageEvent OnDVDSubpictureStreamChange;
    TPairEvent OnDVDAngleChange;
    TPairEvent OnDVDButtonChange;
    TValueEvent OnDVDValidUOPSChange;
    TDVDStillOnEvent OnDVDStillOn;
    TNotifyEvent OnDVDStillOff;
    TDVDTimeEvent OnDVDCurrentTime;
    TNotifyEvent OnDVDErrorUnexpected, OnDVDErrorCopyProtectFail, OnDVDErrorInvalidDVD1_0Disc,
        OnDVDErrorInvalidDiscRegion, OnDVDErrorLowParentalLevel, OnDVDErrorMacrovisionFail,
        OnDVDErrorIncompatibleSystemAndDecoderRegions, OnDVDErrorIncompatibleDiscAndDecoderRegions;
    TNotifyEvent OnDVDWarningInvalidDVD1_0Disc, OnDVDWarningFormatNotSupported,
        OnDVDWarningIllegalNavCommand, OnDVDWarningOpen, OnDVDWarningSeek, OnDVDWarningRead;
    TNotifyEvent OnDVDChapterAutoStop;
    TNotifyEvent OnDVDNoFP_PGC;
    TDVDRateEvent OnDVDPlaybackRateChange;
    TValueEvent OnDVDParentalLevelChange;
    TNotifyEvent OnDVDPlaybackStopped;
    TFlagEvent OnDVDAnglesAvailable;
    TNotifyEvent OnDVDPlayPeriodAutoStop;
    TValueEvent OnDVDButtonAutoActivated;
    TValueEvent OnDVDCMDStart;
    TValueEvent OnDVDCMDEnd;
    TNotifyEvent OnDVDDiscEjected;
    TNotifyEvent OnDVDDiscInserted;
    TDVDHMSFTimeEvent OnDVDCurrentHMSFTime;
    TFlagEvent OnDVDKaraokeMode;

private:
    void RaiseIfAFilterStayedStopped(IMediaControl* control);
    void Activate();
    void Deactivate();
    void AddMemberFilter(IGraphMember* member);
    void RemoveMemberFilter(IGraphMember* member);
    void NotifySinks(TControlNotice code, int param);
    void WndProc(TMessage& message);
    void DrainEvents();
    void FireDVDLanguage(long event, LONG_PTR stream);
    void FireIndexed(std::initializer_list<const TNotifyEvent*> events, LONG_PTR index);

    bool FActive = false;
    bool FAutoCreate = false;
    TGraphMode FMode = gmNormal;
    bool FGraphEdit = false;
    std::wstring FLogFile;

    std::vector<IGraphMember*> FMembers;
    std::vector<IGraphEventSink*> FEventSinks;
    Microsoft::WRL::ComPtr<IFilterGraph2> FGraph;
    Microsoft::WRL::ComPtr<ICaptureGraphBuilder2> FCaptureBuilder;
    Microsoft::WRL::ComPtr<IDvdGraphBuilder> FDvdBuilder;
    Microsoft::WRL::ComPtr<IMediaEventEx> FEventQueue;
    DWORD FROTCookie = 0;
    TKernelHandle FLogStream;
    std::unique_ptr<TUtilityWindow> FWindow;
};
