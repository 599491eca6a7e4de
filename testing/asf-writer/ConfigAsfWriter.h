// The Windows Media ASF writer filter's identifiers and configuration interfaces, which
// the mingw-w64 headers lack (Windows declares them in dshowasf.h). Declared here from
// the documented interfaces, method for method in their documented order, so that the
// stand-in writer and its tests (and later the application's media layer, if it wishes)
// share one declaration.
//
//   IConfigAsfWriter  {45086030-F7E4-486A-B504-826BB5792A3B}
//   IConfigAsfWriter2 {7989CCAA-53F0-44F0-884A-F3B03F6AE066} (derives from the first)
//   CLSID_WMAsfWriter {7C23220E-55BB-11D3-8B16-00C04FB6BD3D} is in uuids.h already.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <strmif.h>
#include <uuids.h>

// Windows Media profile object; only passed through by pointer here.
struct IWMProfile;

// {45086030-F7E4-486A-B504-826BB5792A3B}
inline constexpr IID IID_IConfigAsfWriter = {
    0x45086030, 0xf7e4, 0x486a, {0xb5, 0x04, 0x82, 0x6b, 0xb5, 0x79, 0x2a, 0x3b}};
// {7989CCAA-53F0-44F0-884A-F3B03F6AE066}
inline constexpr IID IID_IConfigAsfWriter2 = {
    0x7989ccaa, 0x53f0, 0x44f0, {0x88, 0x4a, 0xf3, 0xb0, 0x3f, 0x6a, 0xe0, 0x66}};

// Parameters of IConfigAsfWriter2::SetParam/GetParam.
enum AM_ASFWRITERCONFIG_PARAM {
    AM_CONFIGASFWRITER_PARAM_AUTOINDEX = 1,     // index the file when it is finished
    AM_CONFIGASFWRITER_PARAM_MULTIPASS = 2,     // two-pass encoding
    AM_CONFIGASFWRITER_PARAM_DONTCOMPRESS = 3,  // write the samples as they arrive
};

struct IConfigAsfWriter : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfileId(DWORD profileId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileId(DWORD* profileId) = 0;
    virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfileGuid(REFGUID profile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileGuid(GUID* profile) = 0;
    virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfile(IWMProfile* profile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfile(IWMProfile** profile) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetIndexMode(BOOL indexFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIndexMode(BOOL* indexFile) = 0;
};

struct IConfigAsfWriter2 : public IConfigAsfWriter {
    virtual HRESULT STDMETHODCALLTYPE StreamNumFromPin(IPin* pin, WORD* streamNumber) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetParam(DWORD param, DWORD value1, DWORD value2) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetParam(DWORD param, DWORD* value1, DWORD* value2) = 0;
    virtual HRESULT STDMETHODCALLTYPE ResetMultiPassState() = 0;
};
