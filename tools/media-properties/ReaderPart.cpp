// The streams of the file, read through the reader's profile. The reader opens and closes
// the file asynchronously: ReaderCallback's events say when it is done.
#include "CodecNames.h"
#include "ConsoleText.h"
#include "PropertiesReport.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

constexpr GUID videoType = {0x73646976, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID audioType = {0x73647561, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID scriptType = {0x73636D64, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct TListedType {
    const GUID* type;
    const char* heading;
    bool hasCodec;
};

constexpr TListedType listedTypes[] = {
    {&videoType, "Video Stream properties:\n", true},
    {&audioType, "Audio Stream properties:\n", true},
    {&scriptType, "Script Stream properties:\n", false},
};

const TListedType* FindListedType(const GUID& type)
{
    for (const TListedType& listed : listedTypes)
        if (IsEqualGUID(*listed.type, type))
            return &listed;
    return nullptr;
}

// Prints the codec's name from the stream's media type; a failure is printed and the
// listing goes on.
void PrintCodecLine(IWMStreamConfig& config)
{
    ComPtr<IWMMediaProps> props;
    HRESULT hr = config.QueryInterface(IID_PPV_ARGS(&props));
    if (FAILED(hr)) {
        PrintFailure(L" QI for IWMMediaProps failed", hr);
        return;
    }
    DWORD size = 0;
    hr = props->GetMediaType(nullptr, &size);
    if (FAILED(hr)) {
        PrintFailure(L" Get Mediatype failed", hr);
        return;
    }
    // The media type and its format block come in one buffer; it must at least hold the
    // WM_MEDIA_TYPE before its subtype is read.
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size < sizeof(WM_MEDIA_TYPE) ? sizeof(WM_MEDIA_TYPE) : size]());
    if (!buffer) {
        PrintFailure(L" Out of memory", E_OUTOFMEMORY);
        return;
    }
    auto* mediaType = reinterpret_cast<WM_MEDIA_TYPE*>(buffer.get());
    hr = props->GetMediaType(mediaType, &size);
    if (FAILED(hr)) {
        PrintFailure(L" Get Mediatype failed", hr);
        return;
    }
    if (const char* line = CodecLine(mediaType->subtype))
        std::printf("%s", line);
}

} // namespace

HRESULT ListStreams(IWMProfile& profile)
{
    DWORD count = 0;
    HRESULT hr = profile.GetStreamCount(&count);
    if (FAILED(hr)) {
        PrintFailure(L"Could not get stream count", hr);
        return hr;
    }
    std::printf("This Windows Media file has %d stream(s)\n", static_cast<int>(count));
    std::printf("\n");

    for (DWORD index = 0; index < count; ++index) {
        ComPtr<IWMStreamConfig> config;
        hr = profile.GetStream(index, &config);
        if (FAILED(hr)) {
            PrintFailure(L"Could not get the stream", hr);
            return hr;
        }
        GUID type = GUID_NULL;
        hr = config->GetStreamType(&type);
        if (FAILED(hr)) {
            PrintFailure(L"Could not get the stream type", hr);
            return hr;
        }
        // Streams of other types are counted above but not described.
        const TListedType* listed = FindListedType(type);
        if (!listed)
            continue;
        WORD number = 0;
        hr = config->GetStreamNumber(&number);
        if (FAILED(hr)) {
            PrintFailure(L"Could not get stream number", hr);
            return hr;
        }
        DWORD bitrate = 0;
        hr = config->GetBitrate(&bitrate);
        if (FAILED(hr)) {
            PrintFailure(L"Could not get bit rate", hr);
            return hr;
        }
        std::printf("%s", listed->heading);
        std::printf("Stream number: %d\n", number);
        std::printf("Bitrate: %d bps \n", static_cast<int>(bitrate));
        if (listed->hasCodec)
            PrintCodecLine(*config.Get());
        std::printf("\n");
    }
    return S_OK;
}

HRESULT RunReaderPart(ReaderCallback& state, const TWmfRuntime& runtime)
{
    HRESULT hr = runtime.CreateReader(nullptr, 0, &state.Reader);
    if (FAILED(hr)) {
        PrintFailure(L"Could not create Reader", hr);
        return hr;
    }
    hr = state.Reader->Open(state.FileName, &state, nullptr);
    if (FAILED(hr)) {
        PrintFailure(L"Could not open " + std::wstring(state.FileName) + L" with the Reader. error", hr);
        return hr;
    }
    WaitForSingleObject(state.OpenedEvent, INFINITE);
    if (FAILED(state.AsyncStatus)) {
        PrintFailure(L"Could not open " + std::wstring(state.FileName) + L" with the Reader. error", state.AsyncStatus);
        return state.AsyncStatus;
    }

    hr = state.Reader.As(&state.Profile);
    if (FAILED(hr)) {
        PrintFailure(L"QI for IWMProfile failed", hr);
        return hr;
    }
    hr = ListStreams(*state.Profile.Get());
    if (FAILED(hr))
        return hr;

    hr = state.Reader->Close();
    if (FAILED(hr)) {
        PrintFailure(L"Close failed", hr);
        return hr;
    }
    WaitForSingleObject(state.ClosedEvent, INFINITE);
    if (FAILED(state.AsyncStatus)) {
        PrintFailure(L"Close failed", state.AsyncStatus);
        return state.AsyncStatus;
    }
    return hr;
}
