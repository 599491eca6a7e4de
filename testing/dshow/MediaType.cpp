#include "MediaType.h"

#include <uuids.h>

#include <cstring>

namespace kivora::dshow {

HRESULT CopyMediaTypeInto(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src)
{
    dst = src;
    dst.pbFormat = nullptr;
    dst.cbFormat = 0;
    if (src.cbFormat > 0 && src.pbFormat) {
        dst.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(src.cbFormat));
        if (!dst.pbFormat) {
            dst = AM_MEDIA_TYPE{};
            return E_OUTOFMEMORY;
        }
        std::memcpy(dst.pbFormat, src.pbFormat, src.cbFormat);
        dst.cbFormat = src.cbFormat;
    }
    if (dst.pUnk)
        dst.pUnk->AddRef();
    return S_OK;
}

void ClearMediaType(AM_MEDIA_TYPE& type)
{
    if (type.pbFormat)
        CoTaskMemFree(type.pbFormat);
    if (type.pUnk)
        type.pUnk->Release();
    type = AM_MEDIA_TYPE{};
}

AM_MEDIA_TYPE* NewTaskMediaType(const AM_MEDIA_TYPE& src)
{
    auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!type)
        return nullptr;
    if (FAILED(CopyMediaTypeInto(*type, src))) {
        CoTaskMemFree(type);
        return nullptr;
    }
    return type;
}

void DeleteTaskMediaType(AM_MEDIA_TYPE* type)
{
    if (!type)
        return;
    ClearMediaType(*type);
    CoTaskMemFree(type);
}

bool IsFullySpecified(const AM_MEDIA_TYPE& type)
{
    if (IsEqualGUID(type.majortype, GUID_NULL) || IsEqualGUID(type.subtype, GUID_NULL)
        || IsEqualGUID(type.formattype, GUID_NULL))
        return false;
    if (IsEqualGUID(type.formattype, FORMAT_None))
        return true;
    return type.pbFormat && type.cbFormat > 0;
}

bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    return IsEqualGUID(a.majortype, b.majortype) && IsEqualGUID(a.subtype, b.subtype)
        && IsEqualGUID(a.formattype, b.formattype) && a.cbFormat == b.cbFormat
        && (a.cbFormat == 0 || (a.pbFormat && b.pbFormat && std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0));
}

bool MatchesPattern(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE& pattern)
{
    auto fits = [](const GUID& value, const GUID& wish) {
        return IsEqualGUID(wish, GUID_NULL) || IsEqualGUID(value, wish);
    };
    return fits(type.majortype, pattern.majortype) && fits(type.subtype, pattern.subtype)
        && fits(type.formattype, pattern.formattype);
}

const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type)
{
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Video) || !IsEqualGUID(type.formattype, FORMAT_VideoInfo)
        || type.cbFormat < sizeof(VIDEOINFOHEADER) || !type.pbFormat)
        return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

const WAVEFORMATEX* PcmFormatOf(const AM_MEDIA_TYPE& type)
{
    if (!IsEqualGUID(type.majortype, MEDIATYPE_Audio) || !IsEqualGUID(type.subtype, MEDIASUBTYPE_PCM)
        || !IsEqualGUID(type.formattype, FORMAT_WaveFormatEx) || type.cbFormat < sizeof(PCMWAVEFORMAT)
        || !type.pbFormat)
        return nullptr;
    return reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
}

bool TMediaType::SetFormat(const void* format, ULONG size)
{
    if (FType.pbFormat)
        CoTaskMemFree(FType.pbFormat);
    FType.pbFormat = nullptr;
    FType.cbFormat = 0;
    if (size == 0)
        return true;
    FType.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(size));
    if (!FType.pbFormat)
        return false;
    std::memcpy(FType.pbFormat, format, size);
    FType.cbFormat = size;
    return true;
}

} // namespace kivora::dshow
