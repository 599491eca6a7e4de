// The ASF writer, checked by reading its files back with ffprobe and ffmpeg: stream
// formats, every sample with its size and time, and a clean decode.
#include "AsfBytes.h"
#include "AsfHeader.h"
#include "AsfTestFiles.h"
#include "AsfWriter.h"
#include "HostTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace kivora::asf;
using namespace kivora::asf::test;

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string Probe(const std::filesystem::path& file, const std::string& entries)
{
    return RunCommand("ffprobe -v error -of csv=p=0 -show_entries " + entries + " '" + file.string() + "'");
}

// A disk that holds only so many bytes: an append that does not fit is refused whole,
// as WriteFile refuses a write on a full disk.
class TFullDiskSink : public TAsfMemorySink {
public:
    explicit TFullDiskSink(size_t capacity) : FCapacity(capacity) {}
    bool Append(std::span<const uint8_t> data) override
    {
        return data.size() <= FCapacity - bytes.size() && TAsfMemorySink::Append(data);
    }

private:
    size_t FCapacity;
};

} // namespace

TEST(AsfWriter, FfprobeSeesTheStreamsAndEverySample)
{
    TTempFolder temp;
    const std::filesystem::path path = temp.path / "two.asf";
    WriteFile(path, MakeTwoStreamFile());

    EXPECT_EQ(Probe(path, "stream=codec_type,codec_name,width,height,sample_rate,channels"),
              "rawvideo,video,160,120\n"
              "pcm_s16le,audio,8000,1\n");
    // Video frames of 57600 bytes span many 3200-byte packets and come back whole, with
    // their times; audio blocks follow at 100 ms.
    std::string packets = Probe(path, "packet=stream_index,pts_time,size");
    std::string expected;
    for (int tenth = 0; tenth < 10; ++tenth) {
        const std::string time = tenth == 0 ? "0.000000" : "0." + std::to_string(tenth) + "00000";
        if (tenth % 2 == 0)
            expected += "0," + time + ",57600\n";
        expected += "1," + time + ",1600\n";
    }
    EXPECT_EQ(packets, expected);
    EXPECT_EQ(Probe(path, "format=duration"), "1.000000\n");
    EXPECT_EQ(RunCommand("ffmpeg -nostdin -v error -i '" + path.string() + "' -f null - 2>&1"), "");
}

TEST(AsfWriter, MjpegSamplesAndSmallPackets)
{
    TTempFolder temp;
    // A real JPEG image from ffmpeg, stored as the samples of an MJPG stream.
    const std::filesystem::path jpeg = temp.path / "frame.jpg";
    RunCommand("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=64x48 -frames:v 1 '" + jpeg.string() + "'");
    std::ifstream in(jpeg, std::ios::binary);
    std::vector<uint8_t> image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(image.empty());

    TAsfMemorySink sink;
    TAsfWriter writer(sink, {.packetSize = 64});
    uint16_t video = writer.AddVideoStream({.width = 64, .height = 48, .compression = asfFourccMjpg});
    ASSERT_EQ(video, 1);
    ASSERT_TRUE(writer.Begin());
    for (int frame = 0; frame < 3; ++frame)
        ASSERT_TRUE(writer.WriteSample(video, frame * 400'000ull, image, true, 400'000));
    // An empty sample carries nothing; it only extends the duration.
    ASSERT_TRUE(writer.WriteSample(video, 1'200'000, {}, false));
    ASSERT_TRUE(writer.Finish());

    const std::filesystem::path path = temp.path / "mjpg.asf";
    WriteFile(path, sink.bytes);
    EXPECT_EQ(Probe(path, "stream=codec_name,codec_tag_string,width,height"), "mjpeg,MJPG,64,48\n");
    const std::string size = std::to_string(image.size());
    EXPECT_EQ(Probe(path, "packet=pts_time,size"),
              "0.000000," + size + "\n0.040000," + size + "\n0.080000," + size + "\n");
    EXPECT_EQ(RunCommand("ffmpeg -nostdin -v error -i '" + path.string() + "' -f null - 2>&1"), "");

    TAsfMemorySource source(sink.bytes);
    TAsfFileInfo info;
    ASSERT_EQ(ReadAsfFile(source, info), asfOk);
    EXPECT_EQ(info.file.dataPacketsCount, writer.PacketCount());
    EXPECT_EQ(info.file.minDataPacketSize, 64u);
    EXPECT_EQ(info.file.playDuration, 1'200'000u);
}

TEST(AsfWriter, FileSinkWithPreroll)
{
    TTempFolder temp;
    const std::filesystem::path path = temp.path / "sink.asf";
    {
        TAsfFileSink sink(path);
        ASSERT_TRUE(sink.Ok());
        // With a preroll, as Windows Media files usually have: readers subtract it again.
        TAsfWriter writer(sink, {.packetSize = 200, .prerollMs = 3000});
        uint16_t audio = writer.AddAudioStream({.channels = 2, .samplesPerSec = 11025, .bitsPerSample = 8});
        writer.Begin();
        for (int i = 0; i < 20; ++i)
            writer.WriteSample(audio, i * 500'000ull, std::vector<uint8_t>(1102, static_cast<uint8_t>(i)), true, 500'000);
        ASSERT_TRUE(writer.Finish());
        ASSERT_TRUE(sink.Close());
    }
    EXPECT_EQ(Probe(path, "stream=codec_name,sample_rate,channels"), "pcm_u8,11025,2\n");
    EXPECT_EQ(Probe(path, "format=start_time,duration"), "0.000000,1.000000\n");
    EXPECT_EQ(Probe(path, "packet=pts_time").substr(0, 18), "0.000000\n0.050000\n");
    EXPECT_EQ(RunCommand("ffmpeg -nostdin -v error -i '" + path.string() + "' -f null - 2>&1"), "");
}

TEST(AsfWriter, RefusesMisuse)
{
    TAsfMemorySink sink;
    TAsfWriter writer(sink);
    EXPECT_FALSE(writer.WriteSample(1, 0, {}, true));   // before Begin
    uint16_t audio = writer.AddAudioStream({});
    ASSERT_TRUE(writer.Begin());
    EXPECT_EQ(writer.AddAudioStream({}), 0);            // after Begin
    EXPECT_FALSE(writer.WriteSample(2, 0, {}, true));   // no such stream
    EXPECT_TRUE(writer.WriteSample(audio, 0, std::vector<uint8_t>(10), true));
    EXPECT_TRUE(writer.Finish());
    EXPECT_FALSE(writer.Finish());
    EXPECT_FALSE(writer.WriteSample(audio, 0, {}, true)); // after Finish
}

// When the sink fails (a full disk), Finish still leaves a file that plays up to the last
// packet the sink took: both packet counts, the file and Data Object sizes and the
// duration describe those packets, there is no index and so no seekable flag, and
// readers decode every sample in it without an error. A recording with no sample at all
// is a header with 0 packets, said the same way.
TEST(AsfWriter, FinishAfterAFullDiskDescribesWhatIsInTheFile)
{
    const std::vector<uint8_t> whole = MakeTwoStreamFile();
    TAsfMemorySource wholeSource(whole);
    TAsfFileInfo wholeInfo;
    ASSERT_EQ(ReadAsfFile(wholeSource, wholeInfo), asfOk);
    const uint64_t packetSize = wholeInfo.file.minDataPacketSize;
    const uint64_t packets = wholeInfo.file.dataPacketsCount;
    const uint64_t dataStart = wholeInfo.dataObjectOffset + 50;
    ASSERT_GT(packets, 40u);
    constexpr size_t unlimited = SIZE_MAX;

    struct TCase {
        const char* name;
        size_t capacity;
        int tenths;             // of the one second of samples written
        bool finished;          // Finish succeeds
        uint64_t packets;       // in the file afterwards
    };
    const TCase cases[] = {
        {"room for the header only", dataStart + 100, 10, false, 0},
        {"full in the middle of a frame", dataStart + 40 * packetSize + 1000, 10, false, 40},
        {"full at Finish's last packet", dataStart + (packets - 1) * packetSize + packetSize - 1, 10, false,
         packets - 1},
        {"full at the index", dataStart + packets * packetSize + 10, 10, false, packets},
        {"stopped before any sample", unlimited, 0, true, 0},
    };
    TTempFolder temp;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFullDiskSink sink(c.capacity);
        EXPECT_EQ(WriteTwoStreamFile(sink, {}, c.tenths), c.finished);
        const std::vector<uint8_t>& file = sink.bytes;
        ASSERT_EQ(file.size(), dataStart + c.packets * packetSize);

        TAsfMemorySource source(file);
        TAsfFileInfo info;
        ASSERT_EQ(ReadAsfFile(source, info), asfOk);
        EXPECT_EQ(info.file.dataPacketsCount, c.packets);
        EXPECT_EQ(info.file.fileSize, file.size());
        EXPECT_EQ(info.dataObjectSize, 50 + c.packets * packetSize);
        uint64_t dataObjectPackets = 0;
        TAsfByteReader(std::span(file).subspan(info.dataObjectOffset + 40)).U64(dataObjectPackets);
        EXPECT_EQ(dataObjectPackets, c.packets);
        EXPECT_EQ(info.simpleIndexEntries, 0u);
        EXPECT_FALSE(info.Seekable());

        // Readers get whole samples only, and the duration ends with the last of them.
        const std::filesystem::path path = temp.path / "full.asf";
        WriteFile(path, file);
        EXPECT_EQ(RunCommand("ffmpeg -nostdin -v error -i '" + path.string() + "' -f null - 2>&1"), "");
        std::istringstream samples(Probe(path, "packet=stream_index,pts_time,size"));
        double end = 0;
        size_t count = 0;
        for (std::string line; std::getline(samples, line); ++count) {
            int stream = -1;
            double time = 0;
            size_t size = 0;
            ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,%zu", &stream, &time, &size), 3) << line;
            EXPECT_EQ(size, stream == 0 ? 57600u : 1600u) << line;
            end = std::max(end, time + (stream == 0 ? 0.2 : 0.1));
        }
        EXPECT_EQ(count == 0, c.packets == 0);
        EXPECT_NEAR(info.file.playDuration / 1e7, end, 1e-6);
    }
}
