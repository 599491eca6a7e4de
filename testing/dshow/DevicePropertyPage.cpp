#include "DevicePropertyPage.h"

#include "Com.h"
#include "MediaType.h"
#include "Server.h"

#include <ocidl.h>
#include <strmif.h>
#include <uuids.h>
#include <amvideo.h>
#include <mmreg.h>
#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace kivora::dshow {
namespace {

const SIZE PageSize = {320, 120};

std::wstring Subtype(const GUID& subtype)
{
    if (IsEqualGUID(subtype, MEDIASUBTYPE_RGB24))
        return L"RGB24";
    if (IsEqualGUID(subtype, MEDIASUBTYPE_YUY2))
        return L"YUY2";
    if (IsEqualGUID(subtype, MEDIASUBTYPE_PCM))
        return L"PCM";
    return L"other";
}

std::wstring FormatText(const AM_MEDIA_TYPE& type)
{
    wchar_t text[160] = L"";
    if (const VIDEOINFOHEADER* info = VideoInfoOf(type)) {
        const VIDEOINFOHEADER& video = *info;
        const double fps = video.AvgTimePerFrame > 0 ? 1e7 / static_cast<double>(video.AvgTimePerFrame) : 0.0;
        swprintf(text, 160, L"%ls %ld x %ld, %.0f frames per second", Subtype(type.subtype).c_str(),
                 video.bmiHeader.biWidth, video.bmiHeader.biHeight, fps);
    } else if (const WAVEFORMATEX* pcm = PcmFormatOf(type)) {
        const WAVEFORMATEX& wave = *pcm;
        swprintf(text, 160, L"%ls %lu Hz, %u bits, %u channel(s)", Subtype(type.subtype).c_str(),
                 wave.nSamplesPerSec, wave.wBitsPerSample, wave.nChannels);
    } else {
        swprintf(text, 160, L"%ls", Subtype(type.subtype).c_str());
    }
    return text;
}

// Name and output format of the filter, as the page shows them.
std::wstring DescribeFilter(IBaseFilter* filter)
{
    FILTER_INFO info{};
    std::wstring text = L"Device: ";
    if (SUCCEEDED(filter->QueryFilterInfo(&info))) {
        text += info.achName;
        if (info.pGraph)
            info.pGraph->Release();
    }
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins)))
        return text;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION direction;
        ComPtr<IAMStreamConfig> config;
        AM_MEDIA_TYPE* type = nullptr;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT && SUCCEEDED(pin.As(&config))
            && SUCCEEDED(config->GetFormat(&type)) && type) {
            text += L"\r\nFormat: " + FormatText(*type);
            DeleteTaskMediaType(type);
            break;
        }
    }
    return text;
}

class TDevicePropertyPage : public TRefCounted, public IPropertyPage {
public:
    ~TDevicePropertyPage() override { Deactivate(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        return AnswerInterface(iid, out, {{&IID_IUnknown, this}, {&IID_IPropertyPage, this}});
    }
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefObject(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseObject(); }

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override
    {
        FSite = site;
        return S_OK;
    }
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL) override
    {
        if (!rect)
            return E_POINTER;
        Deactivate();
        FWindow = CreateWindowExW(0, L"STATIC", FText.c_str(), WS_CHILD | SS_LEFT, rect->left, rect->top,
                                  rect->right - rect->left, rect->bottom - rect->top, parent, nullptr,
                                  ServerModule(), nullptr);
        return FWindow ? S_OK : HRESULT_FROM_WIN32(GetLastError());
    }
    STDMETHODIMP Deactivate() override
    {
        if (FWindow)
            DestroyWindow(FWindow);
        FWindow = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override
    {
        if (!info)
            return E_POINTER;
        info->cb = sizeof(PROPPAGEINFO);
        info->pszTitle = TaskString(L"Device");
        info->size = PageSize;
        info->pszDocString = nullptr;
        info->pszHelpFile = nullptr;
        info->dwHelpContext = 0;
        return info->pszTitle ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override
    {
        FText = L"No device.";
        if (count == 0)
            return S_OK;
        if (!objects)
            return E_POINTER;
        ComPtr<IBaseFilter> filter;
        if (objects[0] && SUCCEEDED(objects[0]->QueryInterface(IID_PPV_ARGS(&filter))))
            FText = DescribeFilter(filter.Get());
        if (FWindow)
            SetWindowTextW(FWindow, FText.c_str());
        return S_OK;
    }
    STDMETHODIMP Show(UINT command) override
    {
        if (FWindow)
            ShowWindow(FWindow, static_cast<int>(command));
        return S_OK;
    }
    STDMETHODIMP Move(LPCRECT rect) override
    {
        if (!rect)
            return E_POINTER;
        if (FWindow)
            MoveWindow(FWindow, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
        return S_OK;
    }
    // Nothing on the page can be changed.
    STDMETHODIMP IsPageDirty() override { return S_FALSE; }
    STDMETHODIMP Apply() override { return S_OK; }
    STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

    const std::wstring& Text() const { return FText; }

private:
    ComPtr<IPropertyPageSite> FSite;
    HWND FWindow = nullptr;
    std::wstring FText = L"No device.";
};

} // namespace

IUnknown* CreateDevicePropertyPage()
{
    return static_cast<IPropertyPage*>(new TDevicePropertyPage());
}

} // namespace kivora::dshow
