#include "media/MediaUtil/FilterDialog.h"
#include "framework/ComMemory.h"

#include "media/MediaUtil/FilterList.h"
#include "media/MediaUtil/MediaUuids.h"

#include <olectl.h>

#include <algorithm>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The driver dialog code of each kind, in the order of TFilterDialogKind.
constexpr int kDriverDialogCode[] = {0, 4, 2, 1, 1, 2};

// While it lives, the first top-level dialog of the thread is centred over the owner once
// it has set itself up (after its WM_INITDIALOG, where a property frame places itself at
// the screen's corner), and owned by it when the system left it without an owner, so it
// stays above the window it was opened from.
class TCentreOverOwner {
public:
    explicit TCentreOverOwner(HWND owner)
    {
        tOwner = owner;
        tHook = owner ? SetWindowsHookExW(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId()) : nullptr;
    }
    ~TCentreOverOwner()
    {
        if (tHook)
            UnhookWindowsHookEx(tHook);
        tHook = nullptr;
        tOwner = nullptr;
    }
    TCentreOverOwner(const TCentreOverOwner&) = delete;
    TCentreOverOwner& operator=(const TCentreOverOwner&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && tOwner && call->message == WM_INITDIALOG
            && !(GetWindowLongPtrW(call->hwnd, GWL_STYLE) & WS_CHILD)) {
            if (!GetWindow(call->hwnd, GW_OWNER))
                SetWindowLongPtrW(call->hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(tOwner));
            RECT owner{}, frame{};
            GetWindowRect(tOwner, &owner);
            GetWindowRect(call->hwnd, &frame);
            const int width = frame.right - frame.left, height = frame.bottom - frame.top;
            const int left = std::max(0, int(owner.left + owner.right - width) / 2);
            const int top = std::max(0, int(owner.top + owner.bottom - height) / 2);
            SetWindowPos(call->hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            tOwner = nullptr;  // once: later dialogs (a page's own) place themselves
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline thread_local HWND tOwner = nullptr;
    static inline thread_local HHOOK tHook = nullptr;
};

HRESULT ShowPropertyPages(HWND parent, IBaseFilter* filter, const std::wstring& caption)
{
    ComPtr<ISpecifyPropertyPages> pages;
    HRESULT hr = filter->QueryInterface(IID_PPV_ARGS(&pages));
    if (FAILED(hr))
        return hr;
    CAUUID ids{};
    hr = pages->GetPages(&ids);
    if (FAILED(hr))
        return hr;
    const TTaskMem<GUID> pageIds(ids.pElems);
    IUnknown* objects[] = {filter};
    const std::wstring title = caption.empty() ? FilterName(filter) : caption;
    const TCentreOverOwner centre(parent);
    hr = OleCreatePropertyFrame(parent, 0, 0, title.c_str(), 1, objects, ids.cElems, ids.pElems, 0, 0, nullptr);
    return hr;
}

HRESULT ShowCaptureDialog(HWND parent, IBaseFilter* filter, int code)
{
    ComPtr<IAMVfwCaptureDialogs> dialogs;
    HRESULT hr = filter->QueryInterface(IID_PPV_ARGS(&dialogs));
    if (FAILED(hr))
        return hr;
    hr = dialogs->HasDialog(code);
    if (hr == S_OK)
        hr = dialogs->ShowDialog(code, parent);
    return hr;
}

HRESULT ShowCompressDialog(HWND parent, IBaseFilter* filter, TFilterDialogKind kind, int code)
{
    ComPtr<IAMVfwCompressDialogs> dialogs;
    HRESULT hr = filter->QueryInterface(IID_PPV_ARGS(&dialogs));
    if (FAILED(hr))
        return hr;
    // Asking with these codes and no window tells whether the dialog exists.
    hr = dialogs->ShowDialog(kind == fdCompressConfig ? VfwCompressDialog_QueryConfig
                                                      : VfwCompressDialog_QueryAbout, nullptr);
    if (hr == S_OK)
        hr = dialogs->ShowDialog(code, parent);
    return hr;
}

} // namespace

HRESULT ShowFilterDialog(HWND parent, IBaseFilter* filter, TFilterDialogKind kind, const std::wstring& caption)
{
    if (!filter || kind < fdPropertyPages || kind > fdCompressAbout)
        return S_FALSE;
    const int code = kDriverDialogCode[kind];
    switch (kind) {
    case fdPropertyPages: return ShowPropertyPages(parent, filter, caption);
    case fdCaptureDisplay:
    case fdCaptureFormat:
    case fdCaptureSource: return ShowCaptureDialog(parent, filter, code);
    case fdCompressConfig:
    case fdCompressAbout: return ShowCompressDialog(parent, filter, kind, code);
    }
    return S_FALSE;
}
