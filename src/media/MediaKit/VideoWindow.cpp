#include "media/MediaKit/VideoWindow.h"
#include "framework/ComMemory.h"

#include "media/MediaUtil/FilterList.h"
#include "media/MediaUtil/MediaErrors.h"
#include "media/MediaUtil/MediaUuids.h"

#include "framework/Menus.h"

#include <evcode.h>
#include <float.h>
#include <oleauto.h>
#include <uuids.h>

#include <memory>

using Microsoft::WRL::ComPtr;

namespace {

// Creating the VMR-9 changes the thread's floating-point control word; it is put back.
class TFpuGuard {
public:
    TFpuGuard() : FSaved(_control87(0, 0)) {}
    ~TFpuGuard() { _control87(FSaved, _MCW_EM | _MCW_RC | _MCW_DN | _MCW_IC); }
    TFpuGuard(const TFpuGuard&) = delete;
    TFpuGuard& operator=(const TFpuGuard&) = delete;

private:
    unsigned FSaved;
};

ComPtr<IBaseFilter> CreateVMR9()
{
    TFpuGuard fpu;
    ComPtr<IBaseFilter> vmr;
    CoCreateInstance(CLSID_VideoMixingRenderer9, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_PPV_ARGS(&vmr));
    return vmr;
}

// The renderer window's style and extended style in and out of full screen.
constexpr LONG kFullScreenStyleMask = LONG(0xFF3BFFFF);  // WS_CAPTION and WS_THICKFRAME cleared
constexpr LONG kFullScreenExStyleClear = 0x20301;         // dialog frame, window/client/static edge
constexpr LONG kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;

} // namespace

void TVMROptions::RebuildRenderer()
{
    if (FOwner.FMode == vmVMR && FOwner.FGraphLink.Graph() && FOwner.FGraphLink.Graph()->Active())
        FOwner.Rejoin();
}

void TVMROptions::SetMode(TVMRVideoMode mode)
{
    FMode = mode;
    RebuildRenderer();
}

void TVMROptions::SetStreams(unsigned streams)
{
    FStreams = streams >= 1 && streams <= 16 ? streams : 1;
    RebuildRenderer();
}

void TVMROptions::SetPreferences(TVMRPreferences preferences)
{
    FPreferences = preferences;
    RebuildRenderer();
}

void TVMROptions::SetKeepAspectRatio(bool keep)
{
    FKeepAspectRatio = keep;
    if (FMode == vmrWindowed || FMode == vmrWindowless)
        if (ComPtr<IVMRAspectRatioControl9> aspect = FOwner.Supports<IVMRAspectRatioControl9>())
            if (HRESULT hr = aspect->SetAspectRatioMode(keep ? VMR9ARMode_LetterBox : VMR9ARMode_None); hr != E_NOTIMPL)
                RaiseOnFailure(hr);
}

const TClassInfo& TVMROptions::StaticClass()
{
    static const TClassInfo info(L"TVMROptions", &TPersistent::StaticClass(), {
        EnumProp(L"Mode", &TVMROptions::Mode, &TVMROptions::SetMode),
        IntProp(L"Streams", &TVMROptions::Streams, &TVMROptions::SetStreams),
        SetProp(L"Preferences", &TVMROptions::Preferences, &TVMROptions::SetPreferences),
        BoolProp(L"KeepAspectRatio", &TVMROptions::KeepAspectRatio, &TVMROptions::SetKeepAspectRatio),
    });
    return info;
}

const TClassInfo& TVideoWindow::StaticClass()
{
    static const TClassInfo info(L"TVideoWindow", &TCustomControl::StaticClass(), {
        EnumProp(L"Mode", &TVideoWindow::Mode, &TVideoWindow::SetMode),
        ObjProp(L"FilterGraph", &TVideoWindow::FilterGraph, &TVideoWindow::SetFilterGraph),
        ObjProp(L"VMROptions", &TVideoWindow::VMROptions),
        BoolProp(L"FullScreen", &TVideoWindow::FullScreen, &TVideoWindow::SetFullScreen),
        BoolProp(L"FullScreenTopMost", &TVideoWindow::FullScreenTopMost, &TVideoWindow::SetFullScreenTopMost),
        EventProp(L"OnPaint", &TVideoWindow::OnPaint),
        EventProp(L"OnKeyDown", &TVideoWindow::OnKeyDown),
    });
    return info;
}

TVideoWindow::TVideoWindow(TComponent* owner) : TCustomControl(owner), FVMROptions(*this)
{
    SetBounds(0, 0, 160, 120);
    SetColor(clBlack);
}

TVideoWindow::~TVideoWindow()
{
    SetFilterGraph(nullptr);
}

bool TVideoWindow::VMR9Available()
{
    return CreateVMR9() != nullptr;
}

void TVideoWindow::SetMode(TVideoMode mode)
{
    FMode = mode == vmVMR && !VMR9Available() ? vmNormal : mode;
    if (FGraphLink.Graph() && FGraphLink.Graph()->Active())
        Rejoin();
}

void TVideoWindow::Rejoin()
{
    TFilterGraph* graph = FGraphLink.Graph();
    graph->RemoveMember(this);
    graph->AddMember(this);
}

void TVideoWindow::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    FGraphLink.Notification(component, operation);
}

void TVideoWindow::ReadSavedStyles()
{
    FSavedStyle = GetWindowLongW(Handle(), GWL_STYLE);
    FSavedExStyle = GetWindowLongW(Handle(), GWL_EXSTYLE);
    FStylesRead = true;
}

void TVideoWindow::Loaded()
{
    TCustomControl::Loaded();
    if (Parent())
        ReadSavedStyles();
}

HRESULT TVideoWindow::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == __uuidof(IVMRWindowlessControl9) && FWindowless)
        return FWindowless->QueryInterface(iid, object);
    return FRenderer ? FRenderer->QueryInterface(iid, object) : E_NOINTERFACE;
}

HWND TVideoWindow::VideoHandle()
{
    if (!FVideoWindow || !Parent())
        return Handle();
    // The renderer's window carries the component's name as its caption.
    HWND window = FindWindowExW(Parent()->Handle(), nullptr, L"VideoRenderer", Name().c_str());
    return window ? window : FindWindowExW(Parent()->Handle(), nullptr, nullptr, Name().c_str());
}

void TVideoWindow::SetVisible(bool visible)
{
    TCustomControl::SetVisible(visible);
    if (FVideoWindow)
        RaiseOnFailure(FVideoWindow->put_Visible(visible ? -1 : 0));
}

void TVideoWindow::MemberNotify(TMemberOperation operation, int)
{
    switch (operation) {
    case moAdding:
        if (FMode == vmNormal) {
            CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&FRenderer));
            break;
        }
        FRenderer = CreateVMR9();
        if (ComPtr<IVMRFilterConfig9> config; FRenderer && SUCCEEDED(FRenderer.As(&config))) {
            switch (FVMROptions.Mode()) {
            case vmrWindowed: RaiseOnFailure(config->SetRenderingMode(VMR9Mode_Windowed)); break;
            case vmrWindowless:
                RaiseOnFailure(config->SetRenderingMode(VMR9Mode_Windowless));
                // The clipping window is given before the renderer joins a graph: some
                // renderers refuse it afterwards (VFW_E_WRONG_STATE).
                RaiseOnFailure(FRenderer.As(&FWindowless));
                RaiseOnFailure(FWindowless->SetVideoClippingWindow(Handle()));
                break;
            case vmrRenderless: throw EMediaKitException(L"Allocator class not set.");
            }
        } else if (FVMROptions.Mode() == vmrRenderless) {
            throw EMediaKitException(L"Allocator class not set.");
        }
        break;
    case moAdded:
        if (FMode == vmNormal) {
            if (FRenderer)
                RaiseOnFailure(FRenderer.As(&FVideoWindow));
            break;
        }
        if (FRenderer) {
            ComPtr<IVMRFilterConfig9> config;
            if (RaiseOnFailure(FRenderer.As(&config)) != S_OK)
                break;
            if (FVMROptions.Streams() != 4 || FVMROptions.Preferences().Contains(vpForceMixer)) {
                // Mixing is an optimisation: a renderer that refuses it here (Wine's
                // answers VFW_E_WRONG_STATE) still shows the one stream this program has.
                DWORD streams = 0;
                if (SUCCEEDED(config->SetNumberOfStreams(FVMROptions.Streams())) &&
                    SUCCEEDED(config->GetNumberOfStreams(&streams)))
                    FVMROptions.FStreams = streams;
            }
            if (FVMROptions.Mode() == vmrWindowed) {
                RaiseOnFailure(FRenderer.As(&FVideoWindow));
                ApplyRenderingPrefs(nullptr, config.Get());
            } else if (FVMROptions.Mode() == vmrWindowless) {
                ApplyRenderingPrefs(FWindowless.Get(), config.Get());
                Resize();
            }
            FVMROptions.SetKeepAspectRatio(FVMROptions.KeepAspectRatio());
        }
        break;
    case moRemoving:
        if (FRenderer) {
            RaiseOnFailure(FRenderer->Stop());
            TPinList pins(FRenderer.Get());
            for (int i = 0; i < pins.Count(); ++i)
                RaiseOnFailure(pins.Items(i)->Disconnect());
        }
        break;
    case moRemoved:
        FVideoWindow.Reset();
        FWindowless.Reset();
        FRenderer.Reset();
        FMouseRemap = false;
        break;
    }
}

void TVideoWindow::ApplyRenderingPrefs(IVMRWindowlessControl9*, IVMRFilterConfig9* config)
{
    TVMRPreferences wanted = FVMROptions.Preferences();
    const bool mixer = wanted.Contains(vpForceMixer);
    wanted.Exclude(vpForceMixer);
    // A renderer that does not implement rendering preferences keeps its own.
    HRESULT hr = config->SetRenderingPrefs(DWORD(wanted.Bits()));
    if (hr == E_NOTIMPL)
        return;
    RaiseOnFailure(hr);
    DWORD granted = 0;
    RaiseOnFailure(config->GetRenderingPrefs(&granted));
    TVMRPreferences result = TVMRPreferences::FromBits(granted);
    if (mixer)
        result.Include(vpForceMixer);
    FVMROptions.FPreferences = result;
}

void TVideoWindow::AttachRendererWindow()
{
    const TBstr caption(SysAllocString(Name().c_str()));
    RaiseOnFailure(FVideoWindow->put_Caption(caption.get()));
    RaiseOnFailure(FVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(Handle())));
}

void TVideoWindow::NotifyControl(TControlNotice code, int)
{
    if (code != cnPlay)
        return;
    if (FMode == vmNormal) {
        if (FVideoWindow) {
            SetFullScreen(FFullScreen);
            AttachRendererWindow();
        }
    } else {
        SetFullScreen(FFullScreen);
    }
}

void TVideoWindow::NotifyGraphEvent(long event, LONG_PTR, LONG_PTR)
{
    if (event == EC_PALETTE_CHANGED && FVideoWindow) {
        SetFullScreen(FFullScreen);
        AttachRendererWindow();
    } else if (event == EC_VMR_RENDERDEVICE_SET && FVMROptions.Mode() == vmrWindowed && FVideoWindow) {
        AttachRendererWindow();
    }
}

void TVideoWindow::SetFullScreen(bool fullScreen)
{
    if (FVideoWindow) {
        if (!FStylesRead)
            ReadSavedStyles();
        if (fullScreen) {
            RaiseOnFailure(FVideoWindow->put_Owner(0));
            RaiseOnFailure(FVideoWindow->put_WindowStyle(FSavedStyle & kFullScreenStyleMask));
            SetRendererExStyle((FSavedExStyle & ~kFullScreenExStyleClear) | (FFullScreenTopMost ? WS_EX_TOPMOST : 0));
            RaiseOnFailure(FVideoWindow->SetWindowPosition(0, 0, GetSystemMetrics(SM_CXSCREEN),
                                                           GetSystemMetrics(SM_CYSCREEN)));
            FMouseRemap = true;
        } else {
            RaiseOnFailure(FVideoWindow->put_Owner(reinterpret_cast<OAHWND>(Parent() ? Parent()->Handle() : nullptr)));
            RaiseOnFailure(FVideoWindow->put_WindowStyle(FSavedStyle | kChildStyle));
            SetRendererExStyle(FSavedExStyle);
            RaiseOnFailure(FVideoWindow->SetWindowPosition(Left(), Top(), Width(), Height()));
            FMouseRemap = false;
        }
    }
    if (FWindowless)
        FMouseRemap = false;
    FFullScreen = fullScreen;
}

void TVideoWindow::SetRendererExStyle(LONG style)
{
    HRESULT hr = FVideoWindow->put_WindowStyleEx(style);
    // Some renderers take a previous extended style of 0 for a failure of their own
    // SetWindowLong call: what counts is whether the window now has the style.
    LONG now = 0;
    if (FAILED(hr) && SUCCEEDED(FVideoWindow->get_WindowStyleEx(&now)) && now == style)
        hr = S_OK;
    RaiseOnFailure(hr);
}

void TVideoWindow::SetFullScreenTopMost(bool topMost)
{
    FFullScreenTopMost = topMost;
    if (FFullScreen)
        SetFullScreen(true);
}

void TVideoWindow::Resize()
{
    if (FMode == vmNormal || FVMROptions.Mode() == vmrWindowed) {
        if (FVideoWindow && !FFullScreen)
            FVideoWindow->SetWindowPosition(Left(), Top(), Width(), Height());
    } else if (FVMROptions.Mode() == vmrWindowless && FWindowless) {
        RECT destination{0, 0, Width(), Height()};
        FWindowless->SetVideoPosition(nullptr, &destination);
    }
}

void TVideoWindow::BoundsChanged()
{
    TCustomControl::BoundsChanged();
    Resize();
}

void TVideoWindow::Paint()
{
    if (FWindowless)  // the windowless renderer draws into this window: its last frame again
        FWindowless->RepaintVideo(Handle(), Canvas()->Handle());
    OnPaint(this);
}

void TVideoWindow::WndProc(TMessage& message)
{
    if (message.Msg == WM_CONTEXTMENU && FFullScreen) {
        if (PopupMenu() && PopupMenu()->AutoPopup()) {
            POINT cursor;
            GetCursorPos(&cursor);
            PopupMenu()->Popup(cursor.x, cursor.y);
            message.Result = 1;
        }
        return;
    }
    if (message.Msg == WM_KEYDOWN && OnKeyDown) {
        OnKeyDown(this, message.WParam);
        return;
    }
    const bool mouse = message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK;
    if (mouse && FMouseRemap) {
        // The renderer's window covers the screen: report where the cursor is on it.
        POINT cursor;
        GetCursorPos(&cursor);
        message.LParam = MAKELPARAM(cursor.x, cursor.y);
    }
    TCustomControl::WndProc(message);
}
