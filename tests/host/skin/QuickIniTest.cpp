// INI lookups, one table of cases over one INI text, plus parsing details.
#include "skin/core/QuickIni.h"
#include "SkinTestData.h"

#include <gtest/gtest.h>

namespace {

const char* const kIniText =
    "before=kept but never found\r\n"
    "[Buttons]\r\n"
    "NormalFont=1\r\n"
    "  Rightwidth = 3  \r\n"
    "; Commented=7\r\n"
    "Formula=a=b=c\r\n"
    "NormalFont=0\r\n"
    "[Personality]\n"
    "TopTrans=\n"
    "TopFrame=2\r"
    "Hex=0x1F\r"
    "Minus=-2\r"
    "Triple=248 248 251\r"
    "Dollar=$FF000008\r"
    "Huge=4294967296\r"
    "JustHex=0x\r"
    "\n\r"
    "[ToolBars]\r\n"
    "Image=toolbar.bmp\r\n"
    "[Buttons]\r\n"
    "Later=only under the second header\r\n"
    "[  Colours  ]\r\n"
    "ButtonFace=224 224 224\r\n";

struct TStringCase {
    const char* Section;
    const char* Key;
    const char* Expected;
};

struct TIntegerCase {
    const char* Section;
    const char* Key;
    std::int32_t Default;
    std::int32_t Expected;
};

}  // namespace

TEST(QuickIni, Lookups)
{
    TQuickIni ini;
    ini.Load(SkinTestData::Bytes(kIniText));

    const TStringCase strings[] = {
        {"Buttons", "NormalFont", "1"},            // first line of a key wins
        {"Buttons", "RightWidth", "3"},            // keys ignore case, values are trimmed
        {"buttons", "rightwidth", "3"},            // sections ignore case
        {"Buttons", "; Commented", "default"},     // comments have no key
        {"Buttons", "Commented", "default"},
        {"Buttons", "Formula", "a=b=c"},           // everything after the first "="
        {"Buttons", "Later", "default"},           // only the first header of a name counts
        {"Buttons", "TopFrame", "default"},        // sections end at the next header
        {"Personality", "TopTrans", "default"},    // empty value
        {"Personality", "TopFrame", "2"},          // lone CR ends a line
        {"Toolbars", "Image", "toolbar.bmp"},
        {"Colours", "ButtonFace", "default"},      // the header text keeps its inner blanks
        {"  Colours  ", "ButtonFace", "224 224 224"},
        {"", "before", "default"},                 // lines before any header
        {"Missing", "Key", "default"},
    };
    for (const TStringCase& c : strings)
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, "default"), c.Expected) << c.Section << "/" << c.Key;

    const TIntegerCase integers[] = {
        {"Personality", "TopTrans", 1, 1},
        {"Personality", "TopFrame", 1, 2},
        {"Personality", "Hex", 0, 31},
        {"Personality", "Minus", 0, -2},
        {"Personality", "Triple", 5, 5},
        {"Personality", "Dollar", 0, static_cast<std::int32_t>(0xFF000008u)},
        {"Personality", "Huge", 9, 9},
        {"Personality", "JustHex", 9, 9},
        {"Buttons", "Formula", 4, 4},
        {"Personality", "Missing", -1, -1},
    };
    for (const TIntegerCase& c : integers)
        EXPECT_EQ(ini.ReadInteger(c.Section, c.Key, c.Default), c.Expected) << c.Section << "/" << c.Key;

    std::vector<std::string> sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"Buttons", "Personality", "ToolBars", "Buttons", "Colours"}));
}

TEST(QuickIni, IntegerConversion)
{
    const struct {
        const char* Text;
        bool Ok;
        std::int32_t Value;
    } cases[] = {
        {"0", true, 0},          {"+7", true, 7},        {"-2147483648", true, INT32_MIN},
        {"2147483647", true, INT32_MAX}, {"2147483648", false, 0}, {"$7fffffff", true, INT32_MAX},
        {"$FFFFFFFF", true, -1}, {"$100000000", false, 0}, {"0X10", true, 16},
        {"-$10", true, -16},     {"", false, 0},         {"-", false, 0},
        {"$", false, 0},         {"12a", false, 0},      {"1.5", false, 0},
    };
    for (const auto& c : cases) {
        std::int32_t v = 12345;
        EXPECT_EQ(ParseIniInteger(c.Text, v), c.Ok) << c.Text;
        if (c.Ok) {
            EXPECT_EQ(v, c.Value) << c.Text;
        }
    }
}

TEST(QuickIni, TextEndsAtZeroByteAndReloading)
{
    TQuickIni ini;
    ini.Load(SkinTestData::Bytes(std::string("[A]\r\nx=1\r\n\0[B]\r\ny=2", 19)));
    EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
    EXPECT_EQ(ini.ReadString("B", "y", "none"), "none");
    ini.Load(nullptr, 0);  // no stream at all: nothing changes
    EXPECT_EQ(ini.ReadString("A", "x", "gone"), "1");
    const std::uint8_t empty[1] = {0};
    ini.Load(empty, 0);
    EXPECT_EQ(ini.ReadString("A", "x", "gone"), "gone");
}
