// AM_MEDIA_TYPE records: ownership of the format block and of the pUnk reference.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <amvideo.h>
#include <mmreg.h>

namespace kivora::dshow {

// Deep copy of src into dst (format block in task memory, pUnk AddRef'd). dst must be
// empty; E_OUTOFMEMORY leaves it empty.
HRESULT CopyMediaTypeInto(AM_MEDIA_TYPE& dst, const AM_MEDIA_TYPE& src);
// Frees what the record holds and leaves it zeroed.
void ClearMediaType(AM_MEDIA_TYPE& type);
// A task-memory record as IEnumMediaTypes::Next and IAMStreamConfig::GetFormat hand
// out; the caller frees it with DeleteTaskMediaType. nullptr when out of memory.
AM_MEDIA_TYPE* NewTaskMediaType(const AM_MEDIA_TYPE& src);
void DeleteTaskMediaType(AM_MEDIA_TYPE* type);

// Major type, subtype and format type all given, and a format block when the format
// type needs one. A partial type is what graph builders pass as a wish, never a
// format a pin can stream.
bool IsFullySpecified(const AM_MEDIA_TYPE& type);
// The same types and byte-for-byte the same format block.
bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);
// type fits the wish pattern: each GUID of the pattern is either GUID_NULL or equal.
bool MatchesPattern(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE& pattern);

// The format block read as a VIDEOINFOHEADER: for video types with FORMAT_VideoInfo
// and a block big enough; nullptr otherwise.
const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type);
// The format block read as WAVEFORMATEX: for PCM audio types with FORMAT_WaveFormatEx
// and a block of at least the PCM fields; nullptr otherwise.
const WAVEFORMATEX* PcmFormatOf(const AM_MEDIA_TYPE& type);

// One owned record.
class TMediaType {
public:
    TMediaType() = default;
    explicit TMediaType(const AM_MEDIA_TYPE& src) { CopyMediaTypeInto(FType, src); }
    TMediaType(const TMediaType& other) : TMediaType(other.FType) {}
    TMediaType& operator=(const TMediaType& other)
    {
        if (this != &other) {
            ClearMediaType(FType);
            CopyMediaTypeInto(FType, other.FType);
        }
        return *this;
    }
    ~TMediaType() { ClearMediaType(FType); }

    const AM_MEDIA_TYPE& Get() const { return FType; }
    AM_MEDIA_TYPE* Raw() { return &FType; }
    bool Empty() const { return IsEqualGUID(FType.majortype, GUID_NULL); }
    void Clear() { ClearMediaType(FType); }
    // Replaces the format block by a copy of size bytes.
    bool SetFormat(const void* format, ULONG size);

private:
    AM_MEDIA_TYPE FType{};
};

} // namespace kivora::dshow
