// Kivora's own skin, as packed at build time, carries the members and settings the skin
// engine expects of the main window's skin.
#include "skin/core/AsciiText.h"
#include "skin/core/BmpHeader.h"
#include "skin/core/QuickIni.h"
#include "skin/core/SkinPictureInfo.h"
#include "skin/core/SkinReader.h"
#include "StoredSkinExpectations.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace {

class StoredSkin : public testing::Test {
protected:
    void SetUp() override
    {
        std::ifstream f(KIVORA_SKIN_FILE, std::ios::binary);
        ASSERT_TRUE(f) << KIVORA_SKIN_FILE;
        const std::vector<std::uint8_t> packed{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
        ASSERT_TRUE(Reader.Load(packed));
        std::vector<std::uint8_t> text;
        std::string name;
        ASSERT_TRUE(Reader.FindMember(".ini", text, name));
        Ini.Load(text);
    }

    // Picture size of a member, {0, 0} when it is missing or not a BMP.
    std::pair<int, int> PictureSize(const std::string& name) const
    {
        std::vector<std::uint8_t> bytes;
        TBmpHeader h;
        if (!Reader.ExtractMember(name, bytes) || !ReadBmpHeader(bytes.data(), bytes.size(), h))
            return {0, 0};
        return {h.Width, h.Height};
    }

    int Int(const char* section, const char* key, int def = -12345) const { return Ini.ReadInteger(section, key, def); }
    std::string Str(const char* section, const char* key) const { return Ini.ReadString(section, key, ""); }

    TSkinReader Reader;
    TQuickIni Ini;
};

}  // namespace

TEST_F(StoredSkin, MembersAndSections)
{
    int bitmaps = 0, inis = 0;
    for (const std::string& name : Reader.Names()) {
        bitmaps += name.ends_with(".bmp");
        inis += name.ends_with(".ini");
    }
    EXPECT_EQ(Reader.MemberCount(), 39);
    EXPECT_EQ(bitmaps, 38);
    EXPECT_EQ(inis, 1);
    EXPECT_NE(PictureSize("dialog.bmp").first, 0);
    EXPECT_NE(PictureSize("toolbar2.bmp").first, 0);

    std::vector<std::string> sections;
    Ini.ReadSections(sections);
    const std::vector<std::string> expected = {
        "XPTaskbar", "Personality", "StartButton", "Buttons", "Progress", "ToolBars", "TaskBar", "Scrollbar",
        "HorzScroll", "HorzScrollThumb", "VertScroll", "VertScrollThumb", "Tabs", "UpDown.Vert", "UpDown.Horz",
        "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "REBARGRIP", "ExtraImages",
        "SunkEdge", "ComboButton", "GroupBoxEdge", "GroupBox", "MDICONTROLS", "ToolBarBackground", "Headerbar",
        "StatusBarEdges", "Layout0", "Text", "Fonts", "Font0", "Font1", "Font2", "Font3", "Font4", "Colours",
        "Colour0", "Colour1", "Colour2", "Colour3", "Colour4", "Skins", "Button0", "Button1", "Button2", "Button3",
        "Button4", "MenuItem", "MenuBackground"};
    EXPECT_EQ(sections, expected);
}

TEST_F(StoredSkin, FrameTitleAndMenuSettings)
{
    const struct {
        const char* Section;
        const char* Key;
        int Expected;
    } values[] = {
        {"Personality", "TopTopHeight", 82}, {"Personality", "TopBotHeight", 98}, {"Personality", "TopFrame", 2},
        {"Personality", "TopStretch", 0},    {"Personality", "LeftTopHeight", 33}, {"Personality", "LeftBotHeight", 13},
        {"Personality", "RightTopHeight", 33}, {"Personality", "RightBotHeight", 13}, {"Personality", "LeftTrans", 0},
        {"Personality", "RightTrans", 0},    {"Personality", "BottomTrans", 0},    {"Personality", "BottomTopHeight", 0},
        {"Personality", "BottomBotHeight", 0}, {"Personality", "TextShift", 60},   {"Personality", "TextRightClip", 82},
        {"Fonts", "FontHeight", 16},         {"Personality", "ActiveTextR", 255},  {"Personality", "ActiveTextG", 255},
        {"Personality", "ActiveTextB", 255}, {"Personality", "InActiveTextR", 112}, {"Personality", "InActiveTextG", 112},
        {"Personality", "InActiveTextB", 122}, {"Personality", "TileMenu", 1},     {"Personality", "TileLeftMenu", 8},
        {"Personality", "TileRightMenu", 2}, {"HorzScrollThumb", "FrameCount", 4}, {"VertScrollThumb", "FrameCount", 4},
        {"Buttons", "LeftWidth", 5},         {"Buttons", "TopHeight", 5},          {"Buttons", "RightWidth", 5},
        {"Buttons", "BottomHeight", 5},      {"Buttons", "Trans", 1},
    };
    for (const auto& v : values)
        EXPECT_EQ(Int(v.Section, v.Key), v.Expected) << v.Section << "/" << v.Key;

    // TopTrans is written without a value, so the border keeps its default of 1.
    EXPECT_EQ(Str("Personality", "TopTrans"), "");
    EXPECT_EQ(Int("Personality", "TopTrans", 1), 1);
    EXPECT_EQ(Str("Personality", "TextBack"), "");  // the title has no picture behind its text
    EXPECT_EQ(Str("Personality", "menuBar"), "menu.bmp");
    EXPECT_EQ(Str("Colours", "ButtonFace"), "224 224 224");
    EXPECT_EQ(Str("Colours", "Menubar"), "206 214 221");
    // Frames: top border and menu bar stacked (2 each), sides one frame each.
    EXPECT_EQ(PictureSize(Str("Personality", "Top")).second % 2, 0);
    EXPECT_EQ(PictureSize(Str("Personality", "Top")).first, 240);
    EXPECT_EQ(PictureSize("menu.bmp").second % 2, 0);
}

TEST_F(StoredSkin, TitleBarButtonsAndPictures)
{
    const int actions[] = {2, 1, 0, 1, 3};
    for (int i = 0; i < 5; ++i) {
        const std::string section = "Button" + std::to_string(i);
        EXPECT_EQ(Ini.ReadInteger(section, "Action", -99), actions[i]) << section;
        const std::string image = Ini.ReadString(section, "ButtonImage", "");
        if (actions[i] == 3) {
            EXPECT_EQ(image, "") << section;
        } else {
            EXPECT_EQ(PictureSize(image), std::make_pair(57, 20)) << section;
        }
    }
    EXPECT_EQ(PictureSize(Str("MDICONTROLS", "Image")), std::make_pair(180, 15));
    EXPECT_EQ(PictureSize(Str("Buttons", "CheckButton")), std::make_pair(65, 13));
    EXPECT_EQ(PictureSize(Str("Buttons", "RadioButton")), std::make_pair(65, 13));

    // Each element picture divides into its frames, side by side.
    const struct {
        const char* Section;
        const char* Key;
        int Frames;
    } strips[] = {
        {"Buttons", "Bitmap", 5},      {"Tabs", "Image", 5},          {"SunkEdge", "Image", 4},
        {"ComboButton", "Image", 4},   {"ExtraImages", "Image", 5},   {"ToolBars", "Image", 5},
        {"StatusBarEdges", "Image", 3}, {"Headerbar", "Image", 5},    {"MenuItem", "Image", 5},
        {"MenuBackground", "Image", 1}, {"Scrollbar", "Image", 23},   {"HorzScroll", "Image", 4},
        {"VertScroll", "Image", 4},    {"HorzScrollThumb", "Image", 4}, {"VertScrollThumb", "Image", 4},
        {"Progress", "Bitmap", 2},     {"GroupBox", "Image", 1},
    };
    for (const auto& s : strips) {
        const auto [w, h] = PictureSize(Str(s.Section, s.Key));
        EXPECT_GT(h, 0) << s.Section;
        EXPECT_EQ(w % s.Frames, 0) << s.Section << " is " << w << " wide";
    }
    // The group box edge names a picture in a folder that the archive does not carry.
    const std::string edge = Str("GroupBoxEdge", "Image");
    EXPECT_NE(edge.find('\\'), std::string::npos);
    EXPECT_EQ(PictureSize(edge.substr(edge.rfind('\\') + 1)).first, 0);
}

TEST_F(StoredSkin, ParsedElements)
{
    TSkinInfoElements elements;
    ParseSkinInfo(Reader, elements);
    ExpectStoredSkinElements(elements);
    EXPECT_EQ(elements.MenuBar->Image.Member(), "menu.bmp");
    EXPECT_EQ(elements.SysButtons[5]->Image.Member(), "");  // a cut-out of corpx_mdib.bmp
}

// Every picture and colour the control skins read is in Kivora's skin, with its frames
// side by side in equal widths, so no control falls back to plain drawing.
TEST_F(StoredSkin, ProvidesEveryElementTheControlSkinsRead)
{
    const struct {
        const char* Section;
        const char* Key;
        int Frames;  // 0: read from the section's FrameCount
    } pictures[] = {
        {"Buttons", "Bitmap", 5},         {"Buttons", "CheckButton", 1},        {"Buttons", "RadioButton", 1},
        {"Scrollbar", "Image", 23},      {"HorzScroll", "Image", 4},           {"VertScroll", "Image", 4},
        {"HorzScrollThumb", "Image", 0}, {"VertScrollThumb", "Image", 0},      {"Tabs", "Image", 5},
        {"Tabs", "Border", 1},           {"Progress", "Bitmap", 2},            {"Progress", "Chunk", 1},
        {"UpDown.Vert", "Image", 8},     {"UpDown.Vert", "GlyphImage", 8},     {"UpDown.Horz", "Image", 8},
        {"UpDown.Horz", "GlyphImage", 8}, {"Trackbar.ThumbHorz", "Image", 5},  {"Trackbar.ThumbVert", "Image", 5},
        {"ComboButton", "Image", 1},     {"SunkEdge", "Image", 1},             {"ExtraImages", "Image", 5},
        {"StatusBarEdges", "Image", 3},  {"GroupBox", "Image", 1},             {"Headerbar", "Image", 1},
    };
    for (const auto& p : pictures) {
        const std::string file = Str(p.Section, p.Key);
        ASSERT_FALSE(file.empty()) << p.Section << "/" << p.Key;
        const auto [width, height] = PictureSize(file);
        EXPECT_GT(width, 0) << p.Section << "/" << p.Key << " " << file;
        EXPECT_GT(height, 0) << file;
        const int frames = p.Frames ? p.Frames : Int(p.Section, "FrameCount", 0);
        ASSERT_GT(frames, 0) << p.Section;
        EXPECT_EQ(width % frames, 0) << file << " holds " << frames << " frames of equal width";
    }
    for (const char* colour : {"ButtonFace", "ButtonShadow", "ButtonDkShadow", "ButtonText", "Scrollbar"})
        EXPECT_FALSE(Str("Colours", colour).empty()) << colour;
    // The tab captions' colours.
    EXPECT_FALSE(Str("Tabs", "NormalColour2").empty());
    EXPECT_FALSE(Str("Tabs", "MouseOverColour2").empty());
}
