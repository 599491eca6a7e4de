// The skin component: its settings, loading Kivora's stored skin (from the binary
// property, the program's resources and a skin file), bad skins, and what it asks of the
// skin manager (a stand-in that writes down every call).
#include "skin/SkinData.h"
#include "skin/SkinManagerLink.h"

#include "skin/core/LzhEncoder.h"
#include "skin/core/SkinArchiveWriter.h"
#include "SkinPixels.h"
#include "SkinTestData.h"
#include "StoredSkinExpectations.h"
#include "framework/Filer.h"
#include "framework/MessageBox.h"
#include "framework/Properties.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::vector<std::uint8_t> StoredSkinFile()
{
    std::ifstream f(KIVORA_SKIN_FILE, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The stored form of the SkinStream property: length, then the bytes.
std::vector<std::uint8_t> StoredProperty(const std::vector<std::uint8_t>& bytes)
{
    const auto n = static_cast<std::uint32_t>(bytes.size());
    std::vector<std::uint8_t> stored(4 + bytes.size());
    for (int i = 0; i < 4; ++i)
        stored[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n >> (8 * i));
    std::copy(bytes.begin(), bytes.end(), stored.begin() + 4);
    return stored;
}

class TRecordingManager : public ISkinManager {
public:
    explicit TRecordingManager(std::vector<std::string>& calls) : FCalls(calls) {}
    void RegisterSkin(TSkinData*) override { FCalls.push_back("RegisterSkin"); }
    void UnregisterSkin(TSkinData*) override { FCalls.push_back("UnregisterSkin"); }
    void InstallHook() override { FCalls.push_back("InstallHook"); }
    void ScheduleAction(TSkinAction action, int delayMs) override
    {
        FCalls.push_back("ScheduleAction " + std::to_string(action) + " " + std::to_string(delayMs));
    }
    void PrepareSkinReload() override { FCalls.push_back("PrepareSkinReload"); }
    bool SkinWindow(HWND) override
    {
        FCalls.push_back("SkinWindow");
        return true;
    }
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool enabled) override
    {
        FEnabled = enabled;
        FCalls.push_back(enabled ? "Enabled true" : "Enabled false");
    }
    int StartState() const override { return FStartState; }
    void SetStartState(int state) override
    {
        FStartState = state;
        FCalls.push_back("StartState " + std::to_string(state));
    }
    void SetPendingSkin(TSkinData* skin) override { FCalls.push_back(skin ? "PendingSkin" : "PendingSkin none"); }

private:
    std::vector<std::string>& FCalls;
    bool FEnabled = false;
    int FStartState = 0;
};

class SkinData : public testing::Test {
protected:
    void SetUp() override
    {
        SetSkinManagerFactory([this] { return std::make_unique<TRecordingManager>(Calls); });
    }
    void TearDown() override
    {
        for (TSkinData* skin : FSkins)
            skin->Free();
        DestroySkinManager();
        SetSkinManagerFactory(nullptr);
        SetMessageBoxHook(nullptr);
    }
    TSkinData& NewSkin()
    {
        FSkins.push_back(new TSkinData(nullptr));
        return *FSkins.back();
    }
    // The calls made since the last look.
    std::vector<std::string> TakeCalls() { return std::exchange(Calls, {}); }

    std::vector<std::string> Calls;

private:
    std::vector<TSkinData*> FSkins;
};

}  // namespace

TEST_F(SkinData, NewComponent)
{
    TSkinData& skin = NewSkin();
    EXPECT_TRUE(skin.Empty());
    EXPECT_FALSE(skin.Active());
    EXPECT_EQ(skin.DisableTag(), 99);
    EXPECT_EQ(skin.SkinControls().Bits(), 0x7FFFBu);
    EXPECT_EQ(skin.SkinFormtype(), sfMainform);
    EXPECT_TRUE(skin.MenuUpdate());
    EXPECT_FALSE(skin.MenuMerge());
    // Display-only properties ignore what is written.
    EXPECT_TRUE(SetPropText(&skin, L"Version", L"2.0"));
    EXPECT_TRUE(SetPropText(&skin, L"SkinStore", L"(Good)"));
    EXPECT_EQ(ReadTextProp(&skin, L"Version"), L"1.00.00.00");
    EXPECT_EQ(ReadTextProp(&skin, L"SkinStore"), L"(none)");

    ASSERT_EQ(skin.Skin3rd()->Count(), 110);
    EXPECT_EQ(skin.Skin3rd()->Strings(0), L"TAdvPanelGroup=embedscrollbar");
    EXPECT_EQ(skin.Skin3rd()->Strings(109), L"TOVCDBNUMERICFIELD=Edit");
    // The window-menu glyphs come from the program's LACQUERMENU bitmap.
    EXPECT_EQ(skin.MenuImages()->Count(), 4);
    EXPECT_EQ(skin.Elements().BorderTop.Name, "Top");
    EXPECT_EQ(skin.Elements().Title.Name, "Title");
    EXPECT_TRUE(Calls.empty());  // nothing is asked of a manager before loading ends
}

TEST_F(SkinData, StoredSkinFromTheFormsProperty)
{
    const std::vector<std::uint8_t> file = StoredSkinFile();
    ASSERT_FALSE(file.empty());
    TSkinData& skin = NewSkin();
    ASSERT_TRUE(ReadBinaryProperty(skin, L"SkinStream", StoredProperty(file)));
    ASSERT_FALSE(skin.Empty());
    ExpectStoredSkinElements(skin.Elements());
    EXPECT_NE(skin.ButtonFaceBrush(), nullptr);
    EXPECT_EQ(WriteBinaryProperty(skin, L"SkinStream"), StoredProperty(file));

    // The combo box faces: four states of 50 x 21, button on the right; the sunken edge
    // holds them mirrored; the plain button mirrored is kept as the second picture.
    const TSkinElements& e = skin.Elements();
    ASSERT_TRUE(e.ComboButton && e.SunkEdge);
    const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
    EXPECT_EQ(e.ComboButton->Style, 2);
    EXPECT_EQ(e.ComboButton->Image.Width(), 200);
    EXPECT_EQ(e.ComboButton->Image.Height(), 21);
    EXPECT_EQ(e.ComboButton->Margins.Left, 2);
    EXPECT_EQ(e.ComboButton->Margins.Right, buttonWidth + 2);
    EXPECT_EQ(e.SunkEdge->Margins.Left, buttonWidth + 2);
    EXPECT_EQ(e.SunkEdge->Margins.Right, 2);
    EXPECT_FALSE(e.ComboButton->Image2.Empty());
    auto& faces = const_cast<TBitmap&>(e.ComboButton->Image);
    auto& mirrored = const_cast<TBitmap&>(e.SunkEdge->Image);
    EXPECT_EQ(PixelAt(faces, 10, 10), (TPixel{255, 0, 255}));  // the text area is see-through
    EXPECT_EQ(PixelAt(mirrored, 199 - 10, 10), (TPixel{255, 0, 255}));
    EXPECT_EQ(PixelAt(faces, 48, 10), PixelAt(mirrored, 151, 10));

    // A stored empty skin keeps what the component has.
    ASSERT_TRUE(ReadBinaryProperty(skin, L"SkinStream", StoredProperty({})));
    EXPECT_FALSE(skin.Empty());
}

TEST_F(SkinData, StoredSkinFromResourceAndFile)
{
    TSkinData& fromResource = NewSkin();
    ASSERT_TRUE(fromResource.LoadSkinFromResource(L"SKINSTREAM"));
    EXPECT_EQ(fromResource.SkinStream(), StoredSkinFile());
    ExpectStoredSkinElements(fromResource.Elements());
    // A main-window skin is handed to the manager, which is made for it.
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"RegisterSkin", "InstallHook", "PendingSkin", "PrepareSkinReload"}));
    EXPECT_FALSE(fromResource.LoadSkinFromResource(L"NO_SUCH_SKIN"));

    TSkinData& fromFile = NewSkin();
    fromFile.SetSkinFile(L"no-such-folder\\no-such.skn");
    EXPECT_TRUE(fromFile.Empty());
    fromFile.SetSkinFile(Utf8ToWide(KIVORA_SKIN_FILE));
    ASSERT_FALSE(fromFile.Empty());
    EXPECT_EQ(fromFile.Elements().SysButtons.size(), 8u);
    // With a manager, the records are re-read only after it dropped what points into them.
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"PendingSkin", "PrepareSkinReload", "PendingSkin", "PrepareSkinReload"}));
}

TEST_F(SkinData, LoadedRegistersAndAdjustsTheControls)
{
    const struct {
        TSkinControlTypes Before;
        TSkinControlTypes After;
    } cases[] = {
        {TSkinControlTypes::FromBits(0xFFFFF), TSkinControlTypes::FromBits(0xFFFFF) - TSkinControlTypes{xcMenuItem}},
        {TSkinControlTypes{xcMenuItem, xcSystemMenu, xcButton}, TSkinControlTypes{xcMenuItem, xcButton}},
    };
    for (const auto& c : cases) {
        TSkinData& skin = NewSkin();
        skin.SetSkinControls(c.Before);
        skin.Loaded();
        EXPECT_EQ(skin.SkinControls(), c.After);
    }
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"RegisterSkin", "InstallHook", "RegisterSkin", "InstallHook"}));

    // An active main-window skin that failed to load turns itself off.
    TSkinData& empty = NewSkin();
    empty.SetActive(true);  // the manager exists now, but the skin is empty: nothing happens
    EXPECT_TRUE(TakeCalls().empty());
    empty.Loaded();
    EXPECT_FALSE(empty.Active());
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"RegisterSkin", "InstallHook"}));

    TSkinData& good = NewSkin();
    ASSERT_TRUE(ReadBinaryProperty(good, L"SkinStream", StoredProperty(StoredSkinFile())));
    TakeCalls();
    good.SetActive(true);
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"ScheduleAction 1 250", "StartState 1", "PendingSkin"}));
    good.SetActive(true);  // unchanged: nothing
    good.SetActive(false);
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"ScheduleAction 2 250", "PendingSkin"}));
    good.SetSkinningEnabled(true);
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"Enabled true"}));

    // A dialog's skin switches the manager on and counts itself in.
    TSkinData& dialog = NewSkin();
    dialog.SetSkinFormtype(sfDialog);
    dialog.Loaded();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"RegisterSkin", "Enabled true", "StartState 2"}));
}

TEST_F(SkinData, BadSkinsLeaveItEmpty)
{
    std::vector<std::wstring> messages;
    SetMessageBoxHook([&](const std::wstring& text, const std::wstring&, unsigned) {
        messages.push_back(text);
        return IDOK;
    });
    TSkinData& skin = NewSkin();
    ASSERT_TRUE(skin.LoadSkinFromBytes(StoredSkinFile()));
    const int faceBefore = skin.Elements().ColorButtonFace;

    const std::vector<std::vector<std::uint8_t>> bad = {
        LzhPack(SkinTestData::RawArchive(19999, "a.ini", {0}, {})),  // another version: told once
        SkinTestData::Random(500, 3),                                // not a skin
        {1, 2},                                                      // shorter than a header
    };
    for (const auto& bytes : bad) {
        EXPECT_FALSE(skin.LoadSkinFromBytes(bytes));
        EXPECT_TRUE(skin.Empty());
        EXPECT_EQ(skin.Elements().ColorButtonFace, faceBefore);  // the records stay as they were
    }
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"This is Older Skin File\rPlease update to new version !"}));
}

TEST_F(SkinData, PicturesByMemberName)
{
    const std::string ini =
        "[Personality]\nLeft=Status.bmp\nRight=status.BMP\nTop=c:\\old\\status.bmp\nBottom=broken.bmp\n"
        "[Colours]\nButtonFace=1 2 3\n";
    TSkinData& skin = NewSkin();
    ASSERT_TRUE(skin.LoadSkinFromBytes(PackSkin({{"skin.ini", SkinTestData::Bytes(ini)},
                                                 {"status.bmp", SkinTestData::Bitmap(6, 3)},
                                                 {"broken.bmp", SkinTestData::Bytes("BM but nothing else")}})));
    const TSkinElements& e = skin.Elements();
    EXPECT_EQ(e.BorderLeft.Image.Width(), 6);  // member names match without regard to case
    EXPECT_TRUE(e.BorderRight.Image.Empty());  // the extension must be ".bmp"
    EXPECT_EQ(e.BorderTop.Image.Height(), 3);  // folders are ignored
    EXPECT_TRUE(e.BorderBottom.Image.Empty()); // a damaged picture is a missing one
    EXPECT_EQ(e.ColorButtonFace, SkinRgb(1, 2, 3));
    EXPECT_FALSE(e.ComboButton);
    EXPECT_EQ(e.SysButtons.size(), 3u);
}

TEST_F(SkinData, FormFilter)
{
    TSkinData& skin = NewSkin();
    const struct {
        const wchar_t* ClassName;
        bool FastReport;
        bool Skinned;
    } cases[] = {
        {L"SysMonthCal32", false, false}, {L"sysmonthcal32", false, true}, {L"TfrDesigner", true, false},
        {L"TfrDesigner", false, true},    {L"TMainForm", true, true},
    };
    for (const auto& c : cases) {
        TSkinControlTypes controls = kDefaultSkinControls;
        skin.SetSkinControls(c.FastReport ? controls.Include(xcFastReport) : controls);
        bool doSkin = true;
        skin.FormFilter(c.ClassName, doSkin);
        EXPECT_EQ(doSkin, c.Skinned) << WideToUtf8(c.ClassName) << " " << c.FastReport;
    }
    // With a handler, the handler alone decides.
    skin.OnFormSkin = [](TObject*, const std::wstring& name, bool& doSkin) { doSkin = name == L"SysMonthCal32"; };
    bool doSkin = false;
    skin.FormFilter(L"SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin);
}
