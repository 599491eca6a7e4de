#include "StreamConfig.h"

#include <cstring>

using kivora::asf::TAsfGuid;
using kivora::asf::TAsfStreamInfo;
namespace asfguid = kivora::asf::guid;

namespace {

constexpr GUID Fourcc(DWORD code)
{
    return {code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

// The runtime's major types.
constexpr GUID videoType = Fourcc(0x73646976);   // 'vids'
constexpr GUID audioType = Fourcc(0x73647561);   // 'auds'
constexpr GUID scriptType = Fourcc(0x73636D64);  // 'scmd'
constexpr GUID imageType = {0x34A50FD8, 0x8AA5, 0x4386, {0x81, 0xFE, 0xA0, 0xEF, 0xE0, 0x48, 0x8E, 0x31}};
// Format block types and the script format.
constexpr GUID videoInfoFormat = {0x05589F80, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}};
constexpr GUID waveFormatExFormat = {0x05589F81, 0xC356, 0x11CE, {0xBF, 0x01, 0x00, 0xAA, 0x00, 0x55, 0x59, 0x5A}};
constexpr GUID scriptFormat = {0x5C8510F2, 0xDEBE, 0x4CA7, {0xBB, 0xA5, 0xF0, 0x7A, 0x10, 0x4F, 0x8D, 0xFF}};
constexpr GUID twoStringsScript = {0x82F38A70, 0xC29F, 0x11D1, {0x97, 0xAD, 0x00, 0xA0, 0xC9, 0x5E, 0xA8, 0x50}};
// Uncompressed RGB subtypes.
constexpr GUID rgb24Subtype = {0xE436EB7D, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
constexpr GUID rgb32Subtype = {0xE436EB7E, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

GUID ToGuid(const TAsfGuid& asf)
{
    GUID guid;
    static_assert(sizeof guid == sizeof asf.bytes);
    std::memcpy(&guid, asf.bytes.data(), sizeof guid);
    return guid;
}

struct TTypeMapping {
    const TAsfGuid& asfType;
    GUID majorType;
};

// ASF stream types and the major types the runtime reports for them; any other type is
// reported as its ASF GUID.
const TTypeMapping typeMappings[] = {
    {asfguid::VideoMedia, videoType},
    {asfguid::AudioMedia, audioType},
    {asfguid::CommandMedia, scriptType},
    {asfguid::JfifMedia, imageType},
};

// WMVIDEOINFOHEADER: source and target rectangles, bit rate, bit error rate, time per
// frame, then the BITMAPINFOHEADER with the codec's bytes.
std::vector<BYTE> VideoInfoFormat(const TAsfStreamInfo& stream)
{
    const size_t bitmapBytes = stream.typeSpecificData.size() - stream.formatOffset;
    std::vector<BYTE> format(48 + bitmapBytes);
    RECT rect{0, 0, stream.bitmap.width, stream.bitmap.height < 0 ? -stream.bitmap.height : stream.bitmap.height};
    const DWORD bitrate = stream.Bitrate();
    const LONGLONG timePerFrame = static_cast<LONGLONG>(stream.averageTimePerFrame);
    std::memcpy(format.data(), &rect, sizeof rect);
    std::memcpy(format.data() + 16, &rect, sizeof rect);
    std::memcpy(format.data() + 32, &bitrate, sizeof bitrate);
    std::memcpy(format.data() + 40, &timePerFrame, sizeof timePerFrame);
    std::memcpy(format.data() + 48, stream.typeSpecificData.data() + stream.formatOffset, bitmapBytes);
    return format;
}

} // namespace

TStreamConfig::TStreamConfig(const TAsfStreamInfo& stream) : FStream(stream), FMajorType(ToGuid(stream.streamType))
{
    for (const TTypeMapping& mapping : typeMappings)
        if (mapping.asfType == stream.streamType)
            FMajorType = mapping.majorType;

    FMediaType.majortype = FMajorType;
    if (stream.IsVideo() && stream.hasBitmapInfo) {
        const auto& bitmap = stream.bitmap;
        const bool rgb = bitmap.compression == 0;
        FMediaType.subtype = !rgb ? Fourcc(bitmap.compression) : bitmap.bitCount == 32 ? rgb32Subtype : rgb24Subtype;
        FMediaType.bFixedSizeSamples = rgb;
        FMediaType.bTemporalCompression = !rgb;
        FMediaType.lSampleSize = rgb ? bitmap.sizeImage : 0;
        FMediaType.formattype = videoInfoFormat;
        FFormat = VideoInfoFormat(stream);
    } else if (stream.IsAudio() && stream.hasWaveFormat) {
        FMediaType.subtype = Fourcc(stream.wave.formatTag);
        FMediaType.bFixedSizeSamples = TRUE;
        FMediaType.lSampleSize = stream.wave.blockAlign;
        FMediaType.formattype = waveFormatExFormat;
        FFormat = stream.typeSpecificData;
    } else if (stream.streamType == asfguid::CommandMedia) {
        FMediaType.formattype = scriptFormat;
        FFormat.resize(sizeof(GUID));
        std::memcpy(FFormat.data(), &twoStringsScript, sizeof(GUID));
    }
    FMediaType.cbFormat = static_cast<ULONG>(FFormat.size());
}

HRESULT STDMETHODCALLTYPE TStreamConfig::GetStreamType(GUID* type)
{
    if (!type)
        return E_POINTER;
    if (HRESULT fault = Fault("GetStreamType"); FAILED(fault))
        return fault;
    *type = FMajorType;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamConfig::GetStreamNumber(WORD* number)
{
    if (!number)
        return E_POINTER;
    if (HRESULT fault = Fault("GetStreamNumber"); FAILED(fault))
        return fault;
    *number = FStream.number;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamConfig::GetBitrate(DWORD* bitrate)
{
    if (!bitrate)
        return E_POINTER;
    if (HRESULT fault = Fault("GetBitrate"); FAILED(fault))
        return fault;
    *bitrate = FStream.Bitrate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamConfig::GetType(GUID* type)
{
    if (!type)
        return E_POINTER;
    *type = FMajorType;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamConfig::GetMediaType(WM_MEDIA_TYPE* type, DWORD* size)
{
    if (!size)
        return E_POINTER;
    const DWORD needed = static_cast<DWORD>(sizeof(WM_MEDIA_TYPE) + FFormat.size());
    if (!type) {
        if (HRESULT fault = Fault("GetMediaType"); FAILED(fault))
            return fault;
        *size = needed;
        return S_OK;
    }
    if (*size < needed) {
        *size = needed;
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    }
    // The format block follows the structure in the caller's buffer.
    *type = FMediaType;
    BYTE* format = reinterpret_cast<BYTE*>(type) + sizeof(WM_MEDIA_TYPE);
    if (!FFormat.empty())
        std::memcpy(format, FFormat.data(), FFormat.size());
    type->pbFormat = FFormat.empty() ? nullptr : format;
    *size = needed;
    return S_OK;
}
