// The runtime's two entry points used by Mediscope.
#include "MetadataEditor.h"
#include "Reader.h"

extern "C" HRESULT WINAPI WMCreateEditor(IWMMetadataEditor** editor)
{
    if (!editor)
        return E_POINTER;
    *editor = nullptr;
    if (HRESULT fault = Fault("WMCreateEditor"); FAILED(fault))
        return fault;
    *editor = new TMetadataEditor;
    return S_OK;
}

// Certificates and rights are for DRM playback, which the stand-in does not offer.
extern "C" HRESULT WINAPI WMCreateReader(IUnknown*, DWORD, IWMReader** reader)
{
    if (!reader)
        return E_POINTER;
    *reader = nullptr;
    if (HRESULT fault = Fault("WMCreateReader"); FAILED(fault))
        return fault;
    *reader = new TReader;
    return S_OK;
}
