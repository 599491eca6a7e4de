#include "AsfHeader.h"

#include "AsfBytes.h"

#include <algorithm>
#include <cstring>

namespace kivora::asf {

namespace {

constexpr size_t objectHeaderSize = 24;     // GUID + 64-bit size
constexpr size_t headerObjectFixedSize = 30; // + object count, two reserved bytes

// Per-stream values that the Header Extension and the Stream Bitrate Properties carry
// apart from the stream's own object; they are applied once every stream is known.
struct TStreamExtra {
    uint16_t number = 0;
    uint32_t dataBitrate = 0;
    uint64_t averageTimePerFrame = 0;
    bool fromExtended = false;
    uint32_t averageBitrate = 0;
};

struct TParseState {
    TAsfFileInfo& info;
    std::vector<TStreamExtra> extras;
    bool sawFileProperties = false;
    TAsfResult result = asfOk;

    void Fail(TAsfResult r)
    {
        if (result == asfOk)
            result = r;
    }
};

// Reads the next object's GUID and body; the body span ends with the object.
bool NextObject(TAsfByteReader& reader, TAsfGuid& id, std::span<const uint8_t>& body, TParseState& state)
{
    uint64_t size = 0;
    if (!reader.Guid(id) || !reader.U64(size)) {
        state.Fail(asfTruncated);
        return false;
    }
    if (size < objectHeaderSize) {
        state.Fail(asfInvalid);
        return false;
    }
    if (!reader.Bytes(size - objectHeaderSize, body)) {
        state.Fail(asfTruncated);
        return false;
    }
    return true;
}

void ParseFileProperties(std::span<const uint8_t> body, TParseState& state)
{
    TAsfByteReader r(body);
    TAsfFileProperties& p = state.info.file;
    r.Guid(p.fileId);
    r.U64(p.fileSize);
    r.U64(p.creationDate);
    r.U64(p.dataPacketsCount);
    r.U64(p.playDuration);
    r.U64(p.sendDuration);
    r.U64(p.preroll);
    r.U32(p.flags);
    r.U32(p.minDataPacketSize);
    r.U32(p.maxDataPacketSize);
    r.U32(p.maxBitrate);
    if (!r.Ok())
        return state.Fail(asfTruncated);
    state.sawFileProperties = true;
}

void DecodeAudioFormat(TAsfStreamInfo& stream)
{
    TAsfByteReader r(stream.typeSpecificData);
    TAsfWaveFormat& w = stream.wave;
    r.U16(w.formatTag);
    r.U16(w.channels);
    r.U32(w.samplesPerSec);
    r.U32(w.avgBytesPerSec);
    r.U16(w.blockAlign);
    r.U16(w.bitsPerSample);
    if (!r.Ok())
        return;
    // WAVEFORMAT without cbSize is still a usable format.
    if (!r.U16(w.extraSize))
        w.extraSize = 0;
    stream.hasWaveFormat = true;
    stream.formatOffset = 0;
}

void DecodeVideoFormat(TAsfStreamInfo& stream)
{
    TAsfByteReader r(stream.typeSpecificData);
    uint8_t reservedFlags = 0;
    uint16_t formatDataSize = 0;
    r.U32(stream.encodedWidth);
    r.U32(stream.encodedHeight);
    r.U8(reservedFlags);
    r.U16(formatDataSize);
    std::span<const uint8_t> formatData;
    if (!r.Bytes(formatDataSize, formatData))
        return;
    TAsfByteReader f(formatData);
    TAsfBitmapInfo& b = stream.bitmap;
    uint32_t width = 0, height = 0;
    f.U32(b.size);
    f.U32(width);
    f.U32(height);
    f.U16(b.planes);
    f.U16(b.bitCount);
    f.U32(b.compression);
    f.U32(b.sizeImage);
    if (!f.Ok() || formatDataSize < 40)
        return;
    b.width = static_cast<int32_t>(width);
    b.height = static_cast<int32_t>(height);
    stream.hasBitmapInfo = true;
    stream.formatOffset = 11;
}

void ParseStreamProperties(std::span<const uint8_t> body, TParseState& state)
{
    TAsfByteReader r(body);
    TAsfStreamInfo stream;
    uint32_t typeSpecificLength = 0, errorCorrectionLength = 0, reserved = 0;
    uint16_t flags = 0;
    std::span<const uint8_t> typeSpecific, errorCorrection;
    r.Guid(stream.streamType);
    r.Guid(stream.errorCorrectionType);
    r.U64(stream.timeOffset);
    r.U32(typeSpecificLength);
    r.U32(errorCorrectionLength);
    r.U16(flags);
    r.U32(reserved);
    r.Bytes(typeSpecificLength, typeSpecific);
    r.Bytes(errorCorrectionLength, errorCorrection);
    if (!r.Ok())
        return state.Fail(asfTruncated);
    stream.number = flags & 0x7F;
    stream.encrypted = (flags & 0x8000) != 0;
    if (stream.number == 0 || state.info.Stream(stream.number))
        return state.Fail(asfInvalid);
    stream.typeSpecificData.assign(typeSpecific.begin(), typeSpecific.end());
    if (stream.IsAudio())
        DecodeAudioFormat(stream);
    else if (stream.IsVideo())
        DecodeVideoFormat(stream);
    state.info.streams.push_back(std::move(stream));
}

void ParseExtendedStreamProperties(std::span<const uint8_t> body, TParseState& state)
{
    TAsfByteReader r(body);
    TStreamExtra extra;
    extra.fromExtended = true;
    uint64_t startTime = 0, endTime = 0;
    uint32_t bufferSize = 0, fullness = 0, altBitrate = 0, altBuffer = 0, altFullness = 0, maxObjectSize = 0,
             flags = 0;
    uint16_t languageIndex = 0, nameCount = 0, extensionCount = 0;
    r.U64(startTime);
    r.U64(endTime);
    r.U32(extra.dataBitrate);
    r.U32(bufferSize);
    r.U32(fullness);
    r.U32(altBitrate);
    r.U32(altBuffer);
    r.U32(altFullness);
    r.U32(maxObjectSize);
    r.U32(flags);
    r.U16(extra.number);
    r.U16(languageIndex);
    r.U64(extra.averageTimePerFrame);
    r.U16(nameCount);
    r.U16(extensionCount);
    for (uint16_t i = 0; i < nameCount && r.Ok(); ++i) {
        uint16_t language = 0, length = 0;
        r.U16(language);
        r.U16(length);
        r.Skip(length);
    }
    for (uint16_t i = 0; i < extensionCount && r.Ok(); ++i) {
        TAsfGuid system;
        uint16_t dataSize = 0;
        uint32_t infoLength = 0;
        r.Guid(system);
        r.U16(dataSize);
        r.U32(infoLength);
        r.Skip(infoLength);
    }
    if (!r.Ok())
        return state.Fail(asfTruncated);
    extra.number &= 0x7F;
    state.extras.push_back(extra);
    // A stream may be defined here instead of in the header proper.
    if (r.Remaining() > 0) {
        TAsfGuid id;
        std::span<const uint8_t> streamBody;
        if (NextObject(r, id, streamBody, state) && id == guid::StreamProperties)
            ParseStreamProperties(streamBody, state);
    }
}

void ParseHeaderExtension(std::span<const uint8_t> body, TParseState& state)
{
    TAsfByteReader r(body);
    TAsfGuid reserved1;
    uint16_t reserved2 = 0;
    uint32_t dataSize = 0;
    std::span<const uint8_t> data;
    r.Guid(reserved1);
    r.U16(reserved2);
    r.U32(dataSize);
    if (!r.Bytes(dataSize, data))
        return state.Fail(asfTruncated);
    TAsfByteReader objects(data);
    while (objects.Remaining() > 0 && state.result == asfOk) {
        TAsfGuid id;
        std::span<const uint8_t> objectBody;
        if (!NextObject(objects, id, objectBody, state))
            return;
        if (id == guid::ExtendedStreamProperties)
            ParseExtendedStreamProperties(objectBody, state);
    }
}

void ParseStreamBitrates(std::span<const uint8_t> body, TParseState& state)
{
    TAsfByteReader r(body);
    uint16_t count = 0;
    r.U16(count);
    for (uint16_t i = 0; i < count && r.Ok(); ++i) {
        TStreamExtra extra;
        uint16_t flags = 0;
        r.U16(flags);
        r.U32(extra.averageBitrate);
        extra.number = flags & 0x7F;
        if (r.Ok())
            state.extras.push_back(extra);
    }
    if (!r.Ok())
        state.Fail(asfTruncated);
}

void ApplyExtras(TParseState& state)
{
    for (const TStreamExtra& extra : state.extras) {
        auto stream = std::find_if(state.info.streams.begin(), state.info.streams.end(),
                                   [&](const TAsfStreamInfo& s) { return s.number == extra.number; });
        if (stream == state.info.streams.end())
            continue;
        if (extra.fromExtended) {
            stream->extendedDataBitrate = extra.dataBitrate;
            stream->averageTimePerFrame = extra.averageTimePerFrame;
        } else {
            stream->averageBitrate = extra.averageBitrate;
        }
    }
}

} // namespace

uint32_t TAsfStreamInfo::Bitrate() const
{
    if (extendedDataBitrate)
        return extendedDataBitrate;
    if (averageBitrate)
        return averageBitrate;
    if (hasWaveFormat && wave.avgBytesPerSec <= UINT32_MAX / 8)
        return wave.avgBytesPerSec * 8;
    return 0;
}

const TAsfStreamInfo* TAsfFileInfo::Stream(uint16_t number) const
{
    for (const TAsfStreamInfo& stream : streams)
        if (stream.number == number)
            return &stream;
    return nullptr;
}

TAsfResult ParseAsfHeader(std::span<const uint8_t> bytes, TAsfFileInfo& info)
{
    info = TAsfFileInfo{};
    TAsfByteReader top(bytes);
    TAsfGuid id;
    uint64_t size = 0;
    uint32_t objectCount = 0;
    uint8_t reserved1 = 0, reserved2 = 0;
    if (!top.Guid(id))
        return asfNotAsf;
    if (id != guid::Header)
        return asfNotAsf;
    top.U64(size);
    top.U32(objectCount);
    top.U8(reserved1);
    top.U8(reserved2);
    if (!top.Ok())
        return asfTruncated;
    if (size < headerObjectFixedSize)
        return asfInvalid;
    if (size > bytes.size())
        return asfTruncated;
    info.headerSize = size;

    TParseState state{info, {}};
    TAsfByteReader objects(bytes.subspan(headerObjectFixedSize, static_cast<size_t>(size) - headerObjectFixedSize));
    while (objects.Remaining() > 0 && state.result == asfOk) {
        std::span<const uint8_t> body;
        if (!NextObject(objects, id, body, state))
            break;
        if (id == guid::FileProperties)
            ParseFileProperties(body, state);
        else if (id == guid::StreamProperties)
            ParseStreamProperties(body, state);
        else if (id == guid::HeaderExtension)
            ParseHeaderExtension(body, state);
        else if (id == guid::StreamBitrateProperties)
            ParseStreamBitrates(body, state);
        else if (id == guid::ContentEncryption)
            info.hasContentEncryption = true;
        else if (id == guid::ExtendedContentEncryption)
            info.hasExtendedContentEncryption = true;
    }
    if (state.result == asfOk && !state.sawFileProperties)
        state.Fail(asfInvalid);
    if (state.result != asfOk)
        return state.result;
    ApplyExtras(state);
    return asfOk;
}

bool TAsfMemorySource::Read(uint64_t offset, void* buffer, size_t size)
{
    if (offset > FBytes.size() || size > FBytes.size() - offset)
        return false;
    if (size)
        std::memcpy(buffer, FBytes.data() + offset, size);
    return true;
}

TAsfResult ReadAsfFile(TAsfSource& source, TAsfFileInfo& info)
{
    info = TAsfFileInfo{};
    const uint64_t fileSize = source.Size();
    uint8_t start[headerObjectFixedSize];
    if (fileSize < objectHeaderSize)
        return fileSize < 16 ? asfNotAsf : asfTruncated;
    if (!source.Read(0, start, objectHeaderSize))
        return asfReadError;
    TAsfByteReader r(std::span<const uint8_t>(start, objectHeaderSize));
    TAsfGuid id;
    uint64_t headerSize = 0;
    r.Guid(id);
    r.U64(headerSize);
    if (id != guid::Header)
        return asfNotAsf;
    if (headerSize < headerObjectFixedSize)
        return asfInvalid;
    if (headerSize > fileSize)
        return asfTruncated;
    if (headerSize > asfMaxHeaderSize)
        return asfInvalid;
    std::vector<uint8_t> header(static_cast<size_t>(headerSize));
    if (!source.Read(0, header.data(), header.size()))
        return asfReadError;
    TAsfResult result = ParseAsfHeader(header, info);
    if (result != asfOk)
        return result;

    // The top-level objects after the header. A file cut short (e.g. still being written)
    // keeps what its header says: the walk just stops at the first object that does not fit.
    uint64_t offset = headerSize;
    while (fileSize - offset >= objectHeaderSize) {
        uint8_t objectStart[56];
        size_t peek = static_cast<size_t>(std::min<uint64_t>(sizeof objectStart, fileSize - offset));
        if (!source.Read(offset, objectStart, peek))
            return asfReadError;
        TAsfByteReader o(std::span<const uint8_t>(objectStart, peek));
        uint64_t size = 0;
        o.Guid(id);
        o.U64(size);
        if (size < objectHeaderSize || size > fileSize - offset)
            break;
        if (id == guid::Data && info.dataObjectSize == 0) {
            info.dataObjectOffset = offset;
            info.dataObjectSize = size;
        } else if (id == guid::SimpleIndex) {
            // File ID (16), entry time interval (8), maximum packet count (4), entry count (4).
            TAsfGuid fileId;
            uint64_t interval = 0;
            uint32_t maxPackets = 0, entries = 0;
            o.Guid(fileId);
            o.U64(interval);
            o.U32(maxPackets);
            if (size >= 56 && o.U32(entries) && entries <= (size - 56) / 6)
                info.simpleIndexEntries += entries;
        } else if (id == guid::Index) {
            info.hasIndexObject = true;
        }
        offset += size;
    }
    return asfOk;
}

} // namespace kivora::asf
