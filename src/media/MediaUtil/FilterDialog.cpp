#include "media/MediaUtil/FilterDialog.h"
#include "framework/ComMemory.h"

#include "media/MediaUtil/FilterList.h"
#include "media/MediaUtil/MediaUuids.h"

#include <olectl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The driver dialog code of each kind, in the order of TFilterDialogKind.
constexpr int kDriverDialogCode[] = {0, 4, 2, 1, 1, 2};

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
