// The main window's rules that need no window: sizes for a frame, the playback bar's
// place, format texts, output file names and their creation, what a recording holds and
// running-time texts.
#include "app/FormatText.h"
#include "app/OutputFiles.h"
#include "app/RecordingContents.h"
#include "app/VideoLayout.h"

#include <amvideo.h>
#include <dvdmedia.h>
#include <uuids.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// A new empty folder under the temporary folder.
std::filesystem::path FreshFolder(const wchar_t* name)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes)
{
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace

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

TEST(FitToWorkArea, AWindowLargerThanTheAreaShowsTheVideoSmaller)
{
    struct TCase {
        int w, h;
        int areaWidth, areaHeight;
        int windowWidth, windowHeight, videoWidth, videoHeight;
    } cases[] = {
        {640, 480, 1280, 1024, 647, 584, 640, 480},     // fits: as it was
        {1280, 720, 1280, 1024, 1280, 820, 1273, 716},  // too wide by the margin
        {1280, 720, 1024, 768, 1024, 676, 1017, 572},   // too wide, and tall after all
        {1280, 720, 1287, 824, 1287, 824, 1280, 720},   // exactly the area
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.areaWidth << "x" << c.areaHeight);
        const TVideoLayout layout = FitToWorkArea(FitToVideoSize(c.w, c.h, kStartMargins), kStartMargins,
                                                  c.areaWidth, c.areaHeight);
        EXPECT_EQ(layout.WindowWidth, c.windowWidth);
        EXPECT_EQ(layout.WindowHeight, c.windowHeight);
        EXPECT_EQ(layout.VideoWidth, c.videoWidth);
        EXPECT_EQ(layout.VideoHeight, c.videoHeight);
        EXPECT_LE(*layout.WindowWidth, c.areaWidth);
        EXPECT_LE(*layout.WindowHeight, c.areaHeight);
    }
    // A small frame's window and an empty layout are left alone.
    const TVideoLayout small = FitToWorkArea(FitToVideoSize(160, 120, kStartMargins), kStartMargins, 1280, 1024);
    EXPECT_EQ(small.WindowWidth, 322);
    EXPECT_EQ(small.VideoLeft, 80);
    EXPECT_FALSE(FitToWorkArea(TVideoLayout{}, kStartMargins, 100, 100).WindowWidth);
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

TEST(CreateOutputFile, TakenNamesGetANumberAndNoFileIsOpenedTwice)
{
    const std::filesystem::path folder = FreshFolder(L"kivora-output-names");
    const SYSTEMTIME t{2024, 3, 2, 5, 14, 7, 9, 0};
    const std::wstring first = MakeFileName(folder.wstring(), okSnapshot, t);
    WriteBytes(first, {1, 2, 3});  // an earlier picture of the same second
    EXPECT_EQ(CreateOutputFile(folder.wstring(), okSnapshot, t), (folder / L"Image240305_140709_2.jpg").wstring());
    EXPECT_EQ(CreateOutputFile(folder.wstring(), okSnapshot, t), (folder / L"Image240305_140709_3.jpg").wstring());
    EXPECT_EQ(CreateOutputFile(folder.wstring(), okRecording, t), (folder / L"Video240305_140709.wmv").wstring());
    EXPECT_EQ(std::filesystem::file_size(first), 3u) << "the earlier picture is untouched";

    const std::wstring name = CreateOutputFile(folder.wstring(), okSnapshot, t);
    const std::vector<std::uint8_t> jpeg(5000, 0xAB);
    WriteOutputFile(name, jpeg);
    EXPECT_EQ(std::filesystem::file_size(name), jpeg.size());
    std::filesystem::remove_all(folder);
}

TEST(CreateOutputFile, AFileThatCannotBeMadeIsNamedWithTheReason)
{
    const std::filesystem::path folder = FreshFolder(L"kivora-output-errors");
    const SYSTEMTIME t{2024, 3, 2, 5, 14, 7, 9, 0};
    const struct {
        const char* name;
        std::wstring folder;
        const wchar_t* reason;
    } cases[] = {
        {"missing folder", (folder / L"gone").wstring(), L"文件夹不存在"},
        {"path too long", (folder / std::wstring(250, L'x')).wstring(), L"路径太长"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            CreateOutputFile(c.folder, okRecording, t);
            ADD_FAILURE() << "no error";
        } catch (const EOutputFileError& e) {
            EXPECT_EQ(e.Message(), L"无法保存文件 " + MakeFileName(c.folder, okRecording, t) + L"：" + c.reason + L"。");
        }
    }
    EXPECT_EQ(FileErrorReason(ERROR_DISK_FULL), L"磁盘已满");
    EXPECT_EQ(FileErrorReason(ERROR_ACCESS_DENIED), L"没有写入权限");
    std::filesystem::remove_all(folder);
}

TEST(ReadRecordingContents, CountsTheDataPacketsOfTheHeader)
{
    // An ASF header with one file properties object of objectSize bytes whose packet count
    // is given; the object may claim another size than it has.
    auto recording = [](std::uint64_t packets, std::uint64_t objectSize = 104, std::uint64_t claimed = 0) {
        std::vector<std::uint8_t> bytes(30 + objectSize);
        const GUID header{0x75B22630, 0x668E, 0x11CF, {0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C}};
        const GUID fileProperties{0x8CABDCA1, 0xA947, 0x11CF, {0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65}};
        const std::uint64_t headerSize = bytes.size();
        std::memcpy(bytes.data(), &header, 16);
        std::memcpy(bytes.data() + 16, &headerSize, 8);
        std::memcpy(bytes.data() + 30, &fileProperties, 16);
        const std::uint64_t size = claimed ? claimed : objectSize;
        std::memcpy(bytes.data() + 46, &size, 8);
        if (objectSize >= 64)
            std::memcpy(bytes.data() + 30 + 56, &packets, 8);
        return bytes;
    };
    const std::filesystem::path folder = FreshFolder(L"kivora-recording-contents");
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        TRecordingContents expected;
    } cases[] = {
        {"header only", recording(0), rcNoData},
        {"with packets", recording(12), rcHasData},
        {"object larger than the header", recording(0, 104, 1000), rcUnknown},
        {"object too short for the count", recording(0, 40), rcUnknown},
        {"not a recording", std::vector<std::uint8_t>(200, 0x11), rcUnknown},
        {"empty file", {}, rcUnknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path file = folder / L"recording.wmv";
        WriteBytes(file, c.bytes);
        EXPECT_EQ(ReadRecordingContents(file.wstring()), c.expected);
    }
    EXPECT_EQ(ReadRecordingContents((folder / L"missing.wmv").wstring()), rcUnknown);
    std::filesystem::remove_all(folder);
}
