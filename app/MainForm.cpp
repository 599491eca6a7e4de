#include "app/MainForm.h"

#include "media/MediaUtil/FilterList.h"
#include "app/FlashWindow.h"
#include "app/FormatText.h"
#include "media/MediaUtil/MediaErrors.h"
#include "media/MediaUtil/MediaUuids.h"
#include "app/OptionForm.h"
#include "app/OutputFiles.h"
#include "app/RecordingContents.h"
#include "app/RendererChoice.h"
#include "app/ShowImageForm.h"
#include "app/ToolbarArt.h"
#include "app/VideoLayout.h"

#include "framework/Application.h"
#include "framework/MessageBox.h"
#include "framework/ScopeExit.h"
#include "framework/ShellFolders.h"
#include "framework/Stream.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

using Microsoft::WRL::ComPtr;

TMainForm* MainForm = nullptr;
std::unique_ptr<TJPEGImage> SnapshotJpeg;

namespace {
constexpr int kPlaybackBarHeight = 29;
const wchar_t kNoVideoDevice[] = L"视频设备未连接好.";
const wchar_t kNoAudioDevice[] = L"音频设备未连接好.";

// What the tool bar shows in each mode: the hints of the preview and record buttons
// (nullptr: left as they are) and whether the preview and setup buttons can be pressed.
struct TModeToolbar {
    const wchar_t* PreviewHint;
    const wchar_t* RecordHint;
    bool PreviewEnabled, SetupEnabled;
};
constexpr TModeToolbar kModeToolbar[] = {
    /* mmIdle */ {L"开始预览", L"录制电影", true, true},
    /* mmPreview */ {L"停止预览", L"录制电影", true, true},
    /* mmRecording */ {nullptr, L"停止录制", false, false},
    /* mmPlayback */ {nullptr, nullptr, true, true},
};

// What a user is told for a failure HRESULT: the file reasons for system errors
// (a full disk), a sentence for the media errors a damaged or foreign file gives, the
// system's text otherwise.
std::wstring FailureReason(HRESULT hr)
{
    static const struct {
        HRESULT Code;
        const wchar_t* Reason;
    } kMediaReasons[] = {
        {VFW_E_CANNOT_RENDER, L"文件格式无法识别或文件已损坏"},
        {VFW_E_UNSUPPORTED_STREAM, L"文件格式无法识别或文件已损坏"},
        {VFW_E_INVALID_FILE_FORMAT, L"文件格式无法识别或文件已损坏"},
        {VFW_E_UNKNOWN_FILE_TYPE, L"文件格式无法识别或文件已损坏"},
        {VFW_E_NOT_FOUND, L"文件不存在"},
    };
    for (const auto& r : kMediaReasons)
        if (r.Code == hr)
            return r.Reason;
    if (HRESULT_FACILITY(hr) == FACILITY_WIN32)
        return FileErrorReason(HRESULT_CODE(hr));
    wchar_t code[32];
    std::swprintf(code, std::size(code), L" (0x%08X)", static_cast<unsigned>(hr));
    return SystemErrorMessage(static_cast<unsigned long>(hr)) + code;
}
}

const TClassInfo& TMainForm::StaticClass()
{
    static const TClassInfo info(L"TMainForm", &TForm::StaticClass());
    return info;
}

void TMainForm::CreateComponents()
{
    SetName(L"MainForm");
    SetCaption(L"Kivora");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetClientWidth(636);
    SetClientHeight(548);
    SetColor(clBlack);
    SetPosition(poScreenCenter);
    SetShowHint(true);
    Font()->SetName(L"MS Sans Serif");
    Font()->SetSize(8);

    auto* actions = new TActionList(this);
    auto action = [&](const wchar_t* name, const wchar_t* caption, void (TMainForm::*handler)(TObject*)) {
        auto* a = new TAction(this);
        a->SetName(name);
        a->SetActionList(actions);
        a->SetCaption(caption);
        a->OnExecute = TNotifyEvent(this, handler);
        return a;
    };
    Action_FullScreen = action(L"Action_FullScreen", L"FullScreen", &TMainForm::Action_FullScreenExecute);
    Action_OpenFile = action(L"Action_OpenFile", L"Action_PlayFile", &TMainForm::Action_OpenFileExecute);
    Action_OnTop = action(L"Action_OnTop", L"Action_OnTop", &TMainForm::Action_OnTopExecute);
    Action_Stop = action(L"Action_Stop", L"Action_Stop", &TMainForm::Action_StopExecute);
    Action_Play = action(L"Action_Play", L"Action_Play", &TMainForm::Action_PlayExecute);

    PopupMenu = new TPopupMenu(this);
    PopupMenu->SetName(L"PopupMenu");
    auto item = [&](const wchar_t* name, const wchar_t* caption, TAction* linked, void (TMainForm::*handler)(TObject*)) {
        auto* i = new TMenuItem(this);
        i->SetName(name);
        if (linked)
            i->SetAction(linked);
        i->SetCaption(caption);
        if (handler)
            i->OnClick = TNotifyEvent(this, handler);
        PopupMenu->Items()->Add(i);
        return i;
    };
    item(L"Pop_PlayFile", L"播放文件", Action_OpenFile, nullptr);
    item(L"N1", L"-", nullptr, nullptr);
    Pop_Preview = item(L"Pop_Preview", L"活动视频", nullptr, &TMainForm::TB_PreviewClick);
    item(L"Pop_Snap", L"拍照", nullptr, &TMainForm::TB_SnapClick);
    Pop_Capture = item(L"Pop_Capture", L"录制电影", nullptr, &TMainForm::TB_CapWmvClick);
    item(L"N2", L"-", nullptr, nullptr);
    item(L"Pop_Setup", L"设置", nullptr, &TMainForm::TB_SetupVideoCtrolClick);
    item(L"N3", L"-", nullptr, nullptr);
    Pop_FullScreen = item(L"Pop_FullScreen", L"全屏", Action_FullScreen, nullptr);
    Pop_OnTop = item(L"Pop_OnTop", L"前端显示", Action_OnTop, nullptr);

    auto* images = new TImageList(this);
    auto* disabledImages = new TImageList(this);
    for (TImageList* list : {images, disabledImages}) {
        list->SetWidth(47);
        list->SetHeight(37);
    }
    for (int i = 0; i < 5; ++i) {
        const std::unique_ptr<TBitmap> picture = ToolbarPicture(i);
        images->AddMasked(*picture, clFuchsia);
        disabledImages->AddMasked(*DisabledPicture(*picture), clFuchsia);
    }
    ToolBar = new TToolBar(this);
    ToolBar->SetName(L"ToolBar");
    ToolBar->SetParent(this);
    ToolBar->SetBounds(0, 0, 636, 48);
    ToolBar->SetButtonWidth(54);
    ToolBar->SetButtonHeight(43);
    ToolBar->SetImages(images);
    ToolBar->SetDisabledImages(disabledImages);
    auto button = [&](const wchar_t* name, int picture, const wchar_t* hint, void (TMainForm::*handler)(TObject*)) {
        if (picture > 0) {
            auto* separator = new TToolButton(this);
            separator->SetStyle(tbsSeparator);
            separator->SetWidth(8);
            separator->SetParent(ToolBar);
        }
        auto* b = new TToolButton(this);
        b->SetName(name);
        b->SetImageIndex(picture);
        b->SetHint(hint);
        if (handler)
            b->OnClick = TNotifyEvent(this, handler);
        b->SetParent(ToolBar);
        return b;
    };
    TB_Preview = button(L"TB_Preview", 0, L"Preview", &TMainForm::TB_PreviewClick);
    TB_Snap = button(L"TB_Snap", 1, L"Snap", &TMainForm::TB_SnapClick);
    TB_CapWmv = button(L"TB_CapWmv", 2, L"Video Capture ", &TMainForm::TB_CapWmvClick);
    TB_SetupVideoCtrol = button(L"TB_SetupVideoCtrol", 3, L"Setup", &TMainForm::TB_SetupVideoCtrolClick);
    About = button(L"About", 4, L"About", &TMainForm::AboutClick);

    VideoWindow = new TVideoWindow(this);
    VideoWindow->SetName(L"VideoWindow");
    VideoWindow->SetParent(this);
    VideoWindow->SetBounds(0, 48, 640, 480);
    VideoWindow->SetColor(clBlack);
    VideoWindow->SetMode(RunningOnWine() ? vmNormal : vmVMR);
    VideoWindow->VMROptions()->SetMode(vmrWindowed);
    VideoWindow->SetPopupMenu(PopupMenu);
    VideoWindow->OnDblClick = TNotifyEvent(this, &TMainForm::Action_FullScreenExecute);
    VideoWindow->OnKeyDown = TKeyEvent(this, &TMainForm::VideoWindowKeyDown);

    auto* playbackImages = new TImageList(this);
    playbackImages->SetWidth(16);
    playbackImages->SetHeight(16);
    for (int i = 0; i < 12; ++i)
        playbackImages->AddMasked(*PlaybackPicture(i), clFuchsia);
    Panel_PlayBack = new TPanel(this);
    Panel_PlayBack->SetName(L"Panel_PlayBack");
    Panel_PlayBack->SetParent(this);
    Panel_PlayBack->SetBounds(0, 499, 641, kPlaybackBarHeight);
    Panel_PlayBack->SetVisible(false);
    auto* playBar = new TToolBar(this);
    playBar->SetName(L"ToolBar_PlayBack");
    playBar->SetParent(Panel_PlayBack);
    playBar->SetBounds(0, 0, 639, kPlaybackBarHeight);
    playBar->SetImages(playbackImages);
    TB_Play = new TToolButton(this);
    TB_Play->SetName(L"TB_Play");
    TB_Play->SetAction(Action_Play);
    TB_Play->SetImageIndex(3);
    TB_Play->SetParent(playBar);
    auto* separator = new TToolButton(this);
    separator->SetStyle(tbsSeparator);
    separator->SetParent(playBar);
    TB_Stop = new TToolButton(this);
    TB_Stop->SetName(L"TB_Stop");
    TB_Stop->SetAction(Action_Stop);
    TB_Stop->SetImageIndex(4);
    TB_Stop->SetParent(playBar);

    StatusBar = new TStatusBar(this);
    StatusBar->SetName(L"StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetHeight(19);
    StatusBar->Panels().Add()->SetWidth(100);
    StatusBar->Panels().Add()->SetWidth(300);

    SampleGrabber = new TSampleGrabber(this);
    SampleGrabber->SetName(L"SampleGrabber");
    ASFWriter = new TASFWriter(this);
    ASFWriter->SetName(L"ASFWriter");
    ASFWriter->SetProfile(wmp_V80_56VideoOnly);
    ASFWriter->SetFileName(L"test.wmv");
    Timer = new TTimer(this);
    Timer->SetName(L"Timer");
    Timer->SetEnabled(false);
    Timer->SetInterval(10);
    Timer->OnTimer = TNotifyEvent(this, &TMainForm::TimerTimer);
    // The program's skin, carried in its resources; every window is drawn from it.
    SkinData1 = new TSkinData(this);
    SkinData1->SetName(L"SkinData1");
    SkinData1->SetActive(true);
    SkinData1->LoadSkinFromResource(L"SKINSTREAM");
    OpenDialog = new TOpenDialog(this);
    OpenDialog->SetName(L"OpenDialog");
    OpenDialog->SetFilter(L"WMV File (*.wmv)|*.wmv|AVI File (*.avi *.rmvb)|*.avi;*.rmvb|MPEG File (*.mpg *.mpeg)|*.mpg;*.mpeg");

    OnCreate = TNotifyEvent(this, &TMainForm::FormCreate);
    OnShow = TNotifyEvent(this, &TMainForm::FormShow);
    OnClose = TCloseEvent(this, &TMainForm::FormClose);
}

void TMainForm::BindToGraph(TFilterGraph* graph)
{
    VideoWindow->SetFilterGraph(graph);
    SampleGrabber->SetFilterGraph(graph);
    graph->OnGraphErrorAbort = TResultEvent(this, &TMainForm::GraphErrorAbort);
}

void TMainForm::FormCreate(TObject*)
{
    SnapshotJpeg = std::make_unique<TJPEGImage>();
    SnapshotJpeg->SetCompressionQuality(100);
}

void TMainForm::FormShow(TObject*)
{
    SetCaption(L"Kivora 视频捕捉");
    TB_Snap->SetHint(L"拍照");
    TB_SetupVideoCtrol->SetHint(L"设置视频");
    EnterMode(mmIdle);
    // The folder the settings dialog started with: the one kept from the last run while it
    // still exists, otherwise Documents.
    FSaveDir = frm_Option ? frm_Option->Edit_SaveDir->Text() : DocumentsFolder();
}

void TMainForm::FormClose(TObject*, TCloseAction&)
{
    if (FMode == mmRecording)
        EndRecording();
    else
        ReleaseGraph();
}

void TMainForm::EnterMode(TMainMode mode)
{
    FMode = mode;
    const TModeToolbar& look = kModeToolbar[mode];
    if (look.PreviewHint)
        TB_Preview->SetHint(look.PreviewHint);
    if (look.RecordHint)
        TB_CapWmv->SetHint(look.RecordHint);
    TB_Preview->SetEnabled(look.PreviewEnabled);
    TB_SetupVideoCtrol->SetEnabled(look.SetupEnabled);
    TB_CapWmv->SetEnabled(true);
}

void TMainForm::ReleaseGraph()
{
    TFilterGraph* graph = frm_Option->FilterGraph;
    graph->StopGraph();
    graph->SetActive(false);
    ASFWriter->SetFilterGraph(nullptr);
}

void TMainForm::ReleaseGraphAfterFailure()
{
    try {
        frm_Option->FilterGraph->StopGraph();
    } catch (const EError&) {
        // The graph is deactivated below whatever Stop answered.
    }
    frm_Option->FilterGraph->SetActive(false);
    ASFWriter->SetFilterGraph(nullptr);
}

bool TMainForm::RefreshVideoDevices()
{
    frm_Option->FVideoDevices = std::make_unique<TSysDevEnum>(CLSID_VideoInputDeviceCategory);
    if (frm_Option->FVideoDevices->FilterCount() > 0)
        return true;
    ShowMessage(kNoVideoDevice);
    EnterMode(mmIdle);
    return false;
}

void TMainForm::ApplyVideoLayout(int width, int height, bool startMargins, bool keepVideoWidth)
{
    const TWindowMargins margins = startMargins ? kStartMargins : kSettingsMargins;
    // A frame larger than the screen shows smaller, so the whole window (its close box
    // too) stays on the screen.
    // The layout's sizes are outer sizes under the system's frame; the window keeps the
    // client area they give whatever frame it is drawn with (the skin's is another), so
    // the area it must fit in is smaller or larger by what its frame adds.
    const SIZE frame = NativeFrameSize();
    const int extraWidth = (Width() - ClientWidth()) - frame.cx, extraHeight = (Height() - ClientHeight()) - frame.cy;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const TVideoLayout layout = FitToWorkArea(FitToVideoSize(width, height, margins), margins,
                                              area.right - area.left - extraWidth, area.bottom - area.top - extraHeight);
    if (layout.WindowWidth)
        SetClientWidth(*layout.WindowWidth - frame.cx);
    if (layout.WindowHeight)
        SetClientHeight(*layout.WindowHeight - frame.cy);
    VideoWindow->SetBounds(layout.VideoLeft.value_or(VideoWindow->Left()), layout.VideoTop.value_or(VideoWindow->Top()),
                           keepVideoWidth ? VideoWindow->Width() : layout.VideoWidth.value_or(VideoWindow->Width()),
                           layout.VideoHeight.value_or(VideoWindow->Height()));
    KeepInWorkArea(area);
}

void TMainForm::KeepInWorkArea(const RECT& area)
{
    const int left = std::max<int>(area.left, std::min<int>(Left(), area.right - Width()));
    const int top = std::max<int>(area.top, std::min<int>(Top(), area.bottom - Height()));
    if (left != Left() || top != Top())
        SetBounds(left, top, Width(), Height());
}

void TMainForm::PlacePlaybackBar()
{
    const TBarPlace place = PlaybackBarPlace(VideoWindow->Top(), VideoWindow->Height(), VideoWindow->Width());
    Panel_PlayBack->SetBounds(Panel_PlayBack->Left(), place.Top, place.Width, Panel_PlayBack->Height());
}

void TMainForm::ApplySourceSettings()
{
    Tfrm_Option& option = *frm_Option;
    // Without a sound input the audio source has no device to set: a preview needs none,
    // and a recording refuses to start before it gets here.
    if (option.AudioSourceFilter->FilterGraph() && option.AudioSourceFilter->BaseFilter().DataLength() > 0) {
        TPinList pins(option.AudioSourceFilter->As<IBaseFilter>().Get());
        for (int i = 0; i < pins.Count();) {
            if (pins.Direction(i) != PINDIR_OUTPUT) {
                ++i;
                continue;
            }
            if (const int s = option.CB_AudioFormats->ItemIndex(); s >= 0)
                InterfaceCast<IAMStreamConfig>(pins.Items(i))->SetFormat(&option.FAudioFormats.Items(s).MediaRecord);
            pins.Delete(i);
        }
        if (const int s = option.CB_InputLines->ItemIndex(); s >= 0 && s < pins.Count())
            InterfaceCast<IAMAudioInputMixer>(pins.Items(s))->put_Enable(TRUE);
    }
    if (option.VideoSourceFilter->FilterGraph()) {
        TPinList pins(option.VideoSourceFilter->As<IBaseFilter>().Get());
        if (const int s = option.CB_VideoFormats->ItemIndex(); s >= 0)
            InterfaceCast<IAMStreamConfig>(pins.First())->SetFormat(&option.FVideoFormats.Items(s).MediaRecord);
    }
}

void TMainForm::ActivateCaptureGraph()
{
    if (const int s = frm_Option->CB_VideoFormats->ItemIndex(); s >= 0) {
        const TFrameSize size = GetVideoSize(frm_Option->FVideoFormats.Items(s).MediaRecord);
        ApplyVideoLayout(size.Width, size.Height, true);
    }
    TFilterGraph* graph = frm_Option->FilterGraph;
    graph->SetMode(gmCapture);
    graph->SetActive(true);
    ApplySourceSettings();
}

void TMainForm::StartPreview()
{
    ReleaseGraph();
    Panel_PlayBack->SetVisible(false);
    if (!RefreshVideoDevices())
        return;
    ActivateCaptureGraph();
    TFilterGraph* graph = frm_Option->FilterGraph;
    if (frm_Option->VideoSourceFilter->BaseFilter().DataLength() > 0) {
        ComPtr<ICaptureGraphBuilder2> builder = graph->As<ICaptureGraphBuilder2>();
        RaiseOnFailure(builder->RenderStream(&PIN_CATEGORY_PREVIEW, nullptr,
                                             frm_Option->VideoSourceFilter->As<IBaseFilter>().Get(),
                                             SampleGrabber->As<IBaseFilter>().Get(),
                                             VideoWindow->Supports<IBaseFilter>().Get()));
    }
    graph->RunGraph();
}

void TMainForm::TB_PreviewClick(TObject*)
{
    if (FStarting)
        return;
    Pop_Preview->SetChecked(!Pop_Preview->Checked());
    Pop_Capture->SetChecked(false);
    switch (FMode) {
    case mmPlayback:
        Panel_PlayBack->SetVisible(false);
        [[fallthrough]];
    case mmIdle:
        FMode = mmPreview;
        StartOrBackToIdle(&TMainForm::StartPreview);
        if (FMode == mmPreview) {
            EnterMode(mmPreview);
            StatusBar->Panels()[0]->SetText(L"");
            StatusBar->Panels()[1]->SetText(L"");
        } else {
            Pop_Preview->SetChecked(false);  // no device: nothing runs, so nothing is checked
        }
        break;
    case mmPreview:
        ReleaseGraph();
        EnterMode(mmIdle);
        break;
    case mmRecording:
        break;
    }
}

void TMainForm::AboutClick(TObject*)
{
    // A fresh about window for every showing, gone when it closes.
    std::unique_ptr<TFlashWindow> about(TCustomForm::Create<TFlashWindow>(Application));
    about->ShowModal();
}

void TMainForm::StartOrBackToIdle(void (TMainForm::*start)())
{
    // Starting a graph may pump messages (COM calls into the devices): a preview or
    // record command that arrives meanwhile must not start or stop anything half-made.
    FStarting = true;
    const TScopeExit started([this] { FStarting = false; });
    try {
        (this->*start)();
    } catch (...) {
        BackToIdle();
        throw; // the application's handler shows the error
    }
}

void TMainForm::BackToIdle()
{
    ReleaseGraphAfterFailure();
    Timer->SetEnabled(false);
    // The start created the recording's file; nothing was recorded into it.
    if (!FRecordingFile.empty()) {
        DeleteFileW(FRecordingFile.c_str());
        FRecordingFile.clear();
    }
    Pop_Preview->SetChecked(false);
    Pop_Capture->SetChecked(false);
    EnterMode(mmIdle);
}

void TMainForm::TB_CapWmvClick(TObject*)
{
    if (FStarting)
        return;
    Pop_Capture->SetChecked(!Pop_Capture->Checked());
    Pop_Preview->SetChecked(false);
    if (FMode == mmRecording) {
        EndRecording();
        EnterMode(mmIdle);
        return;
    }
    // Greyed while the recording starts; every way out of the start enables it again
    // through EnterMode.
    TB_CapWmv->SetEnabled(false);
    TB_CapWmv->Invalidate();
    FMode = mmRecording;
    StartOrBackToIdle(&TMainForm::StartRecording);
    if (FMode == mmRecording)
        EnterMode(mmRecording);
    else
        Pop_Capture->SetChecked(false);  // no device: nothing records, so nothing is checked
}

void TMainForm::StartRecording()
{
    TFilterGraph* graph = frm_Option->FilterGraph;
    ReleaseGraph();
    Panel_PlayBack->SetVisible(false);
    if (!RefreshVideoDevices())
        return;
    if (frm_Option->AudioSourceFilter->BaseFilter().DataLength() == 0) {
        ShowMessage(kNoAudioDevice);
        EnterMode(mmIdle);
        return;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    // The file is made here, under a name no other picture or recording has; from now
    // on it is this recording's, and a failed start removes it again.
    FRecordingFile = CreateOutputFile(FSaveDir, okRecording, now);
    ASFWriter->SetFileName(FRecordingFile);
    ActivateCaptureGraph();
    ComPtr<ICaptureGraphBuilder2> builder = graph->As<ICaptureGraphBuilder2>();
    ASFWriter->SetFilterGraph(graph);
    ASFWriter->SetProfile(wmp_V70_1500FilmContentVideo);
    IBaseFilter* video = frm_Option->VideoSourceFilter->As<IBaseFilter>().Get();
    IBaseFilter* writer = ASFWriter->As<IBaseFilter>().Get();
    // The live picture goes through the sample grabber, so snapshots work while recording.
    RaiseOnFailure(builder->RenderStream(&PIN_CATEGORY_PREVIEW, nullptr, video, SampleGrabber->As<IBaseFilter>().Get(),
                                         VideoWindow->Supports<IBaseFilter>().Get()));
    RaiseOnFailure(builder->RenderStream(&PIN_CATEGORY_CAPTURE, nullptr, video, nullptr, writer));
    RaiseOnFailure(builder->RenderStream(nullptr, nullptr, frm_Option->AudioSourceFilter->As<IBaseFilter>().Get(),
                                         nullptr, writer));
    graph->RunGraph();
    Timer->SetEnabled(true);
}

void TMainForm::EndRecording()
{
    Timer->SetEnabled(false);
    const std::wstring file = std::exchange(FRecordingFile, std::wstring());
    // The writer completes the file as it leaves the stopped graph.
    ReleaseGraph();
    // Stopped before anything reached the file (a double click): a header without data
    // plays nowhere, so it is not kept.
    if (!file.empty() && ReadRecordingContents(file) == rcNoData)
        DeleteFileW(file.c_str());
}

void TMainForm::GraphErrorAbort(TObject*, HRESULT hr)
{
    // Only a recording has work to keep; the writer has stopped writing (a full disk, the
    // folder gone) and the file holds what was written before.
    if (FMode != mmRecording)
        return;
    const std::wstring file = FRecordingFile;
    EndRecording();
    Pop_Capture->SetChecked(false);
    EnterMode(mmIdle);
    std::wstring text = L"录制已停止：" + FailureReason(hr) + L"。";
    if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES)
        text += L"\n已录制的部分保存在 " + file + L"。";
    ShowMessage(text);
}

void TMainForm::TB_SnapClick(TObject*)
{
    TakeSnapshot();
}

void TMainForm::TakeSnapshot()
{
    if (!frm_Option->FilterGraph->Active())
        return;
    TBitmap* picture = ShowImageForm->Image->Picture()->Bitmap();
    SampleGrabber->GrabFrame(picture);
    SnapshotJpeg->Assign(*picture);
    // Encoded before a file is made: a picture that cannot be encoded leaves nothing.
    TMemoryStream jpeg;
    SnapshotJpeg->SaveToStream(jpeg);
    SYSTEMTIME now;
    GetLocalTime(&now);
    // A file that cannot be made or written raises with its name; the viewer is then not shown.
    WriteOutputFile(CreateOutputFile(FSaveDir, okSnapshot, now), jpeg.Bytes());
    ShowImageForm->Image->Invalidate();
    ShowImageForm->SetCaption(L"照片保存在: " + FSaveDir);
    ShowImageForm->ShowModal();
}

void TMainForm::TB_SetupVideoCtrolClick(TObject*)
{
    if (!RefreshVideoDevices())
        return;
    if (FMode != mmRecording)
        frm_Option->ShowModal();
}

void TMainForm::SettingsAccepted(const std::wstring& saveDir)
{
    FSaveDir = saveDir;
    frm_Option->Hide();
    Repaint();
    const int s = frm_Option->CB_VideoFormats->ItemIndex();
    const TFrameSize size = s >= 0 ? GetVideoSize(frm_Option->FVideoFormats.Items(s).MediaRecord) : TFrameSize{};
    auto statusWidth = [&] {
        if (size.Width != 0)
            StatusBar->Panels()[0]->SetWidth(size.Width > 352 ? 300 : 100);
    };
    switch (FMode) {
    case mmIdle:
        if (s >= 0) {
            ApplyVideoLayout(size.Width, size.Height, false);
            statusWidth();
        }
        break;
    case mmPreview:
        // A restart that fails leaves the window idle; the error reaches the user once.
        StartOrBackToIdle(&TMainForm::StartPreview);
        if (FMode == mmPreview)
            EnterMode(mmPreview);
        else
            Pop_Preview->SetChecked(false);
        break;
    case mmRecording: break;
    case mmPlayback:
        if (s >= 0) {
            ApplyVideoLayout(size.Width, size.Height, false, true);
            if (size.Height != 0) {
                VideoWindow->SetWidth(size.Width);
                SetHeight(Height() + kPlaybackBarHeight);
                PlacePlaybackBar();
            }
            statusWidth();
        }
        break;
    }
}

void TMainForm::Action_FullScreenExecute(TObject*)
{
    const bool fullScreen = !VideoWindow->FullScreen();
    // Full screen shows the running picture: with nothing running there is nothing to
    // show, and neither the window nor the check mark changes.
    if (fullScreen && !frm_Option->FilterGraph->Active())
        return;
    // The full-screen picture is not skinned; the frames are skinned again on the way back.
    SkinData1->SetSkinningEnabled(!fullScreen);
    VideoWindow->SetFullScreen(fullScreen);
    Action_FullScreen->SetChecked(fullScreen);
}

void TMainForm::VideoWindowKeyDown(TObject*, WPARAM key)
{
    // Esc leaves full screen, as users expect of a full-screen picture.
    if (key == VK_ESCAPE && VideoWindow->FullScreen())
        Action_FullScreenExecute(this);
}

void TMainForm::Action_OnTopExecute(TObject*)
{
    Action_OnTop->SetChecked(!Action_OnTop->Checked());
    SetWindowPos(Handle(), Action_OnTop->Checked() ? HWND_TOPMOST : HWND_NOTOPMOST, Left(), Top(), Width(), Height(), 0);
}

void TMainForm::Action_OpenFileExecute(TObject*)
{
    Timer->SetEnabled(false);
    if (FMode == mmRecording) {
        // A recording is cut short here; its file is completed and kept.
        EndRecording();
        EnterMode(mmIdle);
    } else {
        ReleaseGraph();
    }
    Pop_Preview->SetChecked(false);
    Pop_Capture->SetChecked(false);
    // Stopped: in playback the play button plays the file again.
    Action_Play->SetChecked(false);
    if (FMode != mmPlayback)
        EnterMode(mmIdle);
    const std::wstring previousFile = OpenDialog->FileName();
    if (!OpenDialog->Execute())
        return;
    const bool newBar = FMode != mmPlayback;
    const int heightBefore = Height();
    TFilterGraph* graph = frm_Option->FilterGraph;
    try {
        if (newBar)
            SetHeight(Height() + kPlaybackBarHeight);
        PlacePlaybackBar();
        Panel_PlayBack->SetVisible(true);
        graph->SetActive(true);
        graph->RenderMediaFile(OpenDialog->FileName());
        graph->RunGraph();
    } catch (const EError& e) {
        // The window goes back to what it was before the attempt; in playback the play
        // button keeps the file that played.
        const auto* media = dynamic_cast<const EDirectShowException*>(&e);
        const std::wstring reason = media ? FailureReason(media->ErrorCode) : e.Message();
        const std::wstring file = OpenDialog->FileName();
        ReleaseGraphAfterFailure();
        if (newBar) {
            Panel_PlayBack->SetVisible(false);
            SetHeight(heightBefore);
        } else {
            OpenDialog->SetFileName(previousFile);
        }
        throw EError(L"无法播放文件 " + file + L"：" + reason + L"。");
    }
    EnterMode(mmPlayback);
    Timer->SetEnabled(true);
    Action_Play->SetChecked(true);
}

void TMainForm::Action_PlayExecute(TObject*)
{
    if (Action_Play->Checked()) {
        TB_Play->SetDown(true);
        return;
    }
    TFilterGraph* graph = frm_Option->FilterGraph;
    graph->SetActive(true);
    graph->RenderMediaFile(OpenDialog->FileName());
    graph->RunGraph();
    Timer->SetEnabled(true);
    Action_Play->SetChecked(true);
}

void TMainForm::Action_StopExecute(TObject*)
{
    ReleaseGraph();
    Action_Play->SetChecked(false);
}

void TMainForm::TimerTimer(TObject*)
{
    TFilterGraph* graph = frm_Option->FilterGraph;
    if (!graph->Active() || (FMode != mmRecording && FMode != mmPlayback))
        return;
    ComPtr<IMediaSeeking> seeking = graph->As<IMediaSeeking>();
    if (FMode == mmRecording) {
        LONGLONG position = 0;
        seeking->GetCurrentPosition(&position);
        StatusBar->Panels()[0]->SetText(RunningTimeText(L"捕捉", position / 10000));
        StatusBar->Panels()[1]->SetText(L"电影保存: " + FSaveDir);
        return;
    }
    LONGLONG current = 0, stop = 0;
    seeking->GetCurrentPosition(&current);
    seeking->GetStopPosition(&stop);
    if (current == stop) {
        Action_Play->SetChecked(false);
        ReleaseGraph();
    }
    StatusBar->Panels()[0]->SetText(RunningTimeText(L"播放", current / 10000));
    StatusBar->Panels()[1]->SetText(L"");
}
