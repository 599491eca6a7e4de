// Writing an ASF file: header, data packets with timestamped samples, and an index.
//
// Usage:
//
//   kivora::asf::TAsfFileSink sink(L"out.wmv");     // or TAsfMemorySink, or your own TAsfSink
//   kivora::asf::TAsfWriter writer(sink);           // optional TAsfWriterOptions (packet size…)
//   uint16_t video = writer.AddVideoStream({.width = 320, .height = 240,
//                                           .compression = kivora::asf::asfFourccMjpg});
//   uint16_t audio = writer.AddAudioStream({.channels = 1, .samplesPerSec = 22050,
//                                           .bitsPerSample = 16});
//   writer.Begin();                                 // after the last Add…Stream
//   writer.WriteSample(video, 0, jpegBytes, true);  // presentation time in 100-ns units
//   writer.WriteSample(audio, 0, pcmBytes, true, 1000000);   // optional duration (100 ns)
//   ...
//   if (!writer.Finish()) { /* the sink failed */ }
//
// - Streams are numbered 1, 2, … in the order they are added; Add…Stream returns the number.
//   Video is described by a BITMAPINFOHEADER (uncompressed RGB with compression 0, or a
//   FOURCC such as MJPG with one JPEG image per sample), audio by a WAVEFORMATEX (PCM by
//   default). AddStream takes any stream type GUID with its type-specific bytes.
// - Samples go into fixed-size data packets in the order they are written; write them in
//   presentation-time order across streams. A sample larger than a packet is split across
//   packets; the unused end of a packet is padding.
// - Begin writes a header with placeholder values; Finish writes the last packet, a Simple
//   Index for the first video stream (one entry per second: the packet of the key frame at
//   or before that time), and rewrites the header in place with the duration, packet count,
//   file size, bit rates and the seekable flag. The sink must therefore accept writes at an
//   earlier offset (WriteAt).
// - Every call reports a sink failure by returning false; after a failure the writer
//   appends nothing more. A sink whose append fails must keep nothing of that append
//   (as a full disk does), so that the sink holds exactly the appends that succeeded.
// - Finish after a failure (earlier, or of its own last packet or index) still makes the
//   file playable up to the last packet the sink took: it rewrites the header in place
//   (no new space needed) with that packet count, file size and the duration of the
//   samples complete in those packets, without an index, and returns false. A file with a
//   video stream and no index is not marked seekable.
//
// InsertHeaderObject adds an object to the Header Object of a finished file in memory
// (e.g. MakeContentEncryptionObject() to make a copy look DRM-protected).
#pragma once

#include "AsfGuid.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <vector>

namespace kivora::asf {

constexpr uint32_t AsfFourcc(char a, char b, char c, char d)
{
    return static_cast<uint8_t>(a) | static_cast<uint8_t>(b) << 8 | static_cast<uint8_t>(c) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}
inline constexpr uint32_t asfFourccMjpg = AsfFourcc('M', 'J', 'P', 'G');
inline constexpr uint32_t asfCompressionRgb = 0;
inline constexpr uint16_t asfFormatTagPcm = 1;

// Where the writer's bytes go.
class TAsfSink {
public:
    virtual ~TAsfSink() = default;
    virtual bool Append(std::span<const uint8_t> bytes) = 0;
    // Overwrites bytes already appended.
    virtual bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) = 0;
};

class TAsfMemorySink : public TAsfSink {
public:
    bool Append(std::span<const uint8_t> bytes) override;
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;
    std::vector<uint8_t> bytes;
};

// A file, created (or truncated) when the sink is made; Ok() tells whether that worked.
class TAsfFileSink : public TAsfSink {
public:
    explicit TAsfFileSink(const std::filesystem::path& path);
    ~TAsfFileSink() override;
    TAsfFileSink(const TAsfFileSink&) = delete;
    TAsfFileSink& operator=(const TAsfFileSink&) = delete;
    bool Ok() const { return FFile != nullptr; }
    bool Append(std::span<const uint8_t> bytes) override;
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;
    // Flushes and closes the file; false when a write could not be completed.
    bool Close();

private:
    std::FILE* FFile = nullptr;
    uint64_t FSize = 0;
};

struct TAsfVideoFormat {
    int32_t width = 0;
    int32_t height = 0;                    // positive: bottom-up rows for RGB
    uint32_t compression = asfCompressionRgb;
    uint16_t bitCount = 24;
    std::vector<uint8_t> codecData{};      // bytes after the BITMAPINFOHEADER, if any
};

struct TAsfAudioFormat {
    uint16_t formatTag = asfFormatTagPcm;
    uint16_t channels = 1;
    uint32_t samplesPerSec = 44100;
    uint16_t bitsPerSample = 16;
    uint32_t avgBytesPerSec = 0;           // 0: computed for PCM
    uint16_t blockAlign = 0;               // 0: computed for PCM
    std::vector<uint8_t> codecData{};      // bytes after the WAVEFORMATEX (cbSize of them)
};

struct TAsfWriterOptions {
    uint32_t packetSize = 3200;            // bytes of every data packet (64 or more)
    uint64_t prerollMs = 0;                // added to every presentation time in the packets
    bool seekable = true;                  // the File Properties' seekable flag
    uint64_t creationDate = 0;             // 100-ns units since 1601-01-01
    uint64_t indexInterval = 10'000'000;   // Simple Index entry spacing, 100-ns units
};

class TAsfWriter {
public:
    explicit TAsfWriter(TAsfSink& sink, TAsfWriterOptions options = {});

    // Before Begin. Each returns the new stream's number, or 0 when 127 streams exist or
    // Begin was called.
    uint16_t AddVideoStream(const TAsfVideoFormat& format);
    uint16_t AddAudioStream(const TAsfAudioFormat& format);
    uint16_t AddStream(const TAsfGuid& streamType, std::span<const uint8_t> typeSpecificData);

    bool Begin();
    // time and duration in 100-ns units; keyFrame marks a sample decodable on its own
    // (always true for audio and MJPG). An empty sample only extends the duration.
    bool WriteSample(uint16_t stream, uint64_t time, std::span<const uint8_t> data,
                     bool keyFrame, uint64_t duration = 0);
    bool Finish();

    uint64_t PacketCount() const { return FPacketCount; }

private:
    struct TStream {
        uint16_t number = 0;
        TAsfGuid type;
        std::vector<uint8_t> typeSpecific;
        uint32_t fixedBitrate = 0;         // known from the format (PCM), else measured
        uint64_t bytes = 0;
        uint32_t maxObjectSize = 0;
        uint8_t objectNumber = 0;
    };
    struct TIndexPoint {
        uint64_t time;
        uint32_t packet;
        uint16_t packetCount;
    };

    TStream* FindStream(uint16_t number);
    // The seekable flag as the file can honour it: a video stream needs its index.
    bool Seekable() const;
    std::vector<uint8_t> BuildHeader() const;
    void BuildIndex(std::vector<uint8_t>& out) const;
    uint32_t StreamBitrate(const TStream& stream) const;
    bool FlushPacket();
    bool Emit(std::span<const uint8_t> bytes);

    TAsfSink& FSink;
    TAsfWriterOptions FOptions;
    TAsfGuid FFileId;
    std::vector<TStream> FStreams;
    bool FBegun = false, FFinished = false, FFailed = false, FIndexWritten = false;
    uint64_t FFileSize = 0;                // bytes the sink has taken
    uint64_t FPacketCount = 0;             // packets the sink has taken
    uint64_t FEndTime = 0;                 // latest time + duration, 100-ns units
    // Latest time + duration of the samples whose last byte is in a packet so far: of
    // the packets up to the one being filled, and of those the sink has taken.
    uint64_t FCompletedEndTime = 0;
    uint64_t FWrittenEndTime = 0;
    // The packet being filled.
    std::vector<uint8_t> FPayloads;
    uint8_t FPayloadCount = 0;
    uint32_t FPacketSendTime = 0;
    // Key frames of the indexed (first video) stream.
    uint16_t FIndexStream = 0;
    std::vector<TIndexPoint> FKeyFrames;
};

// The Content Encryption Object a DRM-protected file carries.
std::vector<uint8_t> MakeContentEncryptionObject();

// Inserts a complete object at the end of the file's Header Object, updating the header's
// size and object count and the File Properties' file size. False when the bytes do not
// start with a well-formed Header Object.
bool InsertHeaderObject(std::vector<uint8_t>& file, std::span<const uint8_t> object);

} // namespace kivora::asf
