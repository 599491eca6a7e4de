// The skin tool on small fixtures: round trips through pack/unpack, the JSON of info, and
// clear failures (message and exit code) on everything that is not a good skin file.
#include "skin/core/LzhEncoder.h"
#include "skin/core/SkinArchiveWriter.h"
#include "SkinFileIo.h"
#include "SkinTool.h"
#include "SkinTestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using TBytes = std::vector<std::uint8_t>;

namespace {

struct TRun {
    int Exit;
    std::string Out, Err;
};

TRun RunTool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int exit = RunSkinTool(args, out, err);
    return {exit, out.str(), err.str()};
}

class SkinTool : public testing::Test {
protected:
    void SetUp() override
    {
        Dir = fs::temp_directory_path() / ("kivora-skin-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir / "in");
        WriteWholeFile(Dir / "in" / "Skin.ini", SkinTestData::Bytes("[Personality]\r\nTop=Top.bmp\r\n"));
        WriteWholeFile(Dir / "in" / "Top.bmp", SkinTestData::Bitmap(12, 6));
        WriteWholeFile(Dir / "in" / "empty.bmp", {});
        fs::create_directories(Dir / "in" / "sub");
    }
    void TearDown() override { fs::remove_all(Dir); }

    std::string P(const std::string& relative) const { return PathToUtf8(Dir / relative); }

    fs::path Dir;
};

}  // namespace

TEST_F(SkinTool, PackListUnpackRoundTrip)
{
    const TRun pack = RunTool({"pack", P("in"), P("a.skn")});
    ASSERT_EQ(pack.Exit, 0) << pack.Err;
    EXPECT_NE(pack.Err.find("'sub': not a file"), std::string::npos);  // folders are skipped, said so

    const TRun list = RunTool({"list", P("a.skn")});
    ASSERT_EQ(list.Exit, 0) << list.Err;
    EXPECT_EQ(list.Out, "skin.ini\t28\nempty.bmp\t0\ntop.bmp\t270\n");  // INI first, names lower case

    const TRun unpack = RunTool({"unpack", P("a.skn"), P("out/deeper")});
    ASSERT_EQ(unpack.Exit, 0) << unpack.Err;
    EXPECT_EQ(ReadWholeFile(Dir / "out" / "deeper" / "top.bmp"), ReadWholeFile(Dir / "in" / "Top.bmp"));
    EXPECT_EQ(ReadWholeFile(Dir / "out" / "deeper" / "skin.ini"), ReadWholeFile(Dir / "in" / "Skin.ini"));
    EXPECT_TRUE(ReadWholeFile(Dir / "out" / "deeper" / "empty.bmp").empty());
}

TEST_F(SkinTool, InfoDescribesMembersAndSettings)
{
    ASSERT_EQ(RunTool({"pack", P("in"), P("a.skn")}).Exit, 0);
    const TRun info = RunTool({"info", P("a.skn")});
    ASSERT_EQ(info.Exit, 0) << info.Err;
    const char* const expected[] = {
        "\"skinName\": \"\"",  "\"iniMember\": \"skin.ini\"", "\"name\": \"top.bmp\"", "\"width\": 12",
        "\"height\": 6",       "\"bitsPerPixel\": 24",        "\"name\": \"Personality\"", "\"top\": \"Top.bmp\"",
        // The parsed records: the top border with its picture, defaults where the skin is silent.
        ("\"borderTop\": {\n      \"name\": \"Top\",\n      \"image\": {\n        \"member\": \"top.bmp\",\n"
         "        \"width\": 12,\n        \"height\": 6\n      },\n      \"frameCount\": 1,"),
        "\"buttonFace\": \"system 15\"", "\"tabs\": null", "\"action\": 7", "\"fontHeight\": 14",
    };
    for (const char* text : expected)
        EXPECT_NE(info.Out.find(text), std::string::npos) << text << "\n" << info.Out;
}

TEST_F(SkinTool, BadFilesFailWithAMessage)
{
    auto put = [&](const char* name, const TBytes& bytes) { WriteWholeFile(Dir / name, bytes); };
    ASSERT_EQ(RunTool({"pack", P("in"), P("good.skn")}).Exit, 0);
    TBytes good = ReadWholeFile(Dir / "good.skn");
    put("empty.skn", {});
    put("short.skn", {1, 2});
    put("huge.skn", {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3});
    put("truncated.skn", TBytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 40)));
    put("random.skn", SkinTestData::Random(3000, 5));
    put("old.skn", LzhPack(SkinTestData::RawArchive(19000, "a.bmp", {0}, {})));
    put("table.skn", LzhPack(SkinTestData::RawArchive(20000, "a.bmp\r\nb.bmp", {5, 5}, {1, 2})));

    const struct {
        const char* File;
        const char* Message;
    } cases[] = {
        {"missing.skn", "no such file"},
        {"empty.skn", "shorter than the 4-byte length header"},
        {"short.skn", "shorter than the 4-byte length header"},
        {"huge.skn", "more than the 64 MiB"},
        {"truncated.skn", "is not a skin file"},
        {"random.skn", "is not a skin file"},
        {"old.skn", "another version"},
        {"table.skn", "member table does not fit"},
    };
    for (const auto& c : cases)
        for (const char* command : {"list", "info", "unpack"}) {
            std::vector<std::string> args = {command, P(c.File)};
            if (std::string(command) == "unpack")
                args.push_back(P("never"));
            const TRun run = RunTool(args);
            EXPECT_EQ(run.Exit, 1) << command << " " << c.File;
            EXPECT_NE(run.Err.find(c.Message), std::string::npos) << command << " " << c.File << ": " << run.Err;
            EXPECT_TRUE(run.Out.empty()) << command << " " << c.File;
        }
    EXPECT_FALSE(fs::exists(Dir / "never"));
}

TEST_F(SkinTool, UnpackWritesOnlyPlainNamesInsideTheFolder)
{
    WriteWholeFile(Dir / "evil.skn", PackSkin({{"../escape.bmp", {1}},
                                               {"sub/inner.bmp", {2}},
                                               {"C:evil.bmp", {3}},
                                               {"fine.bmp", {4}},
                                               {"FINE.bmp", {5}}}));
    const TRun run = RunTool({"unpack", P("evil.skn"), P("out")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find("'../escape.bmp': not a plain file name"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("an earlier member has the same name"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(Dir / "escape.bmp"));
    EXPECT_EQ(ReadWholeFile(Dir / "out" / "fine.bmp"), TBytes{4});
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir / "out"), fs::directory_iterator()), 1);
}

TEST_F(SkinTool, UsageAndPackErrors)
{
    fs::create_directories(Dir / "nothing");
    fs::create_directories(Dir / "twins");
    WriteWholeFile(Dir / "twins" / "a.bmp", {1});
    WriteWholeFile(Dir / "twins" / "A.bmp", {2});  // a reader would only ever find one of them
    // Sparse files: the size limits are checked before anything is read.
    fs::create_directories(Dir / "big");
    WriteWholeFile(Dir / "big" / "huge.bmp", {});
    fs::resize_file(Dir / "big" / "huge.bmp", 65u << 20);
    WriteWholeFile(Dir / "huge.skn", {});
    fs::resize_file(Dir / "huge.skn", 129u << 20);
    const struct {
        std::vector<std::string> Args;
        int Exit;
        const char* Message;
    } cases[] = {
        {{}, 2, "usage: kivora-skin"},
        {{"frobnicate", "x"}, 2, "usage: kivora-skin"},
        {{"list"}, 2, "usage: kivora-skin"},
        {{"pack", P("in")}, 2, "usage: kivora-skin"},
        {{"pack", P("no-such-folder"), P("x.skn")}, 1, "is not a folder"},
        {{"pack", P("nothing"), P("x.skn")}, 1, "holds no files to pack"},
        {{"pack", P("in"), P("no-such-folder/x.skn")}, 1, "cannot write"},
        {{"pack", P("twins"), P("x.skn")}, 1, "differs from another file only in letter case"},
        {{"pack", P("big"), P("x.skn")}, 1, "more than the 64 MiB a skin may hold"},
        {{"list", P("huge.skn")}, 1, "larger than any skin"},
    };
    for (const auto& c : cases) {
        const TRun run = RunTool(c.Args);
        EXPECT_EQ(run.Exit, c.Exit) << (c.Args.empty() ? "" : c.Args[0]);
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    }
}
