// Element records parsed from small crafted skins: the title-bar button rules, Tile
// limits, picture names, missing sections, and the colour texts.
#include "skin/core/SkinArchiveWriter.h"
#include "skin/core/SkinParser.h"
#include "skin/core/SkinPictureInfo.h"
#include "skin/core/SkinReader.h"
#include "SkinTestData.h"

#include <gtest/gtest.h>

namespace {

// Parses an archive of one INI text and the given pictures (name, width, height).
struct TCraftedSkin {
    struct TPictureMember {
        const char* Name;
        int Width, Height;
    };

    explicit TCraftedSkin(const std::string& ini, std::vector<TPictureMember> pictures = {},
                          std::vector<TSkinMember> extra = {})
    {
        std::vector<TSkinMember> members = {{"skin.ini", SkinTestData::Bytes(ini)}};
        for (const TPictureMember& p : pictures)
            members.push_back({p.Name, SkinTestData::Bitmap(p.Width, p.Height)});
        for (TSkinMember& m : extra)
            members.push_back(std::move(m));
        EXPECT_TRUE(Reader.Load(PackSkin(members)));
        ParseSkinInfo(Reader, Elements);
    }

    TSkinReader Reader;
    TSkinInfoElements Elements;
};

std::vector<std::string> SysButtonNames(const TSkinInfoElements& e)
{
    std::vector<std::string> names;
    for (const auto& b : e.SysButtons)
        names.push_back(b->Name);
    return names;
}

}  // namespace

TEST(SkinParser, WhichSectionsAreTitleBarButtons)
{
    const TCraftedSkin skin(
        "[Button]\nAction=1\n[Buttons]\nBitmap=b.bmp\n[Button.Radio]\nAction=1\n[button.checkbox]\nAction=1\n"
        "[Button7]\nAction=-1\n[Button8]\nAction=-1\nVisibility=0\n[Button9]\nAction=-1\nVisibility=1\n"
        "[buttonX]\nAction=4\n");
    const auto names = SysButtonNames(skin.Elements);
    EXPECT_EQ(names, (std::vector<std::string>{"BUTTON8", "BUTTONX", "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"}));
    const auto& kept = *skin.Elements.SysButtons[0];
    EXPECT_EQ(kept.Action, -1);
    EXPECT_EQ(kept.Visibility1, -1);  // its default follows the action
    EXPECT_EQ(kept.CombineOp, -1);
    EXPECT_EQ(skin.Elements.SysButtons[1]->Visibility1, 0);
}

TEST(SkinParser, TitleBarButtonFrameCounts)
{
    const struct {
        int Width, Height;
        const char* Keys;  // more keys of the section
        int Frames;
        bool PictureKept;
    } cases[] = {
        {90, 20, "Action=0", 6, true},   // 4.5 times as wide as high
        {60, 20, "Action=0", 3, true},   // 3.0
        {76, 20, "Action=0", 3, true},   // exactly 3.8
        {77, 20, "Action=0", 6, true},
        {60, 20, "Action=0\nframe=5", 5, true},
        {60, 20, "Action=-2\nVisibility=0", 6, true},  // negative actions always have 6
        {60, 20, "Action=3", 3, false},  // the window icon replaces these pictures
        {60, 20, "Action=11", 3, false},
        {0, 0, "Action=0", 6, false},    // no picture
    };
    for (const auto& c : cases) {
        const std::string image = c.Width ? "ButtonImage=pic.bmp\n" : "";
        const TCraftedSkin skin("[Button0]\n" + image + c.Keys + "\n", {{"pic.bmp", c.Width ? c.Width : 1, c.Height ? c.Height : 1}});
        ASSERT_EQ(skin.Elements.SysButtons.size(), 4u) << c.Keys;
        const auto& b = *skin.Elements.SysButtons[0];
        EXPECT_EQ(b.FrameCount, c.Frames) << c.Width << "x" << c.Height << " " << c.Keys;
        EXPECT_EQ(!b.Image.Empty(), c.PictureKept) << c.Width << "x" << c.Height << " " << c.Keys;
    }
}

TEST(SkinParser, MdiButtonsWithAndWithoutTheirPicture)
{
    const TCraftedSkin without("[Personality]\nTop=top.bmp\n");
    ASSERT_EQ(without.Elements.SysButtons.size(), 3u);
    for (const auto& b : without.Elements.SysButtons) {
        EXPECT_TRUE(b->Image.Empty());
        EXPECT_EQ(b->XCoord, 0);
        EXPECT_EQ(b->FrameCount, 4);
    }
    const TCraftedSkin with("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", 120, 9}});  // a = 10
    ASSERT_EQ(with.Elements.SysButtons.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        const auto& b = *with.Elements.SysButtons[static_cast<std::size_t>(k)];
        EXPECT_EQ(b.Action, 7 + k);
        EXPECT_EQ(b.Image.Width(), 40);
        EXPECT_EQ(b.Image.Height(), 9);
        EXPECT_EQ(b.XCoord, 14 * (3 - k));
    }
}

TEST(SkinParser, TileLimitsAndDefaults)
{
    const TCraftedSkin skin(
        "[Personality]\nLeft=l.bmp\nLeftStretch=5\n[Buttons]\nTile=5\n[Tabs]\nImage=t.bmp\nTile=5\nBorder=b.bmp\n"
        "[HorzScroll]\nImage=t.bmp\nTile=1\nStyle=2\nNormalColour=7\nPressedColour2=1 2 3\n"
        "[Progress]\nBitmap=t.bmp\nTile=5\n[Colours]\nButtonFace=10 20 30\nButtonText=4 5 6\n",
        {{"l.bmp", 4, 4}, {"t.bmp", 20, 8}, {"b.bmp", 5, 5}});
    const auto& e = skin.Elements;
    EXPECT_EQ(e.BorderLeft.Tile, 5);
    EXPECT_EQ(e.Buttons.Tile, 5);
    EXPECT_EQ(e.Progress->Tile, 5);
    ASSERT_TRUE(e.Tabs);
    EXPECT_EQ(e.Tabs->Tile, 0);
    EXPECT_EQ(e.Tabs->Image2.Width(), 5);
    EXPECT_EQ(e.Tabs->FrameCount, 5);
    ASSERT_TRUE(e.HorzScroll);
    EXPECT_EQ(e.HorzScroll->Tile, 1);
    EXPECT_EQ(e.HorzScroll->Style, 2);
    EXPECT_EQ(e.HorzScroll->NormalColour, 7);
    EXPECT_EQ(e.HorzScroll->MouseOverColour, -1);
    EXPECT_EQ(e.HorzScroll->PressedColour2, SkinRgb(1, 2, 3));
    EXPECT_EQ(e.HorzScroll->NormalColour2, SkinRgb(4, 5, 6));  // the skin's button text
    // Unset borders keep their defaults; the menu bar follows the face colour.
    EXPECT_EQ(e.BorderTop.FrameCount, 1);
    EXPECT_EQ(e.BorderTop.Trans, 1);
    EXPECT_EQ(e.ColorMenubar, SkinRgb(10, 20, 30));
    EXPECT_EQ(e.ColorMenu, kSysMenu);
    EXPECT_EQ(e.Title.FontHeight, 14);
    EXPECT_EQ(e.Title.ActiveTextColor, kSkinNoColor);
    // Check and radio pictures missing: at least 4 frames.
    EXPECT_EQ(e.Buttons.CheckFrameCount, 4);
    EXPECT_FALSE(e.MenuBar);
    EXPECT_FALSE(e.SunkEdge);
}

TEST(SkinParser, PictureNames)
{
    std::vector<TSkinMember> broken = {{"broken.bmp", SkinTestData::Bytes("BM not a bitmap")}};
    const TCraftedSkin skin(
        "[Personality]\nLeft=Status.bmp\nRight=STATUS.BMP\nTop=C:\\skins\\old\\status.bmp\nBottom=broken.bmp\n"
        "TextBack=status.png\n",
        {{"status.bmp", 6, 3}}, std::move(broken));
    const auto& e = skin.Elements;
    EXPECT_EQ(e.BorderLeft.Image.Width(), 6);    // members match without regard to case
    EXPECT_TRUE(e.BorderRight.Image.Empty());    // but the extension must be ".bmp"
    EXPECT_EQ(e.BorderTop.Image.Width(), 6);     // folders are ignored
    EXPECT_TRUE(e.BorderBottom.Image.Empty());   // not a readable BMP
    EXPECT_TRUE(e.Title.Image.Empty());

    const struct {
        const char* FileName;
        const char* Member;
    } names[] = {{"a.bmp", "a.bmp"}, {"x/y\\z.bmp", "z.bmp"}, {"d:z.bmp", "z.bmp"}, {"a.BMP", nullptr},
                 {"dir\\", nullptr}, {"a.bmp.txt", nullptr}, {"", nullptr}, {".bmp", ".bmp"}};
    for (const auto& n : names) {
        const auto member = SkinPictureMemberName(n.FileName);
        EXPECT_EQ(member.has_value(), n.Member != nullptr) << n.FileName;
        if (member && n.Member) {
            EXPECT_EQ(*member, n.Member);
        }
    }
}

TEST(SkinParser, ColourTexts)
{
    const struct {
        const char* Text;
        TSkinColor Expected;
    } cases[] = {
        {"248 248 251", SkinRgb(248, 248, 251)},
        {"  1 2 3  ", SkinRgb(1, 2, 3)},
        {"1 2 3 4", SkinRgb(1, 2, 3)},        // further numbers are ignored
        {"7", 0},                             // a single number is black
        {"1,2", SkinRgb(1, 0, 0)},            // two numbers: only red
        {"1,2,", SkinRgb(1, 2, 0)},
        {"300 256 99999999999999999999", SkinRgb(44, 0, 255)},  // low 8 bits of each, however long
        {"", 0},
        {"red", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseColor(c.Text), c.Expected) << c.Text;
    EXPECT_EQ(ReadColor("", 1234), 1234);
    EXPECT_EQ(ReadColor("0 0 1", 1234), SkinRgb(0, 0, 1));
}
