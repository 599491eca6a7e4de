// Every failure Mediscope reports, made to happen by the stand-in runtime's fault
// injection, and the runtime itself missing or incomplete.
#include "MediscopeRun.h"

#include <gtest/gtest.h>

using namespace mediscope::test;

// Each step fails with 0xC00D0BBD: its message appears; a fatal step ends the run with
// that code and prints nothing more, the others let the run finish with exit code 0.
TEST(MediscopeFailure, EveryStepReportsItsFailure)
{
    const std::wstring file = MediaPath(L"wmv2-wmav2.wmv");
    const std::string name = Narrow(file);
    constexpr DWORD code = 0xC00D0BBD;
    struct TCase {
        const wchar_t* step;
        std::string message;
        bool fatal;
    } cases[] = {
        {L"WMCreateEditor", "WMCreateEditor failed: (hr=0xc00d0bbd)\n", true},
        {L"EditorOpen", "Editor could not open " + name + " error: (hr=0xc00d0bbd)\n", true},
        {L"QueryIWMHeaderInfo", "QI for IWMHeaderInfo failed: (hr=0xc00d0bbd)\n", true},
        {L"Is_Protected", "Could not get g_wszWMProtected from the Header: (hr=0xc00d0bbd)\n", false},
        {L"Seekable", "Could not get g_wszWMSeekable from the Header: (hr=0xc00d0bbd)\n", false},
        {L"Stridable", "Could not get g_wszWMStridable from the Header: (hr=0xc00d0bbd)\n", false},
        {L"EditorClose", "Could not close the Editor: (hr=0xc00d0bbd)\n", true},
        {L"WMCreateReader", "Could not create Reader: (hr=0xc00d0bbd)\n", true},
        {L"ReaderOpen", "Could not open " + name + " with the Reader. error: (hr=0xc00d0bbd)\n", true},
        {L"OnOpened", "Could not open " + name + " with the Reader. error: (hr=0xc00d0bbd)\n", true},
        {L"QueryIWMProfile", "QI for IWMProfile failed: (hr=0xc00d0bbd)\n", true},
        {L"GetStreamCount", "Could not get stream count: (hr=0xc00d0bbd)\n", true},
        {L"GetStream", "Could not get the stream: (hr=0xc00d0bbd)\n", true},
        {L"GetStreamType", "Could not get the stream type: (hr=0xc00d0bbd)\n", true},
        {L"GetStreamNumber", "Could not get stream number: (hr=0xc00d0bbd)\n", true},
        {L"GetBitrate", "Could not get bit rate: (hr=0xc00d0bbd)\n", true},
        {L"QueryIWMMediaProps", " QI for IWMMediaProps failed: (hr=0xc00d0bbd)\n", false},
        {L"GetMediaType", " Get Mediatype failed: (hr=0xc00d0bbd)\n", false},
        {L"ReaderClose", "Close failed: (hr=0xc00d0bbd)\n", true},
        {L"OnClosed", "Close failed: (hr=0xc00d0bbd)\n", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Narrow(c.step));
        TRun run = RunWithStandIn(Quoted(file), std::wstring(c.step) + L"=0xC00D0BBD");
        const size_t at = run.output.find(c.message);
        ASSERT_NE(at, std::string::npos) << run.output;
        if (c.fatal) {
            EXPECT_EQ(at + c.message.size(), run.output.size()) << "output after the failure:\n" << run.output;
            EXPECT_EQ(run.exitCode, code);
        } else {
            // The run goes on to the end: both streams are still listed.
            EXPECT_NE(run.output.find("Stream number: 2\n"), std::string::npos) << run.output;
            EXPECT_EQ(run.exitCode, 0u);
        }
    }
}

// A failed attribute line replaces the value line; a failed codec query drops the codec
// line of each stream but keeps the rest of the block.
TEST(MediscopeFailure, SkippedStepsLeaveTheRestOfTheReport)
{
    const std::wstring file = MediaPath(L"wmv2-only.wmv");
    TRun run = RunWithStandIn(Quoted(file), L"Seekable=0x80004005,GetMediaType=0x8007000E");
    EXPECT_EQ(run.output, Heading(file) +
                              "\n"
                              "Is Protected (DRM): false\n"
                              "Could not get g_wszWMSeekable from the Header: (hr=0x80004005)\n"
                              "Is Stridable: true\n"
                              "\n"
                              "This Windows Media file has 1 stream(s)\n"
                              "\n"
                              "Video Stream properties:\n"
                              "Stream number: 1\n"
                              "Bitrate: 0 bps \n"
                              " Get Mediatype failed: (hr=0x8007000e)\n"
                              "\n");
    EXPECT_EQ(run.exitCode, 0u);
}

// Wine's own runtime has no metadata editor; a runtime without the entry points gives the
// loader's error code.
TEST(MediscopeFailure, RuntimeWithoutEditorOrEntryPoints)
{
    const std::wstring file = Quoted(MediaPath(L"wmv2-wmav2.wmv"));
    TRun wine = RunMediscope(L"Mediscope.exe", file);
    EXPECT_EQ(wine.output, "WMCreateEditor failed: (hr=0x80004001)\n");
    EXPECT_EQ(wine.exitCode, 0x80004001u);

    TRun incomplete = RunMediscope(L"wmf-incomplete\\Mediscope.exe", file);
    EXPECT_EQ(incomplete.output, "Internal error 127\n");  // ERROR_PROC_NOT_FOUND
    EXPECT_EQ(incomplete.exitCode, 0x8000FFFFu);           // E_UNEXPECTED
}
