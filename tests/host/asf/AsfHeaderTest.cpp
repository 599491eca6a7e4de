// The ASF header reader: files from the writer and from ffmpeg, and damaged headers,
// which must give a failure and never a read outside the buffer.
#include "AsfBytes.h"
#include "AsfHeader.h"
#include "AsfTestFiles.h"
#include "HostTools.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace kivora::asf;
using namespace kivora::asf::test;

namespace {

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Offset of the first object with this GUID inside the Header Object.
size_t FindHeaderObject(const std::vector<uint8_t>& file, const TAsfGuid& id)
{
    for (size_t at = 30; at + 24 <= file.size();) {
        TAsfByteReader r(std::span<const uint8_t>(file).subspan(at));
        TAsfGuid found;
        uint64_t size = 0;
        r.Guid(found);
        r.U64(size);
        if (found == id)
            return at;
        at += static_cast<size_t>(size);
    }
    return 0;
}

} // namespace

TEST(AsfHeader, ReadsWhatTheWriterWrote)
{
    std::vector<uint8_t> file = MakeTwoStreamFile();
    TAsfMemorySource source(file);
    TAsfFileInfo info;
    ASSERT_EQ(ReadAsfFile(source, info), asfOk);

    EXPECT_EQ(info.file.fileSize, file.size());
    EXPECT_EQ(info.file.playDuration, 10'000'000u);
    EXPECT_TRUE(info.Seekable());
    EXPECT_FALSE(info.Broadcast());
    EXPECT_TRUE(info.Stridable());
    EXPECT_FALSE(info.IsProtected());
    EXPECT_EQ(info.dataObjectOffset, info.headerSize);
    EXPECT_EQ(info.dataObjectSize, 50 + info.file.dataPacketsCount * 3200);
    EXPECT_EQ(info.simpleIndexEntries, 2u);  // 0 s and 1 s

    ASSERT_EQ(info.streams.size(), 2u);
    const TAsfStreamInfo& video = info.streams[0];
    EXPECT_EQ(video.number, 1);
    EXPECT_TRUE(video.IsVideo());
    ASSERT_TRUE(video.hasBitmapInfo);
    EXPECT_EQ(video.bitmap.width, 160);
    EXPECT_EQ(video.bitmap.height, 120);
    EXPECT_EQ(video.bitmap.compression, 0u);
    EXPECT_EQ(video.bitmap.bitCount, 24);
    EXPECT_EQ(video.encodedWidth, 160u);
    // Five 57600-byte frames in one second.
    EXPECT_EQ(video.Bitrate(), 5u * 57600 * 8);

    const TAsfStreamInfo& audio = info.streams[1];
    EXPECT_EQ(audio.number, 2);
    EXPECT_TRUE(audio.IsAudio());
    ASSERT_TRUE(audio.hasWaveFormat);
    EXPECT_EQ(audio.wave.formatTag, 1);
    EXPECT_EQ(audio.wave.samplesPerSec, 8000u);
    EXPECT_EQ(audio.Bitrate(), 128000u);
}

TEST(AsfHeader, EncryptionObjectMarksTheFileProtected)
{
    std::vector<uint8_t> file = MakeTwoStreamFile();
    ASSERT_TRUE(InsertHeaderObject(file, MakeContentEncryptionObject()));
    TAsfMemorySource source(file);
    TAsfFileInfo info;
    ASSERT_EQ(ReadAsfFile(source, info), asfOk);
    EXPECT_TRUE(info.IsProtected());
    EXPECT_EQ(info.file.fileSize, file.size());
    EXPECT_EQ(info.streams.size(), 2u);
    EXPECT_TRUE(info.Stridable());  // the objects after the grown header are still found
}

TEST(AsfHeader, WithoutIndexOrSeekableFlagNotStridable)
{
    TAsfMemorySink sink;
    TAsfWriter writer(sink);
    uint16_t audio = writer.AddAudioStream({});
    writer.Begin();
    writer.WriteSample(audio, 0, std::vector<uint8_t>(100), true);
    writer.Finish();
    TAsfMemorySource source(sink.bytes);
    TAsfFileInfo info;
    ASSERT_EQ(ReadAsfFile(source, info), asfOk);
    EXPECT_TRUE(info.Seekable());
    EXPECT_FALSE(info.Stridable());

    std::vector<uint8_t> video = MakeTwoStreamFile({.seekable = false});
    TAsfMemorySource videoSource(video);
    ASSERT_EQ(ReadAsfFile(videoSource, info), asfOk);
    EXPECT_FALSE(info.Seekable());
    EXPECT_FALSE(info.Stridable());
}

// Every cut of the header is a failure; the first 16 bytes decide "not ASF".
TEST(AsfHeader, TruncatedHeaderFailsAtEveryLength)
{
    std::vector<uint8_t> file = MakeTwoStreamFile();
    TAsfFileInfo info;
    ASSERT_EQ(ParseAsfHeader(file, info), asfOk);
    const size_t headerSize = static_cast<size_t>(info.headerSize);
    for (size_t length = 0; length < headerSize; ++length) {
        // A copy of exactly that length, so AddressSanitizer sees any read beyond it.
        std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(length));
        TAsfResult result = ParseAsfHeader(cut, info);
        EXPECT_NE(result, asfOk) << "length " << length;
        TAsfMemorySource source(cut);
        EXPECT_NE(ReadAsfFile(source, info), asfOk) << "length " << length;
    }
}

// Sizes and counts that claim more than is there.
TEST(AsfHeader, LyingLengthsFail)
{
    const std::vector<uint8_t> good = MakeTwoStreamFile();
    const size_t stream = FindHeaderObject(good, guid::StreamProperties);
    const size_t extension = FindHeaderObject(good, guid::HeaderExtension);
    const size_t bitrates = FindHeaderObject(good, guid::StreamBitrateProperties);
    ASSERT_NE(stream, 0u);
    struct TCase {
        const char* name;
        size_t at;
        int width;      // bytes to patch
        uint64_t value;
        TAsfResult expected;
    } cases[] = {
        {"header size beyond the data", 16, 8, good.size() + 1, asfTruncated},
        {"header size below its fixed part", 16, 8, 29, asfInvalid},
        {"object size below 24", stream + 16, 8, 23, asfInvalid},
        {"object size beyond the header", stream + 16, 8, 1ull << 40, asfTruncated},
        {"type-specific length beyond the object", stream + 24 + 40, 4, 0xFFFFFFF0, asfTruncated},
        {"error correction length beyond the object", stream + 24 + 44, 4, 1000, asfTruncated},
        {"stream number 0", stream + 24 + 48, 2, 0, asfInvalid},
        {"extension data size beyond the object", extension + 24 + 18, 4, 0x7FFFFFFF, asfTruncated},
        {"bit-rate record count beyond the object", bitrates + 24, 2, 500, asfTruncated},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> file = good;
        for (int i = 0; i < c.width; ++i)
            file[c.at + i] = static_cast<uint8_t>(c.value >> (8 * i));
        TAsfMemorySource source(file);
        TAsfFileInfo info;
        EXPECT_EQ(ReadAsfFile(source, info), c.expected);
    }
}

TEST(AsfHeader, NotAsf)
{
    std::vector<uint8_t> text(100, 'x');
    TAsfMemorySource source(text);
    TAsfFileInfo info;
    EXPECT_EQ(ReadAsfFile(source, info), asfNotAsf);
    EXPECT_EQ(ParseAsfHeader(text, info), asfNotAsf);
}

// Files from ffmpeg: stream numbers in order from 1, the codec's FOURCC or format tag.
TEST(AsfHeader, ReadsFfmpegFiles)
{
    TTempFolder temp;
    struct TCase {
        const char* arguments;
        uint32_t videoCodec;   // 0: no video stream
        uint16_t audioTag;     // 0: no audio stream
    } cases[] = {
        {"-c:v wmv1 -c:a wmav1", AsfFourcc('W', 'M', 'V', '1'), 0x160},
        {"-c:v wmv2 -c:a wmav2", AsfFourcc('W', 'M', 'V', '2'), 0x161},
        {"-c:v msmpeg4 -an", AsfFourcc('M', 'P', '4', '3'), 0},
        {"-vn -c:a wmav2", 0, 0x161},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.arguments);
        const std::filesystem::path file = temp.path / "ffmpeg.wmv";
        RunCommand("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=160x120:rate=10 "
                   "-f lavfi -i sine=sample_rate=22050 -t 1 " + std::string(c.arguments) + " '" +
                   file.string() + "'");
        std::vector<uint8_t> bytes = ReadBytes(file);
        ASSERT_FALSE(bytes.empty()) << "ffmpeg made no file";
        TAsfMemorySource source(bytes);
        TAsfFileInfo info;
        ASSERT_EQ(ReadAsfFile(source, info), asfOk);
        EXPECT_FALSE(info.IsProtected());
        EXPECT_TRUE(info.Seekable());
        uint16_t number = 1;
        if (c.videoCodec) {
            const TAsfStreamInfo* video = info.Stream(number++);
            ASSERT_TRUE(video && video->IsVideo() && video->hasBitmapInfo);
            EXPECT_EQ(video->bitmap.compression, c.videoCodec);
            EXPECT_EQ(video->bitmap.width, 160);
        }
        if (c.audioTag) {
            const TAsfStreamInfo* audio = info.Stream(number++);
            ASSERT_TRUE(audio && audio->IsAudio() && audio->hasWaveFormat);
            EXPECT_EQ(audio->wave.formatTag, c.audioTag);
            EXPECT_EQ(audio->wave.samplesPerSec, 22050u);
        }
        EXPECT_EQ(info.streams.size(), number - 1u);
    }
}
