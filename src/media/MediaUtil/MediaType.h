// Media type records (AM_MEDIA_TYPE): deep copy and release, and TMediaType, an object
// that owns one record and stores it as the binary property "data".
//
// Whoever holds a record owns its format block (task memory) and one reference on pUnk.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <cstdint>
#include <span>
#include <vector>

// Deep copy of source into target (format block copied, pUnk referenced). A failed
// allocation of the format block leaves the target without one (cbFormat 0).
void DuplicateMediaType(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source);
// Frees the record's format block and its pUnk reference; the record itself stays.
void ClearMediaType(AM_MEDIA_TYPE& record);
// Frees a record that the platform allocated in task memory, with all it owns.
void DeleteMediaType(AM_MEDIA_TYPE* record);

class TMediaType {
public:
    // A new record: all zero except bFixedSizeSamples = TRUE (all bits set),
    // lSampleSize = 1 and the given major type.
    explicit TMediaType(const GUID& majorType = GUID_NULL);
    explicit TMediaType(const AM_MEDIA_TYPE& source);
    ~TMediaType();
    TMediaType(const TMediaType&) = delete;
    TMediaType& operator=(const TMediaType&) = delete;

    void SetSubType(const GUID& subType) { MediaRecord.subtype = subType; }
    void SetFormatType(const GUID& formatType) { MediaRecord.formattype = formatType; }
    uint32_t FormatLength() const { return MediaRecord.cbFormat; }
    void ClearFormat();
    void Assign(const TMediaType& source);
    void Assign(const AM_MEDIA_TYPE& source);
    // Same major type, subtype, format type and byte-equal format block.
    bool Equals(const TMediaType& other) const;

    // The stored form of the "data" property: the 72-byte record image (references
    // written as zero) followed by the format block.
    std::vector<uint8_t> SaveData() const;
    // Reads a stored form; false (and an empty format) when it is too short.
    bool LoadData(std::span<const uint8_t> data);

    AM_MEDIA_TYPE MediaRecord{};
};
