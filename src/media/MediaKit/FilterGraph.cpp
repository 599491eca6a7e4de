#include "media/MediaKit/FilterGraph.h"
#include "framework/ScopeExit.h"

#include "media/MediaUtil/DVDTimeCode.h"
#include "media/MediaUtil/FilterList.h"
#include "media/MediaUtil/GraphRegistration.h"
#include "media/MediaUtil/MediaErrors.h"
#include "media/MediaUtil/MediaUuids.h"

#include "framework/Text.h"

#include <audevcod.h>
#include <dvdevcod.h>

#include <evcode.h>
#include <uuids.h>

#include <algorithm>
#include <cstring>

using Microsoft::WRL::ComPtr;

#define KIVORA_EVENT(name) EventProp(L## #name, &TFilterGraph::name)

const TClassInfo& TFilterGraph::StaticClass()
{
    static const TClassInfo info(L"TFilterGraph", &TMediaComponent::StaticClass(), {
        StrProp(L"LogFile", &TFilterGraph::LogFile, &TFilterGraph::SetLogFile),
        BoolProp(L"Active", &TFilterGraph::Active, &TFilterGraph::SetActive),
        BoolProp(L"AutoCreate", &TFilterGraph::AutoCreate, &TFilterGraph::SetAutoCreate),
        EnumProp(L"Mode", &TFilterGraph::Mode, &TFilterGraph::SetMode),
        BoolProp(L"GraphEdit", &TFilterGraph::GraphEdit, &TFilterGraph::SetGraphEdit),
        KIVORA_EVENT(OnActivate), KIVORA_EVENT(OnDSEvent),
        KIVORA_EVENT(OnGraphComplete), KIVORA_EVENT(OnGraphUserAbort), KIVORA_EVENT(OnGraphErrorAbort),
        KIVORA_EVENT(OnGraphStreamErrorStopped), KIVORA_EVENT(OnGraphStreamErrorStillPlaying),
        KIVORA_EVENT(OnGraphErrorStillPlaying), KIVORA_EVENT(OnGraphPaletteChanged),
        KIVORA_EVENT(OnGraphVideoSizeChanged), KIVORA_EVENT(OnGraphQualityChange),
        KIVORA_EVENT(OnGraphClockChanged), KIVORA_EVENT(OnGraphPaused), KIVORA_EVENT(OnGraphOpeningFile),
        KIVORA_EVENT(OnGraphBufferingData), KIVORA_EVENT(OnGraphFullscreenLost), KIVORA_EVENT(OnGraphOleEvent),
        KIVORA_EVENT(OnGraphStreamControlStopped), KIVORA_EVENT(OnGraphStreamControlStarted),
        KIVORA_EVENT(OnGraphEndOfSegment), KIVORA_EVENT(OnGraphDeviceLost), KIVORA_EVENT(OnGraphStepComplete),
        KIVORA_EVENT(OnGraphTimeCodeAvailable), KIVORA_EVENT(OnGraphEXTDeviceModeChange),
        KIVORA_EVENT(OnGraphChanged), KIVORA_EVENT(OnGraphClockUnset), KIVORA_EVENT(OnGraphVMRRenderDevice),
        KIVORA_EVENT(OnGraphSNDDevInError), KIVORA_EVENT(OnGraphSNDDevOutError),
        KIVORA_EVENT(OnDVDDomainFirstPlay), KIVORA_EVENT(OnDVDDomainVideoManagerMenu),
        KIVORA_EVENT(OnDVDDomainVideoTitleSetMenu), KIVORA_EVENT(OnDVDDomainTitle), KIVORA_EVENT(OnDVDDomainStop),
        KIVORA_EVENT(OnDVDTitleChange), KIVORA_EVENT(OnDVDChapterStart), KIVORA_EVENT(OnDVDAudioStreamChange),
        KIVORA_EVENT(OnDVDSubpictureStreamChange), KIVORA_EVENT(OnDVDAngleChange), KIVORA_EVENT(OnDVDButtonChange),
        KIVORA_EVENT(OnDVDValidUOPSChange), KIVORA_EVENT(OnDVDStillOn), KIVORA_EVENT(OnDVDStillOff),
        KIVORA_EVENT(OnDVDCurrentTime), KIVORA_EVENT(OnDVDErrorUnexpected), KIVORA_EVENT(OnDVDErrorCopyProtectFail),
        KIVORA_EVENT(OnDVDErrorInvalidDVD1_0Disc), KIVORA_EVENT(OnDVDErrorInvalidDiscRegion),
        KIVORA_EVENT(OnDVDErrorLowParentalLevel), KIVORA_EVENT(OnDVDErrorMacrovisionFail),
        KIVORA_EVENT(OnDVDErrorIncompatibleSystemAndDecoderRegions),
        KIVORA_EVENT(OnDVDErrorIncompatibleDiscAndDecoderRegions), KIVORA_EVENT(OnDVDWarningInvalidDVD1_0Disc),
        KIVORA_EVENT(OnDVDWarningFormatNotSupported), KIVORA_EVENT(OnDVDWarningIllegalNavCommand),
        KIVORA_EVENT(OnDVDWarningOpen), KIVORA_EVENT(OnDVDWarningSeek), KIVORA_EVENT(OnDVDWarningRead),
        KIVORA_EVENT(OnDVDChapterAutoStop), KIVORA_EVENT(OnDVDNoFP_PGC), KIVORA_EVENT(OnDVDPlaybackRateChange),
        KIVORA_EVENT(OnDVDParentalLevelChange), KIVORA_EVENT(OnDVDPlaybackStopped),
        KIVORA_EVENT(OnDVDAnglesAvailable), KIVORA_EVENT(OnDVDPlayPeriodAutoStop),
        KIVORA_EVENT(OnDVDButtonAutoActivated), KIVORA_EVENT(OnDVDCMDStart), KIVORA_EVENT(OnDVDCMDEnd),
        KIVORA_EVENT(OnDVDDiscEjected), KIVORA_EVENT(OnDVDDiscInserted), KIVORA_EVENT(OnDVDCurrentHMSFTime),
        KIVORA_EVENT(OnDVDKaraokeMode),
    });
    return info;
}

TFilterGraph::TFilterGraph(TComponent* owner)
    : TMediaComponent(owner),
      FWindow(std::make_unique<TUtilityWindow>(TWndMethod(this, &TFilterGraph::WndProc)))
{
}

TFilterGraph::~TFilterGraph()
{
    SetActive(false);
    // The window goes with the component, and with it any notification still posted to it.
    FWindow.reset();
}

void TFilterGraph::SetActive(bool active)
{
    if (active == FActive)
        return;
    if (active)
        Activate();
    else
        Deactivate();
}

void TFilterGraph::Activate()
{
    // Failures to create the graph objects are not checked: the component is then active
    // without a graph, and the calls that need it do nothing or fail on their own.
    switch (FMode) {
    case gmNormal:
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&FGraph));
        break;
    case gmCapture:
        CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&FCaptureBuilder));
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&FGraph));
        if (FCaptureBuilder && FGraph)
            FCaptureBuilder->SetFiltergraph(FGraph.Get());
        break;
    case gmDVD:
        CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&FDvdBuilder));
        if (FDvdBuilder) {
            ComPtr<IGraphBuilder> graph;
            FDvdBuilder->GetFiltergraph(&graph);
            if (graph)
                graph.As(&FGraph);
        }
        break;
    }
    FActive = true;

    if ((FEventQueue = Supports<IMediaEventEx>())) {
        FEventQueue->SetNotifyFlags(0);
        FEventQueue->SetNotifyWindow(reinterpret_cast<OAHWND>(FWindow->Handle()), WM_GRAPHNOTIFY,
                                     reinterpret_cast<LONG_PTR>(FEventQueue.Get()));
    }
    SetGraphEdit(FGraphEdit);
    SetLogFile(FLogFile);

    // A member may leave the list while it joins; walk a copy.
    for (IGraphMember* member : std::vector<IGraphMember*>(FMembers))
        AddMemberFilter(member);
    OnActivate(this);
    NotifySinks(cnActivation, 1);
}

void TFilterGraph::Deactivate()
{
    NotifySinks(cnActivation, 0);
    for (IGraphMember* member : std::vector<IGraphMember*>(FMembers))
        RemoveMemberFilter(member);
    if (FEventQueue) {
        FEventQueue->SetNotifyFlags(AM_MEDIAEVENT_NONOTIFY);
        FEventQueue->SetNotifyWindow(0, 0, 0);
        FEventQueue.Reset();
    }
    if (FROTCookie) {
        RevokeGraphFromROT(FROTCookie);
        FROTCookie = 0;
    }
    if (FGraph)
        FGraph->SetLogFile(0);
    FLogStream.reset();
    FGraph.Reset();
    FCaptureBuilder.Reset();
    FDvdBuilder.Reset();
    FActive = false;
}

void TFilterGraph::AddMemberFilter(IGraphMember* member)
{
    member->MemberNotify(moAdding, 0);
    if (FGraph)
        FGraph->AddFilter(member->MemberFilter().Get(), member->MemberName().c_str());
    member->MemberNotify(moAdded, 0);
}

void TFilterGraph::RemoveMemberFilter(IGraphMember* member)
{
    member->MemberNotify(moRemoving, 0);
    if (FGraph)
        FGraph->RemoveFilter(member->MemberFilter().Get());
    member->MemberNotify(moRemoved, 0);
}

void TFilterGraph::NotifySinks(TControlNotice code, int param)
{
    for (IGraphEventSink* sink : std::vector<IGraphEventSink*>(FEventSinks))
        sink->NotifyControl(code, param);
}

void TFilterGraph::SetMode(TGraphMode mode)
{
    if (mode == FMode)
        return;
    const bool wasActive = FActive;
    SetActive(false);
    FMode = mode;
    SetActive(wasActive);
}

void TFilterGraph::SetGraphEdit(bool value)
{
    if (!value && FROTCookie) {
        RevokeGraphFromROT(FROTCookie);
        FROTCookie = 0;
    } else if (value && !FROTCookie && FActive && FGraph) {
        RegisterGraphInROT(FGraph.Get(), FROTCookie);
    }
    FGraphEdit = value;
}

void TFilterGraph::SetLogFile(const std::wstring& fileName)
{
    if (FActive && FGraph) {
        FGraph->SetLogFile(0);
        FLogStream.reset();
        if (!fileName.empty()) {
            HANDLE file = CreateFileW(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return;  // a log that cannot be created is dropped; the name stays as it was
            FLogStream.reset(file);
            FGraph->SetLogFile(reinterpret_cast<DWORD_PTR>(file));
        }
    }
    FLogFile = fileName;
}

void TFilterGraph::Loaded()
{
    if (FAutoCreate && !ComponentState().Contains(csDesigning))
        SetActive(true);
    TMediaComponent::Loaded();
}

HRESULT TFilterGraph::QueryInterface(REFIID iid, void** object)
{
    HRESULT hr = TMediaComponent::QueryInterface(iid, object);
    if (SUCCEEDED(hr) || !FActive)
        return hr;
    auto ask = [&](IUnknown* unknown) {
        return unknown ? unknown->QueryInterface(iid, object) : E_NOINTERFACE;
    };
    switch (FMode) {
    case gmNormal:
        return ask(FGraph.Get());
    case gmCapture:
        hr = ask(FCaptureBuilder.Get());
        return SUCCEEDED(hr) ? hr : ask(FGraph.Get());
    case gmDVD:
        hr = ask(FDvdBuilder.Get());
        if (FAILED(hr) && FDvdBuilder)
            hr = FDvdBuilder->GetDvdInterface(iid, object);
        return SUCCEEDED(hr) ? hr : ask(FGraph.Get());
    }
    return hr;
}

bool TFilterGraph::RunGraph()
{
    ComPtr<IMediaControl> control = Supports<IMediaControl>();
    if (!control)
        return false;
    NotifySinks(cnPlay, 0);
    const bool ran = SUCCEEDED(RaiseOnFailure(control->Run()));
    RaiseIfAFilterStayedStopped(control.Get());
    return ran;
}

void TFilterGraph::RaiseIfAFilterStayedStopped(IMediaControl* control)
{
    // Some graph managers (Wine's among them) answer Run with success although a filter
    // refused to start (a device that failed, a file that could not be created). Every
    // filter has been told to run when Run returns, so one that is still stopped failed.
    TFilterList filters(FGraph.Get());
    for (int i = 0; i < filters.Count(); ++i) {
        FILTER_STATE state = State_Running;
        if (FAILED(filters.Items(i)->GetState(0, &state)) || state != State_Stopped)
            continue;
        // Pause, then Stop, brings every filter back to stopped after such a half start
        // (Stop alone leaves the others paused there).
        control->Pause();
        control->Stop();
        throw EDirectShowException(L"The filter \"" + FilterName(filters.Items(i).Get()) + L"\" could not start.", E_FAIL);
    }
}

bool TFilterGraph::StopGraph()
{
    ComPtr<IMediaControl> control = Supports<IMediaControl>();
    if (!control)
        return false;
    NotifySinks(cnStop, 0);
    return RaiseOnFailure(control->Stop()) == S_OK;
}

HRESULT TFilterGraph::RenderMediaFile(const std::wstring& fileName)
{
    if (!FGraph)
        return S_FALSE;
    NotifySinks(cnRenderFile, 0);
    HRESULT hr = RaiseOnFailure(FGraph->RenderFile(fileName.c_str(), nullptr));
    if (SUCCEEDED(hr))
        NotifySinks(cnFileRendered, 0);
    return hr;
}

void TFilterGraph::ClearAllFilters()
{
    if (!FGraph)
        return;
    StopGraph();
    TFilterList connected(FGraph.Get());
    for (int i = 0; i < connected.Count(); ++i) {
        TPinList pins(connected.Items(i).Get());
        for (int p = 0; p < pins.Count(); ++p)
            RaiseOnFailure(pins.Items(p)->Disconnect());
    }
    TFilterList others(FGraph.Get());
    for (IGraphMember* member : FMembers)
        others.Remove(member->MemberFilter().Get());
    for (int i = 0; i < others.Count(); ++i)
        RaiseOnFailure(FGraph->RemoveFilter(others.Items(i).Get()));
}

void TFilterGraph::AddMember(IGraphMember* member)
{
    FMembers.push_back(member);
    if (FActive)
        AddMemberFilter(member);
}

void TFilterGraph::RemoveMember(IGraphMember* member)
{
    auto found = std::find(FMembers.begin(), FMembers.end(), member);
    if (found == FMembers.end())
        return;
    FMembers.erase(found);
    if (FActive)
        RemoveMemberFilter(member);
}

void TFilterGraph::AddEventSink(IGraphEventSink* sink)
{
    FEventSinks.push_back(sink);
}

void TFilterGraph::RemoveEventSink(IGraphEventSink* sink)
{
    auto found = std::find(FEventSinks.begin(), FEventSinks.end(), sink);
    if (found != FEventSinks.end())
        FEventSinks.erase(found);
}

void TFilterGraph::WndProc(TMessage& message)
{
    if (message.Msg == WM_GRAPHNOTIFY) {
        // An exception ends this drain and reaches the application's handler (through
        // the utility window); the rest of the queue waits for the next notification.
        DrainEvents();
        message.Result = 0;
        return;
    }
    message.Result = DefWindowProcW(FWindow ? FWindow->Handle() : nullptr, message.Msg, message.WParam, message.LParam);
}

void TFilterGraph::DrainEvents()
{
    long code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    // The queue is looked at anew each time: a handler may deactivate the graph.
    while (FEventQueue && FEventQueue->GetEvent(&code, &param1, &param2, 0) == S_OK) {
        ComPtr<IMediaEventEx> queue = FEventQueue;
        const TScopeExit freeParams([&] { queue->FreeEventParams(code, param1, param2); });
        HandleGraphEvent(code, param1, param2);
    }
}

void TFilterGraph::FireIndexed(std::initializer_list<const TNotifyEvent*> events, LONG_PTR index)
{
    if (index >= 1 && index <= LONG_PTR(events.size()))
        (*(events.begin() + (index - 1)))->operator()(this);
}

void TFilterGraph::FireDVDLanguage(long event, LONG_PTR stream)
{
    const TDVDLanguageEvent& handler = event == EC_DVD_AUDIO_STREAM_CHANGE ? OnDVDAudioStreamChange
                                                                          : OnDVDSubpictureStreamChange;
    if (!handler.Assigned())
        return;
    ComPtr<IDvdInfo2> info = Supports<IDvdInfo2>();
    if (!info)
        return;
    LCID lcid = 0;
    if (event == EC_DVD_AUDIO_STREAM_CHANGE)
        RaiseOnFailure(info->GetAudioLanguage(ULONG(stream), &lcid));
    else
        RaiseOnFailure(info->GetSubpictureLanguage(ULONG(stream), &lcid));
    wchar_t language[260] = {};
    GetLocaleInfoW(lcid, LOCALE_SENGLANGUAGE, language, 260);
    handler(this, int(stream), lcid, language);
}

namespace {

// Hours, minutes, seconds, frames and the frame rate of a DVD time code.
struct TDVDTime {
    int hours, minutes, seconds, frames, rate;
};

TDVDTime DVDTime(uint32_t code)
{
    const TDVDTimeDigits d = UnpackDVDTimeCode(code);
    const int rate = d.FrameRateCode == 1 ? 25 : d.FrameRateCode == 3 ? 30 : 0;
    return {d.Hours1 + 10 * d.Hours10, d.Minutes1 + 10 * d.Minutes10, d.Seconds1 + 10 * d.Seconds10,
            d.Frames1 + 10 * d.Frames10, rate};
}

} // namespace

void TFilterGraph::HandleGraphEvent(long event, LONG_PTR p1, LONG_PTR p2)
{
    for (IGraphEventSink* sink : std::vector<IGraphEventSink*>(FEventSinks))
        sink->NotifyGraphEvent(event, p1, p2);
    OnDSEvent(this, event, p1, p2);

    switch (event) {
    case EC_COMPLETE: OnGraphComplete(this, HRESULT(p1), reinterpret_cast<IBaseFilter*>(p2)); break;
    case EC_USERABORT: OnGraphUserAbort(this); break;
    case EC_ERRORABORT: OnGraphErrorAbort(this, HRESULT(p1)); break;
    case EC_STREAM_ERROR_STOPPED: OnGraphStreamErrorStopped(this, HRESULT(p1), DWORD(p2)); break;
    case EC_STREAM_ERROR_STILLPLAYING: OnGraphStreamErrorStillPlaying(this, HRESULT(p1), DWORD(p2)); break;
    case EC_ERROR_STILLPLAYING: OnGraphErrorStillPlaying(this, HRESULT(p1)); break;
    case EC_PALETTE_CHANGED: OnGraphPaletteChanged(this); break;
    case EC_VIDEO_SIZE_CHANGED: OnGraphVideoSizeChanged(this, int(p1 & 0xFFFF), int((p1 >> 16) & 0xFFFF)); break;
    case EC_QUALITY_CHANGE: OnGraphQualityChange(this); break;
    case EC_CLOCK_CHANGED: OnGraphClockChanged(this); break;
    case EC_PAUSED: OnGraphPaused(this, HRESULT(p1)); break;
    case EC_OPENING_FILE: OnGraphOpeningFile(this, p1 == 1); break;
    case EC_BUFFERING_DATA: OnGraphBufferingData(this, p1 == 1); break;
    case EC_FULLSCREEN_LOST: OnGraphFullscreenLost(this, reinterpret_cast<IBaseFilter*>(p2)); break;
    case EC_OLE_EVENT:
        OnGraphOleEvent(this, p1 ? reinterpret_cast<const wchar_t*>(p1) : L"",
                        p2 ? reinterpret_cast<const wchar_t*>(p2) : L"");
        break;
    case EC_STREAM_CONTROL_STOPPED: OnGraphStreamControlStopped(this, reinterpret_cast<IPin*>(p1), DWORD(p2)); break;
    case EC_STREAM_CONTROL_STARTED: OnGraphStreamControlStarted(this, reinterpret_cast<IPin*>(p1), DWORD(p2)); break;
    case EC_END_OF_SEGMENT:
        OnGraphEndOfSegment(this, p1 ? *reinterpret_cast<const REFERENCE_TIME*>(p1) : 0, DWORD(p2));
        break;
    case EC_DEVICE_LOST: OnGraphDeviceLost(this, reinterpret_cast<IUnknown*>(p1), p2 == 1); break;
    case EC_STEP_COMPLETE: OnGraphStepComplete(this); break;
    case EC_TIMECODE_AVAILABLE: OnGraphTimeCodeAvailable(this, p1, p2); break;
    case EC_EXTDEVICE_MODE_CHANGE: OnGraphEXTDeviceModeChange(this, p1, p2); break;
    case EC_GRAPH_CHANGED: OnGraphChanged(this); break;
    case EC_CLOCK_UNSET: OnGraphClockUnset(this); break;
    case EC_VMR_RENDERDEVICE_SET: OnGraphVMRRenderDevice(this, p1); break;
    case EC_SNDDEV_IN_ERROR: OnGraphSNDDevInError(this, p1, p2); break;
    case EC_SNDDEV_OUT_ERROR: OnGraphSNDDevOutError(this, p1, p2); break;

    case EC_DVD_DOMAIN_CHANGE:
        FireIndexed({&OnDVDDomainFirstPlay, &OnDVDDomainVideoManagerMenu, &OnDVDDomainVideoTitleSetMenu,
                     &OnDVDDomainTitle, &OnDVDDomainStop}, p1);
        break;
    case EC_DVD_TITLE_CHANGE: OnDVDTitleChange(this, p1); break;
    case EC_DVD_CHAPTER_START: OnDVDChapterStart(this, p1); break;
    case EC_DVD_AUDIO_STREAM_CHANGE:
    case EC_DVD_SUBPICTURE_STREAM_CHANGE: FireDVDLanguage(event, p1); break;
    case EC_DVD_ANGLE_CHANGE: OnDVDAngleChange(this, p1, p2); break;
    case EC_DVD_BUTTON_CHANGE: OnDVDButtonChange(this, p1, p2); break;
    case EC_DVD_VALID_UOPS_CHANGE: OnDVDValidUOPSChange(this, p1); break;
    case EC_DVD_STILL_ON: OnDVDStillOn(this, p1 == 1, int(p2)); break;
    case EC_DVD_STILL_OFF: OnDVDStillOff(this); break;
    case EC_DVD_CURRENT_TIME: {
        const TDVDTime t = DVDTime(uint32_t(p1));
        OnDVDCurrentTime(this, t.hours, t.minutes, t.seconds, t.frames, t.rate);
        break;
    }
    case EC_DVD_ERROR:
        FireIndexed({&OnDVDErrorUnexpected, &OnDVDErrorCopyProtectFail, &OnDVDErrorInvalidDVD1_0Disc,
                     &OnDVDErrorInvalidDiscRegion, &OnDVDErrorLowParentalLevel, &OnDVDErrorMacrovisionFail,
                     &OnDVDErrorIncompatibleSystemAndDecoderRegions,
                     &OnDVDErrorIncompatibleDiscAndDecoderRegions}, p1);
        break;
    case EC_DVD_WARNING:
        FireIndexed({&OnDVDWarningInvalidDVD1_0Disc, &OnDVDWarningFormatNotSupported,
                     &OnDVDWarningIllegalNavCommand, &OnDVDWarningOpen, &OnDVDWarningSeek,
                     &OnDVDWarningRead}, p1);
        break;
    case EC_DVD_CHAPTER_AUTOSTOP: OnDVDChapterAutoStop(this); break;
    case EC_DVD_NO_FP_PGC: OnDVDNoFP_PGC(this); break;
    case EC_DVD_PLAYBACK_RATE_CHANGE: OnDVDPlaybackRateChange(this, float(p1) / 10000.0f); break;
    case EC_DVD_PARENTAL_LEVEL_CHANGE: OnDVDParentalLevelChange(this, p1); break;
    case EC_DVD_PLAYBACK_STOPPED: OnDVDPlaybackStopped(this); break;
    case EC_DVD_ANGLES_AVAILABLE: OnDVDAnglesAvailable(this, p1 == 1); break;
    case EC_DVD_PLAYPERIOD_AUTOSTOP: OnDVDPlayPeriodAutoStop(this); break;
    case EC_DVD_BUTTON_AUTO_ACTIVATED: OnDVDButtonAutoActivated(this, p1); break;
    case EC_DVD_CMD_START: OnDVDCMDStart(this, p1); break;
    case EC_DVD_CMD_END: OnDVDCMDEnd(this, p1); break;
    case EC_DVD_DISC_EJECTED: OnDVDDiscEjected(this); break;
    case EC_DVD_DISC_INSERTED: OnDVDDiscInserted(this); break;
    case EC_DVD_CURRENT_HMSF_TIME: {
        DVD_HMSF_TIMECODE hmsf;
        const uint32_t raw = uint32_t(p1);
        static_assert(sizeof hmsf == sizeof raw);
        std::memcpy(&hmsf, &raw, sizeof hmsf);
        const TDVDTime t = DVDTime(uint32_t(p2));
        OnDVDCurrentHMSFTime(this, hmsf, t.hours, t.minutes, t.seconds, t.frames, t.rate);
        break;
    }
    case EC_DVD_KARAOKE_MODE: OnDVDKaraokeMode(this, p1 != 0); break;
    default: break;
    }
}
