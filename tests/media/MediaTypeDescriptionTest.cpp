// The one-line media type texts that the settings dialog lists and cuts apart.
#include "media/MediaUtil/MediaTypeDescription.h"

#include <amvideo.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <uuids.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr GUID FourCCGuid(uint32_t code)
{
    return {code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

// A media type over a format block kept by the fixture.
struct TTypeFixture {
    AM_MEDIA_TYPE mt{};
    std::vector<uint8_t> block;

    TTypeFixture(const GUID& major, const GUID& sub, const GUID& format, std::vector<uint8_t> formatBlock = {})
        : block(std::move(formatBlock))
    {
        mt.majortype = major;
        mt.subtype = sub;
        mt.formattype = format;
        mt.cbFormat = ULONG(block.size());
        mt.pbFormat = block.empty() ? nullptr : block.data();
    }
};

// A VIDEOINFOHEADER or VIDEOINFOHEADER2 block with the given bitmap header fields.
template <class Header> std::vector<uint8_t> VideoBlock(uint32_t compression, int width, int height, int bits)
{
    Header header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biCompression = compression;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biBitCount = WORD(bits);
    std::vector<uint8_t> block(sizeof header);
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

constexpr auto VideoInfo = VideoBlock<VIDEOINFOHEADER>;
constexpr auto VideoInfo2 = VideoBlock<VIDEOINFOHEADER2>;

std::vector<uint8_t> Wave(WORD tag, DWORD rate, WORD bits, WORD channels)
{
    WAVEFORMATEX wfx{};
    wfx.wFormatTag = tag;
    wfx.nSamplesPerSec = rate;
    wfx.wBitsPerSample = bits;
    wfx.nChannels = channels;
    std::vector<uint8_t> block(sizeof wfx);
    std::memcpy(block.data(), &wfx, sizeof wfx);
    return block;
}

constexpr uint32_t kYUY2 = 0x32595559, kMJPG = 0x47504A4D;
const GUID kUnknown = {0x12345678, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};

struct TDescriptionCase {
    const char* what;
    TTypeFixture type;
    const wchar_t* expected;
};

} // namespace

TEST(MediaTypeDescription, DescribesEachKindOfFormat)
{
    const TDescriptionCase cases[] = {
        {"YUY2 video", {MEDIATYPE_Video, MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, VideoInfo(kYUY2, 640, 480, 16)},
         L"Major Type: Video - Sub Type: YUY2 Format: VideoInfo YUY2 640X480, 16 bits"},
        {"RGB24 video", {MEDIATYPE_Video, MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, VideoInfo(BI_RGB, 320, 240, 24)},
         L"Major Type: Video - Sub Type: RGB24 Format: VideoInfo RGB 320X240, 24 bits"},
        {"MJPG video", {MEDIATYPE_Video, FourCCGuid(kMJPG), FORMAT_VideoInfo, VideoInfo(kMJPG, 1280, 720, 24)},
         L"Major Type: Video - Sub Type: MJPG Format: VideoInfo MJPG 1280X720, 24 bits"},
        {"top-down bitfields", {MEDIATYPE_Video, MEDIASUBTYPE_RGB565, FORMAT_VideoInfo, VideoInfo(BI_BITFIELDS, 160, -120, 16)},
         L"Major Type: Video - Sub Type: RGB565 Format: VideoInfo BITFIELDS 160X-120, 16 bits"},
        {"VideoInfo2", {MEDIATYPE_Video, MEDIASUBTYPE_RGB32, FORMAT_VideoInfo2, VideoInfo2(BI_RGB, 720, 576, 32)},
         L"Major Type: Video - Sub Type: RGB32 Format: VideoInfo2 RGB 720X576, 32 bits"},
        {"PCM audio", {MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, Wave(WAVE_FORMAT_PCM, 8000, 16, 2)},
         L"Major Type: Audio - Sub Type: PCM Format: WaveFormatEx: PCM, 8000 Hertz, 16 Bits, 2 Channels"},
        {"MP3 audio", {MEDIATYPE_Audio, FourCCGuid(85), FORMAT_WaveFormatEx, Wave(85, 44100, 0, 2)},
         L"Major Type: Audio - Sub Type: UnKnown  Format: WaveFormatEx: MPEGLAYER3, 44100 Hertz, 0 Bits, 2 Channels"},
        {"unlisted wave tag", {MEDIATYPE_Audio, FourCCGuid(4), FORMAT_WaveFormatEx, Wave(4, 22050, 8, 1)},
         L"Major Type: Audio - Sub Type: UnKnown  Format: WaveFormatEx: Unknown, 22050 Hertz, 8 Bits, 1 Channels"},
        {"no format block", {MEDIATYPE_Video, MEDIASUBTYPE_RGB24, FORMAT_VideoInfo},
         L"Major Type: Video - Sub Type: RGB24 Format: VideoInfo "},
        {"all unknown", {kUnknown, kUnknown, kUnknown},
         L"Major Type: UnKnown  - Sub Type: UnKnown  Format: Unknown"},
        {"format without detail", {MEDIATYPE_Interleaved, MEDIASUBTYPE_dvsd, FORMAT_DvInfo, std::vector<uint8_t>(32)},
         L"Major Type: Interleaved - Sub Type: dvsd_ Format: DvInfo"},
        // A block shorter than the header it is read as gives no detail, never a read past it.
        {"short video block", {MEDIATYPE_Video, MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, std::vector<uint8_t>(50)},
         L"Major Type: Video - Sub Type: YUY2 Format: VideoInfo "},
        {"short wave block", {MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, std::vector<uint8_t>(6)},
         L"Major Type: Audio - Sub Type: PCM Format: WaveFormatEx: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MediaTypeDescription(c.type.mt), c.expected);
    }
}

TEST(MediaTypeDescription, CompressionNames)
{
    EXPECT_EQ(CompressionName(0), L"RGB");
    EXPECT_EQ(CompressionName(1), L"RLE8");
    EXPECT_EQ(CompressionName(2), L"RLE4");
    EXPECT_EQ(CompressionName(3), L"BITFIELDS");
    EXPECT_EQ(CompressionName(kMJPG), L"MJPG");
    EXPECT_EQ(CompressionName(kYUY2), L"YUY2");
    EXPECT_EQ(CompressionName(0x00000041), L"A");  // second byte zero: only the first character
    EXPECT_EQ(CompressionName(0x41004241), L"AB");
}
