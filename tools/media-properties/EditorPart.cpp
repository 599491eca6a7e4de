// The file-level attributes, read through the metadata editor.
#include "ConsoleText.h"
#include "PropertiesReport.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

// A Boolean attribute of the file (stream 0): the first call learns the value's size, the
// second reads it. A value shorter than a BOOL is read only as far as it goes.
HRESULT ReadBooleanAttribute(IWMHeaderInfo& header, const wchar_t* name, bool& value)
{
    WORD stream = 0;
    WMT_ATTR_DATATYPE type;
    WORD length = 0;
    HRESULT hr = header.GetAttributeByName(&stream, name, &type, nullptr, &length);
    if (FAILED(hr))
        return hr;
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[length ? length : 1]());
    if (!buffer)
        return E_OUTOFMEMORY;
    hr = header.GetAttributeByName(&stream, name, &type, buffer.get(), &length);
    if (SUCCEEDED(hr)) {
        DWORD first = 0;
        std::memcpy(&first, buffer.get(), length < sizeof first ? length : sizeof first);
        value = first != 0;
    }
    return hr;
}

struct TBooleanAttribute {
    const wchar_t* name;
    const wchar_t* failure;  // the failure line, before its HRESULT
    const char* trueLine;
    const char* falseLine;
    bool isProtected;        // the value decides whether the streams are listed
};

constexpr TBooleanAttribute attributes[] = {
    {L"Is_Protected", L"Could not get g_wszWMProtected from the Header",
     "Is Protected (DRM): true\n", "Is Protected (DRM): false\n", true},
    {L"Seekable", L"Could not get g_wszWMSeekable from the Header",
     "Is Seekable: true\n", "Is Seekable: false\n", false},
    {L"Stridable", L"Could not get g_wszWMStridable from the Header",
     "Is Stridable: true\n", "Is Stridable: false\n", false},
};

} // namespace

HRESULT RunEditorPart(ReaderCallback& state, const TWmfRuntime& runtime)
{
    HRESULT hr = runtime.CreateEditor(&state.Editor);
    if (FAILED(hr)) {
        PrintFailure(L"WMCreateEditor failed", hr);
        return hr;
    }
    hr = state.Editor->Open(state.FileName);
    if (FAILED(hr)) {
        PrintFailure(L"Editor could not open " + std::wstring(state.FileName) + L" error", hr);
        return hr;
    }
    PrintText(L"Properties for " + std::wstring(state.FileName) + L" are:\n");
    std::printf("\n");

    hr = state.Editor.As(&state.HeaderInfo);
    if (FAILED(hr)) {
        PrintFailure(L"QI for IWMHeaderInfo failed", hr);
        return hr;
    }
    // A missing attribute is reported and skipped.
    for (const TBooleanAttribute& attribute : attributes) {
        bool value = false;
        hr = ReadBooleanAttribute(*state.HeaderInfo.Get(), attribute.name, value);
        if (FAILED(hr)) {
            PrintFailure(attribute.failure, hr);
            continue;
        }
        if (attribute.isProtected)
            state.IsProtected = value;
        std::printf("%s", value ? attribute.trueLine : attribute.falseLine);
    }
    std::printf("\n");

    hr = state.Editor->Close();
    if (FAILED(hr))
        PrintFailure(L"Could not close the Editor", hr);
    return hr;
}
