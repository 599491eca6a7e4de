// Mediscope's report of real files: ffmpeg-made files as ffprobe sees them, a protected
// copy, files with stream types and codecs it does not name, and files it cannot open.
#include "AsfWriter.h"
#include "MediscopeRun.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace mediscope::test;
namespace asf = kivora::asf;

namespace {

std::string ReadText(const std::wstring& path)
{
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

} // namespace

// Every ffmpeg-made file: the stream count, types, numbers, bit rates and codec lines
// match what ffprobe reports for the same file (build/media/<name>.expected).
TEST(MediscopeReport, FfmpegFilesAsFfprobeSeesThem)
{
    std::istringstream cases(ReadText(MediaPath(L"cases.txt")));
    int checked = 0;
    for (std::string name; std::getline(cases, name);) {
        SCOPED_TRACE(name);
        const std::wstring wideName(name.begin(), name.end());
        const std::wstring file = MediaPath(wideName + L".wmv");
        TRun run = RunWithStandIn(Quoted(file));
        EXPECT_EQ(run.output, Heading(file) + ReadText(MediaPath(wideName + L".expected")));
        EXPECT_EQ(run.exitCode, 0u);
        ++checked;
    }
    EXPECT_GE(checked, 5) << "build/media/cases.txt lists the ffmpeg-made files";
}

TEST(MediscopeReport, TwoStreamFileLineByLine)
{
    const std::wstring file = MediaPath(L"wmv2-wmav2.wmv");
    TRun run = RunWithStandIn(Quoted(file));
    EXPECT_EQ(run.output, "Properties for " + Narrow(file) + " are:\n"
                          "\n"
                          "Is Protected (DRM): false\n"
                          "Is Seekable: true\n"
                          "Is Stridable: true\n"
                          "\n"
                          "This Windows Media file has 2 stream(s)\n"
                          "\n"
                          "Video Stream properties:\n"
                          "Stream number: 1\n"
                          "Bitrate: 0 bps \n"
                          "Codec Name: Windows Media Video V8\n"
                          "\n"
                          "Audio Stream properties:\n"
                          "Stream number: 2\n"
                          "Bitrate: 128000 bps \n"
                          "Codec Name: Windows Media Audio V7/V8\n"
                          "\n");
    EXPECT_EQ(run.exitCode, 0u);
}

// A protected file's streams are not listed.
TEST(MediscopeReport, ProtectedFileStopsAfterTheAttributes)
{
    std::vector<uint8_t> bytes = ReadFileBytes(MediaPath(L"wmv2-wmav2.wmv"));
    ASSERT_TRUE(asf::InsertHeaderObject(bytes, asf::MakeContentEncryptionObject()));
    TScratchFile copy(L"protected.wmv");
    WriteFileBytes(copy.path, bytes);

    TRun run = RunWithStandIn(Quoted(copy.path));
    EXPECT_EQ(run.output, Heading(copy.path) +
                              "\n"
                              "Is Protected (DRM): true\n"
                              "Is Seekable: true\n"
                              "Is Stridable: true\n"
                              "\n"
                              "These are the properties available from this app for a DRM file\n");
    EXPECT_EQ(run.exitCode, 0u);
}

// A binary stream is counted but not described; MJPG video and PCM audio have no codec
// line; a script stream has no codec line by design. (The file is written straight to
// disk, as a recording would be.)
TEST(MediscopeReport, UnlistedStreamTypesAndCodecs)
{
    TScratchFile file(L"unlisted.asf");
    asf::TAsfFileSink sink(file.path);
    ASSERT_TRUE(sink.Ok());
    asf::TAsfWriter writer(sink);
    const uint16_t video = writer.AddVideoStream({.width = 64, .height = 48, .compression = asf::asfFourccMjpg});
    writer.AddStream(asf::guid::BinaryMedia, {});
    const uint16_t audio = writer.AddAudioStream({.channels = 1, .samplesPerSec = 8000, .bitsPerSample = 16});
    writer.AddStream(asf::guid::CommandMedia, {});
    ASSERT_TRUE(writer.Begin());
    const std::vector<uint8_t> frame(1000, 0x55), block(1600, 0);
    ASSERT_TRUE(writer.WriteSample(video, 0, frame, true, 5'000'000));
    ASSERT_TRUE(writer.WriteSample(audio, 0, block, true, 1'000'000));
    ASSERT_TRUE(writer.WriteSample(video, 5'000'000, frame, true, 5'000'000));
    ASSERT_TRUE(writer.Finish());
    ASSERT_TRUE(sink.Close());

    TRun run = RunWithStandIn(Quoted(file.path));
    EXPECT_EQ(run.output, Heading(file.path) +
                              "\n"
                              "Is Protected (DRM): false\n"
                              "Is Seekable: true\n"
                              "Is Stridable: true\n"
                              "\n"
                              "This Windows Media file has 4 stream(s)\n"
                              "\n"
                              "Video Stream properties:\n"
                              "Stream number: 1\n"
                              "Bitrate: 16000 bps \n"
                              "\n"
                              "Audio Stream properties:\n"
                              "Stream number: 3\n"
                              "Bitrate: 128000 bps \n"
                              "\n"
                              "Script Stream properties:\n"
                              "Stream number: 4\n"
                              "Bitrate: 0 bps \n"
                              "\n");
    EXPECT_EQ(run.exitCode, 0u);
}

// Files the editor cannot open: its message with the name and code, the code as exit code.
TEST(MediscopeReport, FilesTheEditorCannotOpen)
{
    TScratchFile text(L"text.wmv"), cut(L"cut.wmv");
    WriteFileBytes(text.path, std::vector<uint8_t>(200, 'x'));
    std::vector<uint8_t> header = ReadFileBytes(MediaPath(L"wmv2-wmav2.wmv"));
    header.resize(300);
    WriteFileBytes(cut.path, header);
    struct TCase {
        std::wstring file;
        DWORD code;
    } cases[] = {
        {MediaPath(L"no-such-file.wmv"), 0xC00D001A},  // NS_E_FILE_NOT_FOUND
        {text.path, 0xC00D0BB8},                        // NS_E_INVALID_INPUT_FORMAT
        {cut.path, 0xC00D002F},                         // NS_E_INVALID_DATA
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Narrow(c.file));
        TRun run = RunWithStandIn(Quoted(c.file));
        char code[16];
        std::snprintf(code, sizeof code, "%08x", static_cast<unsigned>(c.code));
        EXPECT_EQ(run.output, "Editor could not open " + Narrow(c.file) + " error: (hr=0x" + code + ")\n");
        EXPECT_EQ(run.exitCode, c.code);
    }
}

// The name must have fewer than 260 bytes.
TEST(MediscopeReport, FileNameLengthLimit)
{
    const std::wstring folder = MediaPath(L"");
    for (size_t length : {259u, 260u, 300u}) {
        SCOPED_TRACE(length);
        ASSERT_LT(folder.size() + 4, length);
        const std::wstring name = folder + std::wstring(length - folder.size() - 4, L'n') + L".wmv";
        ASSERT_EQ(name.size(), length);
        TRun run = RunWithStandIn(Quoted(name));
        if (length < 260) {
            EXPECT_EQ(run.output, "Editor could not open " + Narrow(name) + " error: (hr=0xc00d001a)\n");
            EXPECT_EQ(run.exitCode, 0xC00D001Au);
        } else {
            EXPECT_EQ(run.output, "File name argument is too long.\n");
            EXPECT_EQ(run.exitCode, 0x80070057u);
        }
    }
}

// A name with characters outside the system's code page still opens: the name reaches
// the runtime as UTF-16, as given.
TEST(MediscopeReport, NameOutsideTheCodePage)
{
    TScratchFile copy(L"\u03A9\u65E5\u672C.wmv");
    WriteFileBytes(copy.path, ReadFileBytes(MediaPath(L"wmv2-only.wmv")));
    TRun run = RunWithStandIn(Quoted(copy.path));
    EXPECT_NE(run.output.find("This Windows Media file has 1 stream(s)\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.exitCode, 0u);
}
