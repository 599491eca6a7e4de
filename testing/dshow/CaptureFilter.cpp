#include "CaptureFilter.h"

#include "DevicePropertyPage.h"

namespace kivora::dshow {

STDMETHODIMP TCaptureFilter::GetPages(CAUUID* pages)
{
    if (!pages)
        return E_POINTER;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pages->cElems = 1;
    pages->pElems[0] = CLSID_DevicePropertyPage;
    return S_OK;
}

HRESULT TCaptureFilter::QueryFilterInterface(REFIID iid, void** out)
{
    if (AnswerInterface(iid, out, {{&IID_ISpecifyPropertyPages, static_cast<ISpecifyPropertyPages*>(this)},
                                   {&IID_IAMFilterMiscFlags, static_cast<IAMFilterMiscFlags*>(this)}})
        == S_OK)
        return S_OK;
    return TFilter::QueryFilterInterface(iid, out);
}

} // namespace kivora::dshow
