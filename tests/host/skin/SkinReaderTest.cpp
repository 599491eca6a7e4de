// Skin archive lookups and the rejection of archives that do not fit their own bytes.
#include "skin/core/LzhEncoder.h"
#include "skin/core/SkinArchiveWriter.h"
#include "skin/core/SkinReader.h"
#include "SkinTestData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;
using SkinTestData::Bytes;

TBytes Member(const TSkinReader& reader, const std::string& name)
{
    TBytes out{0xEE};  // lookups must empty the target first
    reader.ExtractMember(name, out);
    return out;
}

}  // namespace

TEST(SkinReader, LooksUpMembersByNameAndFragment)
{
    const TBytes packed = PackSkin({
        {"Status.BMP", Bytes("status picture")},
        {"skin.ini.bak", Bytes("old settings")},
        {"empty.bmp", {}},
        {"skin.ini", Bytes("[Personality]")},
        {"twice.bmp", Bytes("first")},
        {"TWICE.bmp", Bytes("second")},
    });
    TSkinReader reader;
    ASSERT_TRUE(reader.Load(packed));
    EXPECT_EQ(reader.MemberCount(), 6);
    EXPECT_EQ(reader.Names()[0], "status.bmp");

    EXPECT_EQ(Member(reader, "Status.bmp"), Bytes("status picture"));  // any letter case
    EXPECT_EQ(Member(reader, "status"), TBytes{});                      // exact names only
    EXPECT_EQ(Member(reader, "twice.bmp"), Bytes("first"));             // first of two equal names

    TBytes target{1, 2, 3};
    EXPECT_TRUE(reader.ExtractMember("EMPTY.bmp", target));  // found, but has no bytes
    EXPECT_TRUE(target.empty());

    std::string found = "unchanged";
    ASSERT_TRUE(reader.FindMember(".ini", target, found));  // first name containing it
    EXPECT_EQ(found, "skin.ini.bak");
    EXPECT_EQ(target, Bytes("old settings"));

    found = "unchanged";
    EXPECT_FALSE(reader.FindMember(".INI", target, found));  // the fragment is not lower-cased
    EXPECT_EQ(found, "unchanged");
    EXPECT_TRUE(target.empty());
}

TEST(SkinReader, NameListLines)
{
    // A line break at the end adds no member; an empty line inside is a member named "".
    const TBytes data = Bytes("AAbbbC");
    {
        TSkinReader reader;
        ASSERT_TRUE(reader.Load(LzhPack(SkinTestData::RawArchive(20000, "a\r\nb\r\n", {2, 3}, data))));
        EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a", "b"}));
    }
    {
        TSkinReader reader;
        ASSERT_TRUE(reader.Load(LzhPack(SkinTestData::RawArchive(20000, "a\n\rB\rc", {2, 0, 3, 1}, data))));
        EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a", "", "b", "c"}));
        EXPECT_EQ(Member(reader, "c"), Bytes("C"));
        EXPECT_EQ(Member(reader, "B"), Bytes("bbb"));
    }
    {
        // A zero byte ends the name list text.
        TSkinReader reader;
        ASSERT_TRUE(reader.Load(LzhPack(SkinTestData::RawArchive(20000, std::string("a\r\nb\0c", 6), {2, 3}, data))));
        EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a", "b"}));
    }
}

TEST(SkinReader, WrongVersionReportsTheMessageAndLoadsNothing)
{
    for (std::int32_t version : {0, 19999, 20001, -20000}) {
        TSkinReader reader;
        std::vector<std::string> messages;
        reader.OnMessage = [&](const std::string& m) { messages.push_back(m); };
        EXPECT_FALSE(reader.Load(LzhPack(SkinTestData::RawArchive(version, "a.bmp", {1}, {7}))));
        ASSERT_EQ(messages.size(), 1u) << version;
        EXPECT_EQ(messages[0], "This is Older Skin File\rPlease update to new version !");
        EXPECT_EQ(reader.MemberCount(), 0);
        EXPECT_EQ(Member(reader, "a.bmp"), TBytes{});
    }
}

TEST(SkinReader, RejectsArchivesThatPointPastTheirBytes)
{
    auto nameList = [](int count) {
        std::string names;
        for (int i = 0; i < count; ++i) {
            names += 'm';
            names += std::to_string(i);
            names += "\r\n";
        }
        return names;
    };
    const std::string manyNames = nameList(1002), mostNames = nameList(1001);

    auto header = [](std::int32_t version, std::int32_t nameListLength) {
        TBytes out;
        for (std::int32_t v : {version, nameListLength, 0, 0})
            for (int i = 0; i < 4; ++i)
                out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
        return out;
    };
    struct TCase {
        const char* Name;
        TBytes Unpacked;
        bool Accepted;
    };
    const TCase cases[] = {
        {"shorter than the header", {0x20, 0x4E, 0, 0, 3}, false},
        {"negative name-list length", header(20000, -5), false},
        {"name list past the end", header(20000, 100), false},
        {"sizes past the end", SkinTestData::RawArchive(20000, "a\r\nb\r\nc", {1}, {}), false},
        {"negative member size", SkinTestData::RawArchive(20000, "a\r\nb", {-1, 2}, Bytes("xy")), false},
        {"member sizes past the data", SkinTestData::RawArchive(20000, "a\r\nb", {1, 2}, Bytes("xy")), false},
        {"sizes summing above 2 GiB", SkinTestData::RawArchive(20000, "a\r\nb", {0x7FFFFFFF, 0x7FFFFFFF}, Bytes("xy")),
         false},
        {"1002 members", SkinTestData::RawArchive(20000, manyNames, std::vector<std::int32_t>(1002, 0), {}), false},
        {"1001 members", SkinTestData::RawArchive(20000, mostNames, std::vector<std::int32_t>(1001, 0), {}), true},
        {"no members at all", SkinTestData::RawArchive(20000, "", {}, {}), true},
        {"data longer than the sizes", SkinTestData::RawArchive(20000, "a", {1}, Bytes("xyz")), true},
    };
    for (const TCase& c : cases) {
        TSkinReader reader;
        EXPECT_EQ(reader.Load(LzhPack(c.Unpacked)), c.Accepted) << c.Name;
        if (!c.Accepted) {
            EXPECT_EQ(reader.MemberCount(), 0) << c.Name;
        }
    }
    TSkinReader reader;
    EXPECT_FALSE(reader.Load(TBytes{1, 2}));  // not even an LZH header
}

TEST(SkinReader, WriterRefusesWhatNoReaderCouldIndex)
{
    EXPECT_THROW(BuildSkinArchive({{"bad\r\nname", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinArchive(std::vector<TSkinMember>(1002)), std::invalid_argument);
}
