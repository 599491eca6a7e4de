// The main window's rules that need no window: sizes for a frame, the playback bar's
// place, format texts, output file names and running-time texts.
#include "app/FormatText.h"
#include "app/OutputFiles.h"
#include "app/VideoLayout.h"

#include <amvideo.h>
#include <dvdmedia.h>
#include <uuids.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(FitToVideoSize, WindowAndVideoPlaceForFrameSizes)
{
    struct TCase {
        int w, h;
        TWindowMargins margins;
        int windowWidth, windowHeight, left, top;
    } cases[] = {
        {640, 480, kStartMargins, 647, 584, 0, 48},
        {640, 480, kSettingsMargins, 642, 580, 0, 48},
        {320, 240, kStartMargins, 327, 344, 0, 48},
        {319, 239, kStartMargins, 322, 343, 0, 48},   // the height rule looks at the width
        {160, 120, kStartMargins, 322, 340, 80, 108},  // centred in 320 × 240 under the tool bar
        {200, 300, kStartMargins, 322, 340, 60, 18},   // portrait: the window stays 340 high
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        TVideoLayout layout = FitToVideoSize(c.w, c.h, c.margins);
        EXPECT_EQ(layout.WindowWidth, c.windowWidth);
        EXPECT_EQ(layout.WindowHeight, c.windowHeight);
        EXPECT_EQ(layout.VideoLeft, c.left);
        EXPECT_EQ(layout.VideoTop, c.top);
        EXPECT_EQ(layout.VideoWidth, c.w);
        EXPECT_EQ(layout.VideoHeight, c.h);
    }
    TVideoLayout nothing = FitToVideoSize(0, 0, kStartMargins);
    EXPECT_FALSE(nothing.WindowWidth || nothing.WindowHeight || nothing.VideoWidth || nothing.VideoHeight);
}

TEST(PlaybackBar, SitsUnderTheVideoOrAtTheSmallAreasFoot)
{
    EXPECT_EQ(PlaybackBarPlace(48, 480, 640).Top, 528);
    EXPECT_EQ(PlaybackBarPlace(48, 480, 640).Width, 640);
    EXPECT_EQ(PlaybackBarPlace(108, 144, 160).Top, 288);
    EXPECT_EQ(PlaybackBarPlace(108, 144, 160).Width, 320);
}

namespace {

template <class Header> std::vector<uint8_t> Block(int width, int height)
{
    Header header{};
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    std::vector<uint8_t> block(sizeof header);
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

TFrameSize SizeOf(const GUID& formatType, std::vector<uint8_t> block)
{
    AM_MEDIA_TYPE mt{};
    mt.majortype = MEDIATYPE_Video;
    mt.formattype = formatType;
    mt.cbFormat = ULONG(block.size());
    mt.pbFormat = block.empty() ? nullptr : block.data();
    return GetVideoSize(mt);
}

const GUID kFormatMpeg2Video = {0xE06D80E3, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};

} // namespace

TEST(GetVideoSize, FourVideoFormatTypesAndShortBlocks)
{
    EXPECT_EQ(SizeOf(FORMAT_VideoInfo, Block<VIDEOINFOHEADER>(640, 480)).Width, 640);
    EXPECT_EQ(SizeOf(FORMAT_MPEGVideo, Block<VIDEOINFOHEADER>(352, 288)).Height, 288);
    TFrameSize pal = SizeOf(FORMAT_VideoInfo2, Block<VIDEOINFOHEADER2>(720, 576));
    EXPECT_EQ(pal.Width, 720);
    EXPECT_EQ(pal.Height, 576);
    EXPECT_EQ(SizeOf(kFormatMpeg2Video, Block<VIDEOINFOHEADER2>(1920, 1080)).Width, 1920);
    EXPECT_EQ(SizeOf(FORMAT_WaveFormatEx, Block<VIDEOINFOHEADER>(640, 480)).Width, 0);
    EXPECT_EQ(SizeOf(FORMAT_VideoInfo, {}).Width, 0);
    // A block shorter than its header is not read past its end.
    EXPECT_EQ(SizeOf(FORMAT_VideoInfo2, std::vector<uint8_t>(80)).Width, 0);
}

TEST(ShortFormatText, CutsTheDescriptionApart)
{
    EXPECT_EQ(ShortFormatText(L"Major Type: Video - Sub Type: YUY2 Format: VideoInfo YUY2 640X480, 16 bits"),
              L"Video - YUY2, YUY2 640X480, 16 bits");
    EXPECT_EQ(ShortFormatText(L"Major Type: Audio - Sub Type: PCM Format: WaveFormatEx: PCM, 8000 Hertz, 16 Bits, 2 Channels"),
              L"Audio - PCM, PCM, 8000 Hertz, 16 Bits, 2 Channels");
    EXPECT_EQ(ShortFormatText(L"Major Type: Video - Sub Type: RGB32 Format: VideoInfo2 RGB 720X576, 32 bits"),
              L"Video - RGB32,2 RGB 720X576, 32 bits");
    // Without the marker the row still shows something: the description itself.
    const std::wstring mpeg = L"Major Type: Video - Sub Type: MPEG1Video Format: MPEGVideo MPEG 352X288, 12 bits";
    EXPECT_EQ(ShortFormatText(mpeg), mpeg);
}

TEST(MakeFileName, StampedNamesInTheSaveFolder)
{
    const SYSTEMTIME t{2024, 3, 2, 5, 14, 7, 9, 0};
    EXPECT_EQ(MakeFileName(L"D:\\Pictures", okSnapshot, t), L"D:\\Pictures\\Image240305_140709.jpg");
    EXPECT_EQ(MakeFileName(L"D:\\Pictures", okRecording, t), L"D:\\Pictures\\Video240305_140709.wmv");
    EXPECT_EQ(MakeFileName(L"D:\\", okSnapshot, t), L"D:\\Image240305_140709.jpg");
}

TEST(RunningTimeText, UnpaddedTimeAfterTwoBlanks)
{
    EXPECT_EQ(RunningTimeText(L"播放", 3723045), L"播放  1:2:3:45");
    EXPECT_EQ(RunningTimeText(L"捕捉", 0), L"捕捉  0:0:0:0");
}
