#include "AsfWriter.h"

#include "AsfBytes.h"

#include <algorithm>
#include <random>

namespace kivora::asf {

namespace {

constexpr size_t packetHeaderSize = 14;   // error correction 3, flags 2, padding 2, send time 4, duration 2, payload flags 1
constexpr size_t payloadHeaderSize = 17;  // stream 1, object number 1, offset 4, replicated length 1 + 8, payload length 2
constexpr uint8_t maxPayloadsPerPacket = 63;
constexpr uint32_t minPacketSize = 64;
constexpr uint64_t hundredNsPerMs = 10'000;

TAsfGuid NewFileId()
{
    std::random_device random;
    TAsfGuid id;
    for (auto& b : id.bytes)
        b = static_cast<uint8_t>(random());
    return id;
}

int Seek(std::FILE* file, uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET);
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET);
#endif
}

} // namespace

bool TAsfMemorySink::Append(std::span<const uint8_t> data)
{
    bytes.insert(bytes.end(), data.begin(), data.end());
    return true;
}

bool TAsfMemorySink::WriteAt(uint64_t offset, std::span<const uint8_t> data)
{
    if (offset > bytes.size() || data.size() > bytes.size() - offset)
        return false;
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<ptrdiff_t>(offset));
    return true;
}

TAsfFileSink::TAsfFileSink(const std::filesystem::path& path)
{
#ifdef _WIN32
    FFile = _wfopen(path.c_str(), L"w+b");
#else
    FFile = std::fopen(path.c_str(), "w+b");
#endif
}

TAsfFileSink::~TAsfFileSink()
{
    Close();
}

bool TAsfFileSink::Append(std::span<const uint8_t> data)
{
    return FFile && Seek(FFile, FSize) == 0 && std::fwrite(data.data(), 1, data.size(), FFile) == data.size() &&
           (FSize += data.size(), true);
}

bool TAsfFileSink::WriteAt(uint64_t offset, std::span<const uint8_t> data)
{
    if (!FFile || offset > FSize || data.size() > FSize - offset)
        return false;
    return Seek(FFile, offset) == 0 && std::fwrite(data.data(), 1, data.size(), FFile) == data.size();
}

bool TAsfFileSink::Close()
{
    if (!FFile)
        return false;
    bool ok = std::fclose(FFile) == 0;
    FFile = nullptr;
    return ok;
}

TAsfWriter::TAsfWriter(TAsfSink& sink, TAsfWriterOptions options)
    : FSink(sink), FOptions(options), FFileId(NewFileId())
{
    FOptions.packetSize = std::max(FOptions.packetSize, minPacketSize);
    if (FOptions.indexInterval == 0)
        FOptions.indexInterval = 10'000'000;
}

uint16_t TAsfWriter::AddStream(const TAsfGuid& streamType, std::span<const uint8_t> typeSpecificData)
{
    if (FBegun || FStreams.size() >= 127)
        return 0;
    TStream stream;
    stream.number = static_cast<uint16_t>(FStreams.size() + 1);
    stream.type = streamType;
    stream.typeSpecific.assign(typeSpecificData.begin(), typeSpecificData.end());
    FStreams.push_back(std::move(stream));
    return FStreams.back().number;
}

uint16_t TAsfWriter::AddVideoStream(const TAsfVideoFormat& format)
{
    // Encoded image size, reserved flags (2), format data size, then BITMAPINFOHEADER.
    std::vector<uint8_t> data;
    TAsfByteWriter w(data);
    const uint32_t bitmapSize = static_cast<uint32_t>(40 + format.codecData.size());
    const uint32_t stride = ((static_cast<uint32_t>(format.width) * format.bitCount + 31) / 32) * 4;
    const uint32_t rows = static_cast<uint32_t>(format.height < 0 ? -format.height : format.height);
    w.U32(static_cast<uint32_t>(format.width));
    w.U32(rows);
    w.U8(2);
    w.U16(static_cast<uint16_t>(bitmapSize));
    w.U32(bitmapSize);
    w.U32(static_cast<uint32_t>(format.width));
    w.U32(static_cast<uint32_t>(format.height));
    w.U16(1);
    w.U16(format.bitCount);
    w.U32(format.compression);
    w.U32(stride * rows);
    w.Zeros(16);  // pixels per metre, colours used, colours important
    w.Bytes(format.codecData);
    uint16_t number = AddStream(guid::VideoMedia, data);
    if (number && !FIndexStream)
        FIndexStream = number;
    return number;
}

uint16_t TAsfWriter::AddAudioStream(const TAsfAudioFormat& format)
{
    uint16_t blockAlign = format.blockAlign ? format.blockAlign
                                            : static_cast<uint16_t>(format.channels * ((format.bitsPerSample + 7) / 8));
    uint32_t avgBytesPerSec = format.avgBytesPerSec ? format.avgBytesPerSec : blockAlign * format.samplesPerSec;
    std::vector<uint8_t> data;
    TAsfByteWriter w(data);
    w.U16(format.formatTag);
    w.U16(format.channels);
    w.U32(format.samplesPerSec);
    w.U32(avgBytesPerSec);
    w.U16(blockAlign);
    w.U16(format.bitsPerSample);
    w.U16(static_cast<uint16_t>(format.codecData.size()));
    w.Bytes(format.codecData);
    uint16_t number = AddStream(guid::AudioMedia, data);
    if (number)
        FStreams.back().fixedBitrate = avgBytesPerSec * 8;
    return number;
}

TAsfWriter::TStream* TAsfWriter::FindStream(uint16_t number)
{
    return number >= 1 && number <= FStreams.size() ? &FStreams[number - 1] : nullptr;
}

bool TAsfWriter::Seekable() const
{
    return FOptions.seekable && (FIndexStream == 0 || FIndexWritten);
}

uint32_t TAsfWriter::StreamBitrate(const TStream& stream) const
{
    if (stream.fixedBitrate)
        return stream.fixedBitrate;
    if (FEndTime == 0)
        return 0;
    return static_cast<uint32_t>(std::min<uint64_t>(stream.bytes * 8 * 10'000'000 / FEndTime, UINT32_MAX));
}

std::vector<uint8_t> TAsfWriter::BuildHeader() const
{
    std::vector<uint8_t> out;
    TAsfByteWriter w(out);
    uint32_t objectCount = 0;
    size_t header = w.BeginObject(guid::Header);
    size_t countAt = w.Position();
    w.U32(0);
    w.U8(1);
    w.U8(2);

    uint64_t totalBitrate = 0;
    for (const TStream& s : FStreams)
        totalBitrate += StreamBitrate(s);
    const uint64_t prerollTime = FOptions.prerollMs * hundredNsPerMs;

    size_t fileProperties = w.BeginObject(guid::FileProperties);
    w.Guid(FFileId);
    w.U64(FFileSize);
    w.U64(FOptions.creationDate);
    w.U64(FPacketCount);
    w.U64(FEndTime + prerollTime);  // play duration
    w.U64(FEndTime);                // send duration
    w.U64(FOptions.prerollMs);
    w.U32(Seekable() ? 0x2 : 0);
    w.U32(FOptions.packetSize);
    w.U32(FOptions.packetSize);
    w.U32(static_cast<uint32_t>(std::min<uint64_t>(totalBitrate, UINT32_MAX)));
    w.EndObject(fileProperties);
    ++objectCount;

    // The Header Extension carries each stream's Extended Stream Properties.
    size_t extension = w.BeginObject(guid::HeaderExtension);
    w.Guid(guid::HeaderExtensionReserved);
    w.U16(6);
    size_t extensionSizeAt = w.Position();
    w.U32(0);
    for (const TStream& s : FStreams) {
        size_t ext = w.BeginObject(guid::ExtendedStreamProperties);
        w.U64(0);                       // start time
        w.U64(FEndTime / hundredNsPerMs); // end time, ms
        w.U32(StreamBitrate(s));        // data bitrate
        w.U32(3000);                    // buffer size, ms
        w.U32(0);                       // initial buffer fullness
        w.U32(StreamBitrate(s));        // alternate data bitrate
        w.U32(3000);
        w.U32(0);
        w.U32(s.maxObjectSize);
        w.U32(Seekable() ? 0x2 : 0);
        w.U16(s.number);
        w.U16(0);                       // language index
        w.U64(0);                       // average time per frame: not known
        w.U16(0);                       // stream names
        w.U16(0);                       // payload extension systems
        w.EndObject(ext);
    }
    w.PatchU32(extensionSizeAt, static_cast<uint32_t>(w.Position() - extensionSizeAt - 4));
    w.EndObject(extension);
    ++objectCount;

    for (const TStream& s : FStreams) {
        size_t properties = w.BeginObject(guid::StreamProperties);
        w.Guid(s.type);
        w.Guid(guid::NoErrorCorrection);
        w.U64(0);                       // time offset
        w.U32(static_cast<uint32_t>(s.typeSpecific.size()));
        w.U32(0);                       // error correction data length
        w.U16(s.number);                // flags: stream number, not encrypted
        w.U32(0);
        w.Bytes(s.typeSpecific);
        w.EndObject(properties);
        ++objectCount;
    }

    size_t bitrates = w.BeginObject(guid::StreamBitrateProperties);
    w.U16(static_cast<uint16_t>(FStreams.size()));
    for (const TStream& s : FStreams) {
        w.U16(s.number);
        w.U32(StreamBitrate(s));
    }
    w.EndObject(bitrates);
    ++objectCount;

    w.PatchU32(countAt, objectCount);
    w.EndObject(header);

    // The Data Object's own header follows: file ID, packet count, reserved 0x0101.
    uint64_t dataSize = 50 + FPacketCount * FOptions.packetSize;
    w.Guid(guid::Data);
    w.U64(dataSize);
    w.Guid(FFileId);
    w.U64(FPacketCount);
    w.U16(0x0101);
    return out;
}

bool TAsfWriter::Emit(std::span<const uint8_t> bytes)
{
    if (FFailed || !FSink.Append(bytes)) {
        FFailed = true;
        return false;
    }
    FFileSize += bytes.size();
    return true;
}

bool TAsfWriter::Begin()
{
    if (FBegun || FFailed)
        return false;
    FBegun = true;
    return Emit(BuildHeader());
}

bool TAsfWriter::FlushPacket()
{
    if (FPayloadCount == 0)
        return !FFailed;
    std::vector<uint8_t> packet;
    packet.reserve(FOptions.packetSize);
    TAsfByteWriter w(packet);
    const size_t padding = FOptions.packetSize - packetHeaderSize - FPayloads.size();
    w.U8(0x82);                         // error correction present, 2 bytes of it
    w.U16(0);
    w.U8(0x11);                         // multiple payloads, padding length as WORD
    w.U8(0x5D);                         // replicated BYTE, offset DWORD, object BYTE, stream BYTE
    w.U16(static_cast<uint16_t>(padding));
    w.U32(FPacketSendTime);
    w.U16(0);                           // duration
    w.U8(static_cast<uint8_t>(0x80 | FPayloadCount)); // payload lengths as WORD
    w.Bytes(FPayloads);
    w.Zeros(padding);
    FPayloads.clear();
    FPayloadCount = 0;
    if (!Emit(packet))
        return false;
    ++FPacketCount;
    FWrittenEndTime = FCompletedEndTime;
    return true;
}

bool TAsfWriter::WriteSample(uint16_t number, uint64_t time, std::span<const uint8_t> data,
                             bool keyFrame, uint64_t duration)
{
    TStream* stream = FindStream(number);
    if (!FBegun || FFinished || FFailed || !stream)
        return false;
    FEndTime = std::max(FEndTime, time + duration);
    // A payload of no bytes is not a valid fragment for readers: an empty sample carries
    // nothing and only extends the duration.
    if (data.empty())
        return true;
    const uint32_t presentation = static_cast<uint32_t>(time / hundredNsPerMs + FOptions.prerollMs);
    const uint32_t objectSize = static_cast<uint32_t>(data.size());
    const size_t capacity = FOptions.packetSize - packetHeaderSize;
    bool first = true;
    size_t offset = 0;
    do {
        // A fragment needs its header and at least one byte.
        if (FPayloadCount == maxPayloadsPerPacket ||
            capacity - FPayloads.size() < payloadHeaderSize + 1) {
            if (!FlushPacket())
                return false;
        }
        if (first && keyFrame && number == FIndexStream)
            FKeyFrames.push_back({time, static_cast<uint32_t>(FPacketCount), 1});
        if (FPayloadCount == 0)
            FPacketSendTime = presentation;
        size_t chunk = std::min(data.size() - offset, capacity - FPayloads.size() - payloadHeaderSize);
        TAsfByteWriter w(FPayloads);
        w.U8(static_cast<uint8_t>(number | (keyFrame ? 0x80 : 0)));
        w.U8(stream->objectNumber);
        w.U32(static_cast<uint32_t>(offset));
        w.U8(8);                        // replicated data: object size, presentation time
        w.U32(objectSize);
        w.U32(presentation);
        w.U16(static_cast<uint16_t>(chunk));
        w.Bytes(data.subspan(offset, chunk));
        ++FPayloadCount;
        offset += chunk;
        first = false;
        if (keyFrame && number == FIndexStream)
            FKeyFrames.back().packetCount =
                static_cast<uint16_t>(std::min<uint64_t>(FPacketCount - FKeyFrames.back().packet + 1, UINT16_MAX));
    } while (offset < data.size());
    FCompletedEndTime = std::max(FCompletedEndTime, time + duration);
    ++stream->objectNumber;
    stream->bytes += data.size();
    stream->maxObjectSize = std::max(stream->maxObjectSize, objectSize);
    return true;
}

void TAsfWriter::BuildIndex(std::vector<uint8_t>& out) const
{
    if (!FIndexStream || FKeyFrames.empty())
        return;
    TAsfByteWriter w(out);
    const uint64_t lastTime = std::max(FEndTime, FKeyFrames.back().time);
    const uint64_t entries = lastTime / FOptions.indexInterval + 1;
    uint16_t maxPackets = 0;
    for (const TIndexPoint& k : FKeyFrames)
        maxPackets = std::max(maxPackets, k.packetCount);
    size_t index = w.BeginObject(guid::SimpleIndex);
    w.Guid(FFileId);
    w.U64(FOptions.indexInterval);
    w.U32(maxPackets);
    w.U32(static_cast<uint32_t>(entries));
    size_t key = 0;
    for (uint64_t i = 0; i < entries; ++i) {
        const uint64_t at = i * FOptions.indexInterval;
        while (key + 1 < FKeyFrames.size() && FKeyFrames[key + 1].time <= at)
            ++key;
        w.U32(FKeyFrames[key].packet);
        w.U16(FKeyFrames[key].packetCount);
    }
    w.EndObject(index);
}

bool TAsfWriter::Finish()
{
    if (!FBegun || FFinished)
        return false;
    FFinished = true;
    // Without the header in the sink there is nothing to rewrite.
    if (FFileSize == 0)
        return false;
    const bool allPackets = !FFailed && FlushPacket();
    if (allPackets) {
        std::vector<uint8_t> index;
        BuildIndex(index);
        FIndexWritten = !index.empty() && Emit(index);
    } else {
        // Samples past the last packet taken are not in the file: the duration ends
        // with the last sample that is.
        FEndTime = FWrittenEndTime;
    }
    // Same layout as at Begin, now with the values of what the sink holds.
    if (!FSink.WriteAt(0, BuildHeader()))
        FFailed = true;
    return !FFailed;
}

std::vector<uint8_t> MakeContentEncryptionObject()
{
    static constexpr uint8_t secret[] = {0x4B, 0x49, 0x56, 0x4F};
    static constexpr char protectionType[] = "DRM";
    static constexpr char keyId[] = "kivora-test-key";
    static constexpr char licenseUrl[] = "http://license.invalid/";
    std::vector<uint8_t> out;
    out.reserve(128);
    TAsfByteWriter w(out);
    size_t object = w.BeginObject(guid::ContentEncryption);
    auto field = [&](const void* bytes, size_t size) {
        w.U32(static_cast<uint32_t>(size));
        w.Bytes(std::span(static_cast<const uint8_t*>(bytes), size));
    };
    field(secret, sizeof secret);
    field(protectionType, sizeof protectionType);
    field(keyId, sizeof keyId);
    field(licenseUrl, sizeof licenseUrl);
    w.EndObject(object);
    return out;
}

bool InsertHeaderObject(std::vector<uint8_t>& file, std::span<const uint8_t> object)
{
    TAsfByteReader r(file);
    TAsfGuid id;
    uint64_t headerSize = 0;
    uint32_t count = 0;
    r.Guid(id);
    r.U64(headerSize);
    r.U32(count);
    if (!r.Ok() || id != guid::Header || headerSize < 30 || headerSize > file.size())
        return false;
    // Find the File Properties Object to correct the file size it records.
    size_t fileSizeAt = 0;
    for (size_t at = 30; at + 24 <= headerSize;) {
        TAsfByteReader o(std::span<const uint8_t>(file).subspan(at, headerSize - at));
        uint64_t size = 0;
        o.Guid(id);
        o.U64(size);
        if (size < 24 || size > headerSize - at)
            return false;
        if (id == guid::FileProperties && size >= 48)
            fileSizeAt = at + 40;
        at += static_cast<size_t>(size);
    }
    file.insert(file.begin() + static_cast<ptrdiff_t>(headerSize), object.begin(), object.end());
    TAsfByteWriter w(file);
    w.PatchU64(16, headerSize + object.size());
    w.PatchU32(24, count + 1);
    if (fileSizeAt)
        w.PatchU64(fileSizeAt, file.size());
    return true;
}

} // namespace kivora::asf
