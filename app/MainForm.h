// The main window: tool bar, live video, playback bar, status bar, popup menu and the
// commands of the four modes (idle, preview, recording, playback).
#pragma once

#include "media/MediaKit/ASFWriter.h"
#include "media/MediaKit/SampleGrabber.h"
#include "media/MediaKit/VideoWindow.h"

#include "skin/SkinData.h"

#include "framework/Actions.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Jpeg.h"
#include "framework/Menus.h"
#include "framework/OpenDialog.h"
#include "framework/Panel.h"
#include "framework/StatusBar.h"
#include "framework/Timer.h"
#include "framework/ToolBar.h"

#include <memory>

enum TMainMode : uint8_t { mmIdle, mmPreview, mmRecording, mmPlayback };

class TMainForm : public TForm {
    KIVORA_CLASS(TMainForm, TForm)
public:
    using TForm::TForm;

    TToolBar* ToolBar = nullptr;
    TToolButton *TB_Preview = nullptr, *TB_Snap = nullptr, *TB_CapWmv = nullptr, *TB_SetupVideoCtrol = nullptr,
                *About = nullptr, *TB_Play = nullptr, *TB_Stop = nullptr;
    TVideoWindow* VideoWindow = nullptr;
    TPanel* Panel_PlayBack = nullptr;
    TStatusBar* StatusBar = nullptr;
    TSampleGrabber* SampleGrabber = nullptr;
    TASFWriter* ASFWriter = nullptr;
    TTimer* Timer = nullptr;
    TSkinData* SkinData1 = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TPopupMenu* PopupMenu = nullptr;
    TMenuItem *Pop_Preview = nullptr, *Pop_Capture = nullptr, *Pop_FullScreen = nullptr, *Pop_OnTop = nullptr;
    TAction *Action_FullScreen = nullptr, *Action_OpenFile = nullptr, *Action_OnTop = nullptr, *Action_Stop = nullptr,
            *Action_Play = nullptr;

    TMainMode Mode() const { return FMode; }
    const std::wstring& SaveDir() const { return FSaveDir; }
    // The settings dialog's OK: the new save folder, then resize or restart by mode.
    void SettingsAccepted(const std::wstring& saveDir);
    // Binds the video window and the sample grabber to the settings dialog's graph.
    void BindToGraph(TFilterGraph* graph);

    void TB_PreviewClick(TObject* sender);
    void TB_SnapClick(TObject* sender);
    void TB_CapWmvClick(TObject* sender);
    void TB_SetupVideoCtrolClick(TObject* sender);
    void AboutClick(TObject* sender);
    void Action_FullScreenExecute(TObject* sender);
    void Action_OpenFileExecute(TObject* sender);
    void Action_OnTopExecute(TObject* sender);
    void Action_PlayExecute(TObject* sender);
    void Action_StopExecute(TObject* sender);

protected:
    void CreateComponents() override;

private:
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void TimerTimer(TObject* sender);
    void VideoWindowKeyDown(TObject* sender, WPARAM key);
    // Fits the window to the chosen video format, activates the dialog's graph for
    // capture and applies the chosen device settings: the start of preview and recording.
    void ActivateCaptureGraph();
    void StartPreview();
    void StartRecording();
    // Runs a start of preview or recording; when it raises, the window returns to idle
    // (graph stopped and inactive, idle toolbar, no half-made file) before the error is
    // shown, so the next command works.
    void StartOrBackToIdle(void (TMainForm::*start)());
    void BackToIdle();
    // Sets the mode and what the tool bar shows in it (hints, buttons that can be pressed).
    void EnterMode(TMainMode mode);
    // Stops the dialog's graph and makes it inactive; the writer leaves it, so a finished
    // recording's file is never touched again.
    void ReleaseGraph();
    // The same after a failure, when Stop may fail too: the graph is made inactive anyway.
    void ReleaseGraphAfterFailure();
    // Ends a recording: timer off, graph released (the writer completes the file), and a
    // file that received nothing removed.
    void EndRecording();
    // The graph stopped on an error (the writer could not write: a full disk): a
    // recording ends, keeps what was written and says why.
    void GraphErrorAbort(TObject* sender, HRESULT hr);
    void TakeSnapshot();
    void ApplySourceSettings();
    void ApplyVideoLayout(int width, int height, bool startMargins, bool keepVideoWidth = false);
    // Moves the window back onto the work area when part of it lies outside.
    void KeepInWorkArea(const RECT& area);
    void PlacePlaybackBar();
    // A fresh video device list for the dialog; false (with the message) when it is empty.
    bool RefreshVideoDevices();

    std::wstring FSaveDir;
    TMainMode FMode = mmIdle;
    // While a preview or recording starts: the preview and record commands wait.
    bool FStarting = false;
    // The file of the recording being made, from its start to its end; a failed start
    // removes it.
    std::wstring FRecordingFile;
};

extern TMainForm* MainForm;
// The one JPEG image of the program's snapshots, quality 100.
extern std::unique_ptr<TJPEGImage> SnapshotJpeg;
