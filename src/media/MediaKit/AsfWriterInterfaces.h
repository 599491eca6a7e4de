// The Windows Media ASF writer's configuration interfaces and the Windows Media Format
// network sink, which mingw-w64's headers lack (Windows declares them in dshowasf.h and
// wmsdkidl.h). Written from their documented identifiers, method for method in the
// documented order; __CRT_UUID_DECL gives each one its identifier for __uuidof, so that
// ComPtr::As and TMediaComponent::Supports work with them.
//
// IWMWriterSink, IWMWriterAdvanced2 and IServiceProvider are in mingw-w64 already.
#pragma once

#include <windows.h>
#include <servprov.h>
#include <strmif.h>
#include <uuids.h>
#include <wmsdkidl.h>

// IConfigAsfWriter2::SetParam / GetParam parameters.
enum AM_ASFWRITERCONFIG_PARAM {
    AM_CONFIGASFWRITER_PARAM_AUTOINDEX = 1,     // index the file when writing ends
    AM_CONFIGASFWRITER_PARAM_MULTIPASS = 2,     // two-pass encoding
    AM_CONFIGASFWRITER_PARAM_DONTCOMPRESS = 3,  // write the samples without encoding them
};

// IWMWriterNetworkSink::SetNetworkProtocol.
enum WMT_NET_PROTOCOL {
    WMT_PROTOCOL_HTTP = 0,
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
__CRT_UUID_DECL(IConfigAsfWriter, 0x45086030, 0xF7E4, 0x486A, 0xB5, 0x04, 0x82, 0x6B, 0xB5, 0x79, 0x2A, 0x3B)

struct IConfigAsfWriter2 : public IConfigAsfWriter {
    virtual HRESULT STDMETHODCALLTYPE StreamNumFromPin(IPin* pin, WORD* streamNumber) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetParam(DWORD param, DWORD value1, DWORD value2) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetParam(DWORD param, DWORD* value1, DWORD* value2) = 0;
    virtual HRESULT STDMETHODCALLTYPE ResetMultiPassState() = 0;
};
__CRT_UUID_DECL(IConfigAsfWriter2, 0x7989CCAA, 0x53F0, 0x44F0, 0x88, 0x4A, 0xF3, 0xB0, 0x3F, 0x6A, 0xE0, 0x66)

// A writer sink that serves the stream to network clients.
struct IWMWriterNetworkSink : public IWMWriterSink {
    virtual HRESULT STDMETHODCALLTYPE SetMaximumClients(DWORD maxClients) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaximumClients(DWORD* maxClients) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNetworkProtocol(WMT_NET_PROTOCOL protocol) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetNetworkProtocol(WMT_NET_PROTOCOL* protocol) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHostURL(WCHAR* url, DWORD* urlLength) = 0;
    // The port is in and out: 0 asks for any port, and the port opened is written back.
    virtual HRESULT STDMETHODCALLTYPE Open(DWORD* port) = 0;
    virtual HRESULT STDMETHODCALLTYPE Disconnect() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
};
__CRT_UUID_DECL(IWMWriterNetworkSink, 0x96406BE7, 0x2B2B, 0x11D3, 0xB3, 0x6B, 0x00, 0xC0, 0x4F, 0x61, 0x08, 0xFF)

// wmvcore.dll's WMCreateWriterNetworkSink; there is no import library, so it is looked up
// at run time.
using TWMCreateWriterNetworkSink = HRESULT(STDMETHODCALLTYPE*)(IWMWriterNetworkSink** sink);
