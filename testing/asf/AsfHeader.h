// Reading an ASF file's header: what a player or a properties tool needs to know about a
// file before reading its packets.
//
//   TAsfFileInfo info;
//   TAsfResult r = ReadAsfFile(source, info);   // source: TAsfMemorySource or your own
//   if (r == asfOk) { info.streams[0].number ... info.Seekable() ... info.IsProtected() }
//
// ParseAsfHeader reads one Header Object from memory; ReadAsfFile reads the Header Object
// through a TAsfSource and then walks the top-level objects after it (Data, indexes) by
// their sizes, without reading the packets. Both are bounded: every length and count in
// the file is checked against the bytes really there, so a truncated or lying header gives
// asfTruncated/asfInvalid and never a read outside the buffer.
#pragma once

#include "AsfGuid.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kivora::asf {

enum TAsfResult {
    asfOk,
    asfNotAsf,      // the file does not start with a Header Object
    asfTruncated,   // an object or field runs past the end of the data
    asfInvalid,     // a field holds an impossible value (e.g. no File Properties)
    asfReadError,   // the source could not deliver bytes it said it has
};

// The File Properties Object's fields.
struct TAsfFileProperties {
    TAsfGuid fileId;
    uint64_t fileSize = 0;
    uint64_t creationDate = 0;       // 100-ns units since 1601-01-01
    uint64_t dataPacketsCount = 0;
    uint64_t playDuration = 0;       // 100-ns units, includes the preroll
    uint64_t sendDuration = 0;       // 100-ns units
    uint64_t preroll = 0;            // milliseconds
    uint32_t flags = 0;              // asfFlagBroadcast | asfFlagSeekable
    uint32_t minDataPacketSize = 0;
    uint32_t maxDataPacketSize = 0;
    uint32_t maxBitrate = 0;
};
enum : uint32_t { asfFlagBroadcast = 0x1, asfFlagSeekable = 0x2 };

// WAVEFORMATEX fields (audio streams), without the codec's extra bytes.
struct TAsfWaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;          // cbSize as stored
};

// BITMAPINFOHEADER fields (video streams), without the codec's extra bytes.
struct TAsfBitmapInfo {
    uint32_t size = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;        // FOURCC, 0 for uncompressed RGB
    uint32_t sizeImage = 0;
};

struct TAsfStreamInfo {
    uint16_t number = 0;             // 1..127
    TAsfGuid streamType;             // guid::AudioMedia, guid::VideoMedia, ...
    TAsfGuid errorCorrectionType;
    uint64_t timeOffset = 0;
    bool encrypted = false;          // the stream's Encrypted Content flag
    // The type-specific data as stored, and what was decoded from it.
    std::vector<uint8_t> typeSpecificData;
    bool hasWaveFormat = false;      // audio: WAVEFORMATEX decoded into wave
    TAsfWaveFormat wave;
    bool hasBitmapInfo = false;      // video: BITMAPINFOHEADER decoded into bitmap
    TAsfBitmapInfo bitmap;
    uint32_t encodedWidth = 0, encodedHeight = 0;
    // The codec-specific bytes after WAVEFORMATEX / BITMAPINFOHEADER (the format block is
    // typeSpecificData for audio, the bytes from formatOffset on for video).
    size_t formatOffset = 0;
    // Bit rates from the Extended Stream Properties (data bitrate) and from the Stream
    // Bitrate Properties (average bitrate); 0 when the file has none.
    uint32_t extendedDataBitrate = 0;
    uint32_t averageBitrate = 0;
    uint64_t averageTimePerFrame = 0; // 100-ns units, from the Extended Stream Properties

    bool IsAudio() const { return streamType == guid::AudioMedia; }
    bool IsVideo() const { return streamType == guid::VideoMedia; }
    // The best known bit rate: extended data bitrate, else average bitrate, else from the
    // audio format's byte rate, else 0.
    uint32_t Bitrate() const;
};

struct TAsfFileInfo {
    TAsfFileProperties file;
    std::vector<TAsfStreamInfo> streams;   // in header order
    uint64_t headerSize = 0;               // size of the Header Object
    bool hasContentEncryption = false;     // Content Encryption Object (DRM)
    bool hasExtendedContentEncryption = false;
    // Filled by ReadAsfFile only: top-level objects after the Header Object.
    uint64_t dataObjectOffset = 0, dataObjectSize = 0;
    uint64_t simpleIndexEntries = 0;       // entries of all Simple Index Objects
    bool hasIndexObject = false;

    bool Broadcast() const { return file.flags & asfFlagBroadcast; }
    bool Seekable() const { return file.flags & asfFlagSeekable; }
    // Protected by DRM: an encryption object is present.
    bool IsProtected() const { return hasContentEncryption || hasExtendedContentEncryption; }
    // Playable at other rates than normal: seekable, and the file has an index of its
    // key frames to step through.
    bool Stridable() const { return Seekable() && (simpleIndexEntries > 0 || hasIndexObject); }
    const TAsfStreamInfo* Stream(uint16_t number) const;
};

// Parses one Header Object (the bytes may go on past it; they are not read).
TAsfResult ParseAsfHeader(std::span<const uint8_t> bytes, TAsfFileInfo& info);

// Random-access bytes of a file.
class TAsfSource {
public:
    virtual ~TAsfSource() = default;
    virtual uint64_t Size() = 0;
    // Reads exactly size bytes at offset; false if it cannot.
    virtual bool Read(uint64_t offset, void* buffer, size_t size) = 0;
};

class TAsfMemorySource : public TAsfSource {
public:
    explicit TAsfMemorySource(std::span<const uint8_t> bytes) : FBytes(bytes) {}
    uint64_t Size() override { return FBytes.size(); }
    bool Read(uint64_t offset, void* buffer, size_t size) override;

private:
    std::span<const uint8_t> FBytes;
};

// Largest Header Object ReadAsfFile accepts (a header is metadata, not media).
inline constexpr uint64_t asfMaxHeaderSize = 64u << 20;

// Reads the Header Object and the top-level object list of a whole file.
TAsfResult ReadAsfFile(TAsfSource& source, TAsfFileInfo& info);

} // namespace kivora::asf
