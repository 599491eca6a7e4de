#include "media/MediaUtil/MediaType.h"

#include "media/MediaUtil/MediaErrors.h"

#include <cstring>

namespace {

// The stored record image keeps the field order of the 32-bit record: three GUIDs,
// two booleans, the sample size, and 32-bit pUnk, cbFormat and pbFormat.
constexpr size_t kRecordImageSize = 72;

void PutGuid(std::vector<uint8_t>& out, const GUID& guid)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&guid);
    out.insert(out.end(), bytes, bytes + sizeof guid);
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(value >> shift));
}

GUID GetGuid(const uint8_t* at)
{
    GUID guid;
    std::memcpy(&guid, at, sizeof guid);
    return guid;
}

uint32_t Get32(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

} // namespace

void DuplicateMediaType(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source)
{
    MediaAssert(&target != &source, L"Assertion failure");
    MediaAssert(source.cbFormat == 0 || source.pbFormat, L"Assertion failure");
    target = source;
    target.pbFormat = nullptr;
    if (source.cbFormat != 0) {
        target.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
        if (target.pbFormat)
            std::memcpy(target.pbFormat, source.pbFormat, source.cbFormat);
        else
            target.cbFormat = 0;
    }
    if (target.pUnk)
        target.pUnk->AddRef();
}

void ClearMediaType(AM_MEDIA_TYPE& record)
{
    if (record.cbFormat != 0) {
        CoTaskMemFree(record.pbFormat);
        record.cbFormat = 0;
    }
    record.pbFormat = nullptr;
    if (record.pUnk) {
        record.pUnk->Release();
        record.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* record)
{
    if (!record)
        return;
    ClearMediaType(*record);
    CoTaskMemFree(record);
}

TMediaType::TMediaType(const GUID& majorType)
{
    MediaRecord.majortype = majorType;
    MediaRecord.bFixedSizeSamples = static_cast<BOOL>(~0u);  // "true" with all bits set
    MediaRecord.lSampleSize = 1;
}

TMediaType::TMediaType(const AM_MEDIA_TYPE& source)
{
    DuplicateMediaType(MediaRecord, source);
}

TMediaType::~TMediaType()
{
    ClearMediaType(MediaRecord);
}

void TMediaType::ClearFormat()
{
    if (MediaRecord.cbFormat != 0)
        CoTaskMemFree(MediaRecord.pbFormat);
    MediaRecord.cbFormat = 0;
    MediaRecord.pbFormat = nullptr;
}

void TMediaType::Assign(const TMediaType& source)
{
    if (&source != this)
        Assign(source.MediaRecord);
}

void TMediaType::Assign(const AM_MEDIA_TYPE& source)
{
    if (&source == &MediaRecord)
        return;
    ClearMediaType(MediaRecord);
    DuplicateMediaType(MediaRecord, source);
}

bool TMediaType::Equals(const TMediaType& other) const
{
    const AM_MEDIA_TYPE& a = MediaRecord;
    const AM_MEDIA_TYPE& b = other.MediaRecord;
    if (!IsEqualGUID(a.majortype, b.majortype) || !IsEqualGUID(a.subtype, b.subtype) ||
        !IsEqualGUID(a.formattype, b.formattype) || a.cbFormat != b.cbFormat)
        return false;
    return a.cbFormat == 0 || (a.pbFormat && b.pbFormat && std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0);
}

std::vector<uint8_t> TMediaType::SaveData() const
{
    const AM_MEDIA_TYPE& r = MediaRecord;
    std::vector<uint8_t> out;
    out.reserve(kRecordImageSize + r.cbFormat);
    PutGuid(out, r.majortype);
    PutGuid(out, r.subtype);
    Put32(out, uint32_t(r.bFixedSizeSamples));
    Put32(out, uint32_t(r.bTemporalCompression));
    Put32(out, r.lSampleSize);
    PutGuid(out, r.formattype);
    Put32(out, 0);  // pUnk: a memory address means nothing once stored
    Put32(out, r.cbFormat);
    Put32(out, 0);  // pbFormat: likewise
    if (r.cbFormat != 0 && r.pbFormat)
        out.insert(out.end(), r.pbFormat, r.pbFormat + r.cbFormat);
    return out;
}

bool TMediaType::LoadData(std::span<const uint8_t> data)
{
    ClearMediaType(MediaRecord);
    if (data.size() < kRecordImageSize)
        return false;
    const uint8_t* p = data.data();
    AM_MEDIA_TYPE& r = MediaRecord;
    r.majortype = GetGuid(p);
    r.subtype = GetGuid(p + 16);
    r.bFixedSizeSamples = BOOL(Get32(p + 32));
    r.bTemporalCompression = BOOL(Get32(p + 36));
    r.lSampleSize = Get32(p + 40);
    r.formattype = GetGuid(p + 44);
    const uint32_t formatLength = Get32(p + 64);
    // A stored format block shorter than its stated length is not trusted.
    if (formatLength > data.size() - kRecordImageSize)
        return false;
    if (formatLength != 0) {
        r.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(formatLength));
        if (!r.pbFormat)
            return false;
        std::memcpy(r.pbFormat, p + kRecordImageSize, formatLength);
        r.cbFormat = formatLength;
    }
    return true;
}
