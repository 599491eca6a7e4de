// TVideoWindow: a windowed control that shows the video of a TFilterGraph. While the
// graph is active it owns a video renderer (the classic renderer, or the Video Mixing
// Renderer 9 windowed or windowless) and keeps the renderer's picture over its own
// rectangle, full screen, or hidden with it. As an event sink of the graph it attaches
// the renderer's window (owner, caption, message drain, place) each time the graph is
// about to run, so clicks and the popup menu work over the picture.
#pragma once

#include "media/MediaKit/FilterGraph.h"
#include "media/MediaKit/GraphLink.h"
#include "media/MediaKit/GraphMember.h"

#include "framework/CustomControl.h"
#include "framework/Persistent.h"

#include <d3d9.h>
#include <vmr9.h>
#include <control.h>

enum TVideoMode { vmNormal, vmVMR };
KIVORA_ENUM_NAMES(TVideoMode, L"vmNormal", L"vmVMR")

enum TVMRVideoMode { vmrWindowed, vmrWindowless, vmrRenderless };
KIVORA_ENUM_NAMES(TVMRVideoMode, L"vmrWindowed", L"vmrWindowless", L"vmrRenderless")

enum TVMRPreference {
    vpForceOffscreen, vpForceOverlays, vpForceMixer, vpDoNotRenderColorKeyAndBorder,
    vpRestrictToInitialMonitor, vpPreferAGPMemWhenMixing,
};
KIVORA_ENUM_NAMES(TVMRPreference, L"vpForceOffscreen", L"vpForceOverlays", L"vpForceMixer",
                  L"vpDoNotRenderColorKeyAndBorder", L"vpRestrictToInitialMonitor", L"vpPreferAGPMemWhenMixing")
using TVMRPreferences = TSet<TVMRPreference>;

// A key event: the sender and the virtual-key code.
using TKeyEvent = TEvent<TObject*, WPARAM>;

class TVideoWindow;

// The VMR-9 settings of a video window. Changing the mode, streams or preferences while
// the graph is active rebuilds the renderer.
class TVMROptions : public TPersistent {
    KIVORA_CLASS(TVMROptions, TPersistent)
public:
    explicit TVMROptions(TVideoWindow& owner) : FOwner(owner) {}

    TVMRVideoMode Mode() const { return FMode; }
    void SetMode(TVMRVideoMode mode);
    // 1..16; anything else is stored as 1.
    unsigned Streams() const { return FStreams; }
    void SetStreams(unsigned streams);
    TVMRPreferences Preferences() const { return FPreferences; }
    void SetPreferences(TVMRPreferences preferences);
    bool KeepAspectRatio() const { return FKeepAspectRatio; }
    void SetKeepAspectRatio(bool keep);

private:
    friend class TVideoWindow;
    void RebuildRenderer();
    TVideoWindow& FOwner;
    TVMRVideoMode FMode = vmrWindowed;
    unsigned FStreams = 4;
    TVMRPreferences FPreferences{vpForceMixer};
    bool FKeepAspectRatio = true;
};

class TVideoWindow : public TCustomControl, public IGraphMember, public IGraphEventSink {
    KIVORA_CLASS(TVideoWindow, TCustomControl)
public:
    explicit TVideoWindow(TComponent* owner);
    ~TVideoWindow() override;

    TVideoMode Mode() const { return FMode; }
    // vmVMR falls back to vmNormal where the VMR-9 cannot be created.
    void SetMode(TVideoMode mode);
    TFilterGraph* FilterGraph() const { return FGraphLink.Graph(); }
    void SetFilterGraph(TFilterGraph* graph) { FGraphLink.Set(graph); }
    TVMROptions* VMROptions() const { return const_cast<TVMROptions*>(&FVMROptions); }
    bool FullScreen() const { return FFullScreen; }
    void SetFullScreen(bool fullScreen);
    bool FullScreenTopMost() const { return FFullScreenTopMost; }
    void SetFullScreenTopMost(bool topMost);
    // The renderer's window, or the control's own window when there is none.
    HWND VideoHandle();
    void SetVisible(bool visible) override;

    // Whether the VMR-9 can be created on this system.
    static bool VMR9Available();

    // The renderer's interfaces (and the windowless control) through the component.
    HRESULT QueryInterface(REFIID iid, void** object);
    template <class I> Microsoft::WRL::ComPtr<I> Supports()
    {
        Microsoft::WRL::ComPtr<I> result;
        if (FAILED(QueryInterface(__uuidof(I), reinterpret_cast<void**>(result.GetAddressOf()))))
            result.Reset();
        return result;
    }

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

    Microsoft::WRL::ComPtr<IBaseFilter> MemberFilter() override { return FRenderer; }
    std::wstring MemberName() override { return Name(); }
    void MemberNotify(TMemberOperation operation, int param) override;
    void NotifyGraphEvent(long event, LONG_PTR param1, LONG_PTR param2) override;
    void NotifyControl(TControlNotice code, int param) override;

    TNotifyEvent OnPaint;
    // A key pressed in the video window, or in the renderer's window while it covers the
    // screen (its messages are drained here): the virtual-key code.
    TKeyEvent OnKeyDown;

protected:
    void Paint() override;
    void BoundsChanged() override;

private:
    friend class TVMROptions;
    void Rejoin();
    void AttachRendererWindow();
    void ApplyRenderingPrefs(IVMRWindowlessControl9* windowless, IVMRFilterConfig9* config);
    void Resize();
    void SetRendererExStyle(LONG style);
    void ReadSavedStyles();

    TVideoMode FMode = vmNormal;
    TGraphLink FGraphLink{*this, *this, this};
    TVMROptions FVMROptions;
    bool FFullScreen = false;
    bool FFullScreenTopMost = false;
    bool FMouseRemap = false;
    LONG FSavedStyle = 0, FSavedExStyle = 0;
    bool FStylesRead = false;
    Microsoft::WRL::ComPtr<IBaseFilter> FRenderer;
    Microsoft::WRL::ComPtr<IVideoWindow> FVideoWindow;
    Microsoft::WRL::ComPtr<IVMRWindowlessControl9> FWindowless;
};
