// TCaptureFilter: base of our capture devices. A live source (IAMFilterMiscFlags says
// so, and GetState answers VFW_S_CANT_CUE while paused) that offers the device
// property page through ISpecifyPropertyPages.
#pragma once

#include "Filter.h"

#include <ocidl.h>

namespace kivora::dshow {

class TCaptureFilter : public TFilter, public ISpecifyPropertyPages, public IAMFilterMiscFlags {
public:
    using TFilter::TFilter;

    KIVORA_FORWARD_IUNKNOWN(TFilter)
    // ISpecifyPropertyPages: the device page.
    STDMETHODIMP GetPages(CAUUID* pages) override;
    // IAMFilterMiscFlags
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;
    bool IsLiveSource() const override { return true; }
};

} // namespace kivora::dshow
