// How Mediscope prints a file name: the conversion to a code page, and the name lines of
// runs whose output goes to a file, in the system's ANSI code page. This file runs twice:
// in MediscopeTests under the test prefix's own code page (1252), and in
// MediscopeChineseTests under a Chinese system locale (936).
#include "MediscopeRun.h"
#include "tools/media-properties/ConsoleText.h"

#include <gtest/gtest.h>

using namespace mediscope::test;

// What a code page can show is kept; anything else becomes '?', never a look-alike.
TEST(MediscopeNames, ConversionToACodePage)
{
    struct TCase {
        UINT codePage;
        std::wstring text;
        std::string bytes;
    } cases[] = {
        {936, L"录像.wma", "\xC2\xBC\xCF\xF1.wma"},
        {936, L"录ก像", "\xC2\xBC?\xCF\xF1"},         // Thai is not in GBK
        {936, L"Café", "Caf\xA8\xA6"},               // GBK has the accented pinyin vowels
        {1252, L"Café 录像", "Caf\xE9 ??"},
        {1252, L"\u0100bc", "?bc"},                  // Ā, not the "A" of another file's name
        {CP_UTF8, L"录像 Café", "\xE5\xBD\x95\xE5\x83\x8F Caf\xC3\xA9"},
        {1252, L"", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "code page " << c.codePage << ": " << Narrow(c.text));
        EXPECT_EQ(ToCodePage(c.text, c.codePage), c.bytes);
    }
}

// Each line that holds the name — the report's heading, the editor's and the reader's
// failures — has it in the ANSI code page's bytes. The cases of the code page the
// system has are run.
TEST(MediscopeNames, RedirectedOutputHasTheNameInTheAnsiCodePage)
{
    struct TCase {
        UINT codePage;
        std::wstring name;
        std::string bytes;
    } cases[] = {
        {1252, L"Café 录像.wma", "Caf\xE9 ??.wma"},
        {936, L"录像.wma", "\xC2\xBC\xCF\xF1.wma"},
        {936, L"录ก像.wma", "\xC2\xBC?\xCF\xF1.wma"},
    };
    const std::vector<uint8_t> media = ReadFileBytes(MediaPath(L"wmav2-only.wmv"));
    const std::string expected = [] {
        std::vector<uint8_t> bytes = ReadFileBytes(MediaPath(L"wmav2-only.expected"));
        return std::string(bytes.begin(), bytes.end());
    }();
    ASSERT_FALSE(media.empty());
    int checked = 0;
    for (const TCase& c : cases) {
        if (c.codePage != GetACP())
            continue;
        SCOPED_TRACE(c.bytes);
        ++checked;
        TScratchFile copy(c.name);
        WriteFileBytes(copy.path, media);
        const std::string path = Narrow(copy.path.substr(0, copy.path.size() - c.name.size())) + c.bytes;

        TRun report = RunWithStandIn(Quoted(copy.path));
        EXPECT_EQ(report.output, "Properties for " + path + " are:\n" + expected);
        EXPECT_EQ(report.exitCode, 0u);

        TRun reader = RunWithStandIn(Quoted(copy.path), L"ReaderOpen=0xC00D0BBD");
        const std::string readerLine = "Could not open " + path + " with the Reader. error: (hr=0xc00d0bbd)\n";
        ASSERT_GE(reader.output.size(), readerLine.size()) << reader.output;
        EXPECT_EQ(reader.output.substr(reader.output.size() - readerLine.size()), readerLine);
        EXPECT_EQ(reader.exitCode, 0xC00D0BBDu);

        const std::wstring missing = MediaPath(c.name);
        TRun editor = RunWithStandIn(Quoted(missing));
        EXPECT_EQ(editor.output, "Editor could not open " + Narrow(MediaPath(L"")) + c.bytes + " error: (hr=0xc00d001a)\n");
        EXPECT_EQ(editor.exitCode, 0xC00D001Au);
    }
    EXPECT_GT(checked, 0) << "no case for the system's code page " << GetACP();
}

namespace {

// A console of this test's own for the programs it starts (they share it), wide enough
// for a long path on one row. A console the test had (run from a terminal) is its
// parent's: it is attached again when the object goes.
struct TOwnConsole {
    TOwnConsole()
    {
        FHadConsole = FreeConsole();
        ok = AllocConsole() && SetConsoleScreenBufferSize(GetStdHandle(STD_OUTPUT_HANDLE), {400, 60});
    }
    ~TOwnConsole()
    {
        FreeConsole();
        if (FHadConsole)
            AttachConsole(ATTACH_PARENT_PROCESS);
    }
    TOwnConsole(const TOwnConsole&) = delete;
    TOwnConsole& operator=(const TOwnConsole&) = delete;

    // The console's rows from the top, without their trailing blanks, up to the last
    // row with text.
    std::vector<std::wstring> Rows() const
    {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        std::vector<std::wstring> rows;
        for (SHORT y = 0; y < 60; ++y) {
            std::wstring row(400, L' ');
            DWORD read = 0;
            ReadConsoleOutputCharacterW(out, row.data(), 400, {0, y}, &read);
            row.resize(std::min<size_t>(read, row.size()));
            row.erase(row.find_last_not_of(L' ') + 1);
            rows.push_back(row);
        }
        while (!rows.empty() && rows.back().empty())
            rows.pop_back();
        return rows;
    }

    bool ok = false;

private:
    bool FHadConsole = false;
};

} // namespace

// On a console the name is shown as given, whatever the code page: the heading and the
// failure lines, between the lines printf writes.
TEST(MediscopeNames, ConsoleShowsTheNameAsGiven)
{
    const std::wstring name = L"录像 Café.wma";
    TScratchFile copy(name);
    WriteFileBytes(copy.path, ReadFileBytes(MediaPath(L"wmav2-only.wmv")));
    const std::wstring missing = MediaPath(name);
    struct TCase {
        std::wstring arguments;
        std::wstring faults;
        std::vector<std::wstring> rows;
    } cases[] = {
        {Quoted(copy.path), L"",
         {L"Properties for " + copy.path + L" are:", L"", L"Is Protected (DRM): false", L"Is Seekable: true",
          L"Is Stridable: false", L"", L"This Windows Media file has 1 stream(s)", L"", L"Audio Stream properties:",
          L"Stream number: 1", L"Bitrate: 128000 bps", L"Codec Name: Windows Media Audio V7/V8"}},
        {Quoted(copy.path), L"ReaderOpen=0xC00D0BBD",
         {L"Properties for " + copy.path + L" are:", L"", L"Is Protected (DRM): false", L"Is Seekable: true",
          L"Is Stridable: false", L"", L"Could not open " + copy.path + L" with the Reader. error: (hr=0xc00d0bbd)"}},
        {Quoted(missing), L"", {L"Editor could not open " + missing + L" error: (hr=0xc00d001a)"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Narrow(c.arguments + L" " + c.faults));
        TOwnConsole console;
        ASSERT_TRUE(console.ok) << "no console: error " << GetLastError();
        TScopedEnvironment environment({{L"KIVORA_WMF_FAULT", c.faults}});
        kivora::test::TProcess mediscope(L"wmf\\Mediscope.exe", c.arguments);
        ASSERT_TRUE(mediscope.WaitForExit(std::chrono::seconds(60)));
        EXPECT_EQ(console.Rows(), c.rows);
    }
}
