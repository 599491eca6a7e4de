// ParseSkinElements: fills the element records (SkinElements.h) from a skin's INI text.
//
// Pictures come from a picture source, which also decides what a picture is:
//   void Load(TPicture& picture, const std::string& fileName)  // the archive member named
//       by fileName (see SkinPictureMemberName), empty when it is missing or unreadable
//   void Clear(TPicture& picture)
//   void CopyColumns(TPicture& target, const TPicture& source, int x, int width)
//       // target = columns x .. x + width - 1 of source, full height
// Missing sections and keys are never errors: records stay null, values take defaults.
// The steps that need real pixels (composing the combo box faces, mirroring the combo
// button) are the skin component's; this parser leaves those pictures as read.
#pragma once

#include "skin/core/AsciiText.h"
#include "skin/core/QuickIni.h"
#include "skin/core/SkinElements.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TSkinReader;

// Loads ini from the skin's INI text: the first member whose name contains ".ini" (an
// archive without one gives an empty text). Returns that member's name.
std::string LoadSkinIni(const TSkinReader& reader, TQuickIni& ini);

// The archive member a picture key names: the file-name part of the value (folders are
// ignored) when it ends in ".bmp" exactly (lower case); otherwise none.
std::optional<std::string> SkinPictureMemberName(const std::string& fileName);

// A title-bar button's frame count when its section gives none: 6, or for a picture 3
// when it is at most 3.8 times as wide as high; always 6 for a negative action.
int SysButtonDefaultFrames(int width, int height, bool hasPicture, int action);

// A check box or radio button picture's frame count when the skin gives none: frames are
// 13 pixels wide in pictures less than 16 high and 16 wide otherwise; at least 4.
int CheckFrameCountOf(int width, int height);

namespace skinparse {

template <class TPicture, class TSource>
class TParser {
public:
    using TElements = TSkinElementsOf<TPicture>;
    using TObject = TDataSkinObjectOf<TPicture>;
    using TBorder = TDataSkinBorderOf<TPicture>;

    TParser(TElements& e, const TQuickIni& ini, TSource& pictures) : E(e), Ini(ini), Pictures(pictures) {}

    void Run()
    {
        E.SkinName = Str("TitlebarSkin", "SkinName");
        FrameBorders();
        Colours();
        SysButtons();
        ButtonsRecord();
        TitleRecord();
        ProgressRecord();
        MenuBarRecord();
        Element(E.GroupBoxEdge, "GroupBoxEdge");
        GroupBoxRecord();
        Element(E.Toolbars, "Toolbars");
        BorderElement(E.Tabs, "Tabs", "Border");
        Element(E.StatusBarEdges, "StatusBarEdges");
        BorderElement(E.ComboButton, "ComboButton", nullptr);
        for (const TElementSection& s : ElementSections())
            Element(E.*s.Field, s.Section);
        BorderElement(E.UpDownHorz, "UpDown.Horz", "GlyphImage");
        BorderElement(E.UpDownVert, "UpDown.Vert", "GlyphImage");
        FrameCounts();
    }

private:
    using TObjectField = std::unique_ptr<TObject> TElements::*;
    struct TElementSection {
        TObjectField Field;
        const char* Section;
    };

    static const std::vector<TElementSection>& ElementSections()
    {
        static const std::vector<TElementSection> sections = {
            {&TElements::SunkEdge, "SunkEdge"},
            {&TElements::ExtraImages, "ExtraImages"},
            {&TElements::Headerbar, "Headerbar"},
            {&TElements::MenuItem, "MenuItem"},
            {&TElements::MenuBackground, "MenuBackground"},
            {&TElements::Scrollbar, "Scrollbar"},
            {&TElements::HorzScroll, "HorzScroll"},
            {&TElements::VertScroll, "VertScroll"},
            {&TElements::HorzScrollThumb, "HorzScrollThumb"},
            {&TElements::VertScrollThumb, "VertScrollThumb"},
            {&TElements::TrackbarThumbHorz, "Trackbar.ThumbHorz"},
            {&TElements::TrackbarThumbVert, "Trackbar.ThumbVert"},
            {&TElements::TrackbarThumbLeft, "Trackbar.ThumbLeft"},
            {&TElements::TrackbarThumbRight, "Trackbar.ThumbRight"},
            {&TElements::TrackbarThumbUp, "Trackbar.ThumbUp"},
            {&TElements::TrackbarThumbDown, "Trackbar.ThumbDown"},
        };
        return sections;
    }

    std::string Str(const std::string& section, const std::string& key) const
    {
        return Ini.ReadString(section, key, "");
    }
    std::int32_t Int(const std::string& section, const std::string& key, std::int32_t def) const
    {
        return Ini.ReadInteger(section, key, def);
    }
    TSkinColor Color(const std::string& section, const std::string& key, TSkinColor def) const
    {
        return ReadColor(Str(section, key), def);
    }
    void Picture(TPicture& picture, const std::string& section, const std::string& key)
    {
        Pictures.Load(picture, Str(section, key));
    }

    void ReadMargins(TObject& r, const std::string& s) const
    {
        r.Margins = {Int(s, "LeftWidth", 0), Int(s, "TopHeight", 0), Int(s, "RightWidth", 0), Int(s, "BottomHeight", 0)};
    }
    void ReadStateColours(TObject& r, const std::string& s) const
    {
        r.NormalColour = Int(s, "NormalColour", -1);
        r.MouseOverColour = Int(s, "MouseOverColour", -1);
        r.PressedColour = Int(s, "PressedColour", -1);
        r.NormalColour2 = Color(s, "NormalColour2", E.ColorButtonText);
        r.MouseOverColour2 = Color(s, "MouseOverColour2", E.ColorButtonText);
        r.PressedColour2 = Color(s, "PressedColour2", E.ColorButtonText);
    }

    // What the element and border element loaders share: picture, margins, Trans, Tile
    // (values above 1 become 0), the state colours.
    void ReadElement(TObject& r, const std::string& s)
    {
        Picture(r.Image, s, "Image");
        ReadMargins(r, s);
        r.Trans = Int(s, "Trans", 0);
        r.Tile = Int(s, "Tile", 0);
        ReadStateColours(r, s);
        if (r.Tile > 1)
            r.Tile = 0;
    }

    template <class TRecord>
    bool StartRecord(std::unique_ptr<TRecord>& field, const std::string& section, const char* requiredKey)
    {
        field.reset();
        if (Str(section, requiredKey).empty())
            return false;
        field = std::make_unique<TRecord>(section);
        return true;
    }

    void Element(std::unique_ptr<TObject>& field, const std::string& s)
    {
        if (!StartRecord(field, s, "Image"))
            return;
        field->Style = Int(s, "Style", 0);
        ReadElement(*field, s);
    }

    // secondKey null: a record without a second picture key.
    void BorderElement(std::unique_ptr<TBorder>& field, const std::string& s, const char* secondKey)
    {
        if (!StartRecord(field, s, "Image"))
            return;
        ReadElement(*field, s);
        if (secondKey && !Str(s, secondKey).empty())
            Picture(field->Image2, s, secondKey);
    }

    void FrameBorders()
    {
        struct TBorderKeys {
            TBorder TElements::*Field;
            const char* Name;
            bool Horizontal;  // Top and Bottom: TopHeight/BotHeight give the left and right parts
        };
        static const TBorderKeys borders[] = {
            {&TElements::BorderLeft, "Left", false},
            {&TElements::BorderRight, "Right", false},
            {&TElements::BorderTop, "Top", true},
            {&TElements::BorderBottom, "Bottom", true},
        };
        const std::string s = "Personality";
        for (const TBorderKeys& b : borders) {
            TBorder& r = E.*b.Field;
            const std::string n = b.Name;
            const std::int32_t first = Int(s, n + "TopHeight", 0), last = Int(s, n + "BotHeight", 0);
            r.Margins = b.Horizontal ? TSkinMargins{first, 0, last, 0} : TSkinMargins{0, first, 0, last};
            r.FrameCount = Int(s, n + "Frame", 1);
            r.Tile = Int(s, n + "Stretch", 1);
            r.Trans = Int(s, n + "Trans", 1);
            Picture(r.Image, s, n);
        }
    }

    void Colours()
    {
        // In this order: each default is taken when its key is read (Menubar defaults to
        // the face colour just read).
        struct TColourKey {
            TSkinColor TElements::*Field;
            const char* Key;
            TSkinColor Default;
        };
        static const TColourKey keys[] = {
            {&TElements::ColorWindowText, "WindowText", kSysWindowText},
            {&TElements::ColorButtonFace, "ButtonFace", kSysButtonFace},
            {&TElements::ColorScrollbar, "Scrollbar", kSysScrollbar},
            {&TElements::ColorHilightText, "HilightText", kSysHighlightText},
            {&TElements::ColorHilight, "Hilight", kSysHighlight},
            {&TElements::ColorMenubar, "Menubar", 0},  // default: ColorButtonFace
            {&TElements::ColorMenu, "Menu", kSysMenu},
            {&TElements::ColorMenuText, "MenuText", kSysMenuText},
            {&TElements::ColorButtonText, "ButtonText", kSysButtonText},
            {&TElements::ColorButtonHilight, "ButtonHilight", kSysButtonHighlight},
            {&TElements::ColorButtonLight, "Buttonlight", kSysButtonHighlight},
            {&TElements::ColorButtonShadow, "ButtonShadow", kSysButtonShadow},
            {&TElements::ColorButtonDkShadow, "ButtonDkShadow", kSys3DDarkShadow},
            {&TElements::ColorMenuBarText, "MenuBarText", kSysMenuText},
            {&TElements::ColorTitleTextActive, "TitleTextActive", kSysCaptionText},
            {&TElements::ColorTitleTextNoActive, "TitleTextNoActive", kSysInactiveCaptionText},
        };
        for (const TColourKey& k : keys) {
            const TSkinColor def = k.Field == &TElements::ColorMenubar ? E.ColorButtonFace : k.Default;
            E.*k.Field = Color("Colours", k.Key, def);
        }

        E.SectionColors.clear();
        std::vector<std::string> sections;
        Ini.ReadSections(sections);
        for (const std::string& section : sections) {
            const std::string upper = AsciiUpperCase(section);
            if (upper.starts_with("COLOUR") && upper != "COLOURS")
                E.SectionColors.push_back(Color(section, "color", kSysWindowText));
        }
        for (std::size_t i = 0; i < E.CustomColors.size(); ++i)
            E.CustomColors[i] = Color("Customcolors", "Color" + std::to_string(i), kSkinWhite);
    }

    static bool IsSysButtonSection(const std::string& upper)
    {
        static const char* const notButtons[] = {"BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"};
        if (!upper.starts_with("BUTTON"))
            return false;
        for (const char* name : notButtons)
            if (upper == name)
                return false;
        return true;
    }

    void SysButtons()
    {
        E.SysButtons.clear();
        std::vector<std::string> sections;
        Ini.ReadSections(sections);
        for (const std::string& section : sections) {
            const std::string s = AsciiUpperCase(section);
            if (!IsSysButtonSection(s))
                continue;
            // A button without an action that is not explicitly visible is left out.
            if (Int(s, "Action", 0) == -1 && Int(s, "Visibility", -1) != 0)
                continue;
            auto r = std::make_unique<TDataSkinSysButtonOf<TPicture>>(s);
            r->Action = Int(s, "Action", 0);
            r->Align = Int(s, "Align", 0);
            r->XCoord = Int(s, "Xcoord", 0);
            r->YCoord = Int(s, "Ycoord", 0);
            r->Visibility = Int(s, "Visibility", 0);
            r->Visibility1 = Int(s, "Visibility1", r->Action == -1 ? -1 : 0);
            r->CombineOp = Int(s, "CombineOp", -1);
            r->FrameCount = Int(s, "frame", 0);
            Picture(r->Image, s, "ButtonImage");
            if (r->FrameCount == 0)
                r->FrameCount = SysButtonDefaultFrames(r->Image.Width(), r->Image.Height(), !r->Image.Empty(), r->Action);
            // The window icon takes the place of these buttons' pictures when a form is skinned.
            if (r->Action == 3 || r->Action == 11)
                Pictures.Clear(r->Image);
            E.SysButtons.push_back(std::move(r));
        }

        // The buttons of a maximized MDI child shown in the frame's menu bar: minimize,
        // restore, close, cut from one picture of 12 frames (3 buttons x 4 states).
        std::vector<TDataSkinSysButtonOf<TPicture>*> mdi;
        for (const int action : {7, 8, 9}) {
            auto r = std::make_unique<TDataSkinSysButtonOf<TPicture>>("MDICONTROLS");
            r->Action = action;
            r->Align = r->Visibility = r->Visibility1 = 100;
            r->FrameCount = 4;
            mdi.push_back(r.get());
            E.SysButtons.push_back(std::move(r));
        }
        TPicture all;
        Picture(all, "MDICONTROLS", "Image");
        if (all.Empty())
            return;
        const int a = all.Width() / 12;
        for (int k = 0; k < 3; ++k) {
            Pictures.CopyColumns(mdi[static_cast<std::size_t>(k)]->Image, all, 4 * a * k, 4 * a);
            mdi[static_cast<std::size_t>(k)]->XCoord = (a + 4) * (3 - k);
        }
    }

    void ButtonsRecord()
    {
        const std::string s = "Buttons";
        auto& r = E.Buttons;
        ReadMargins(r, s);
        r.Trans = Int(s, "Trans", 0);
        Picture(r.Image, s, "Bitmap");
        r.Tile = Int(s, "Tile", 0);
        Picture(r.CheckImage, s, "CheckButton");
        Picture(r.RadioImage, s, "RadioButton");
        r.RadioFrameCount = Int(s, "RadioButtonFrame", 0);
        r.CheckFrameCount = Int(s, "CheckButtonFrame", 0);
        r.HasNormalColour2 = !Str(s, "NormalColour2").empty();
        r.HasMouseOverColour2 = !Str(s, "MouseOverColour2").empty();
        r.HasPressedColour2 = !Str(s, "PressedColour2").empty();
        ReadStateColours(r, s);
    }

    void TitleRecord()
    {
        const std::string s = "Personality";
        auto& r = E.Title;
        Picture(r.Image, s, "TextBack");
        r.Margins = {Int(s, "TextShift", 0), Int(s, "TextShiftVert", 0), Int(s, "TextRightClip", 0), 0};
        r.TextAlignment = Int(s, "TextAlignment", 0);
        r.TextBackground = Int(s, "Textbackground", 0);
        r.FontHeight = Int("Fonts", "FontHeight", 14);
        r.TextBackLeft = Int(s, "TXTBackleft", 0);
        r.TextBackRight = Int(s, "TXTBackRight", 0);
        r.ActiveTextColor = TitleTextColor("ActiveText");
        r.InactiveTextColor = TitleTextColor("InActiveText");
    }

    // NameR, NameG, NameB; all three must be given (0 or more), else "not given".
    TSkinColor TitleTextColor(const std::string& name) const
    {
        const std::int32_t red = Int("Personality", name + "R", -1), green = Int("Personality", name + "G", -1),
                           blue = Int("Personality", name + "B", -1);
        if (red < 0 || green < 0 || blue < 0)
            return kSkinNoColor;
        return SkinRgb(red, green, blue);
    }

    void ProgressRecord()
    {
        const std::string s = "Progress";
        if (!StartRecord(E.Progress, s, "Bitmap"))
            return;
        auto& r = *E.Progress;
        Picture(r.Image, s, "Bitmap");
        if (!Str(s, "Chunk").empty())
            Picture(r.Image2, s, "Chunk");
        r.Style = Int(s, "Style", 0);
        ReadMargins(r, s);
        r.Trans = Int(s, "Trans", 0);
        r.Tile = Int(s, "Tile", 0);
    }

    void MenuBarRecord()
    {
        const std::string s = "Personality";
        if (!StartRecord(E.MenuBar, s, "menuBar"))
            return;
        auto& r = *E.MenuBar;
        Picture(r.Image, s, "menuBar");
        r.Tile = Int(s, "TileMenu", 0);
        r.Margins = {Int(s, "TileLeftMenu", 1), 0, Int(s, "TileRightMenu", 1), 0};
    }

    void GroupBoxRecord()
    {
        const std::string s = "GroupBox";
        if (!StartRecord(E.GroupBox, s, "Image"))
            return;
        auto& r = *E.GroupBox;
        r.Style = Int(s, "Style", 0);
        ReadElement(r, s);
        r.BackgroundAlignment = Int(s, "BackgroundAlignment", 0);
        r.BackgroundLeftShift = Int(s, "BackgroundLeftShift", 0);
        r.BackgroundRightShift = Int(s, "BackgroundRightShift", 0);
    }

    void FrameCounts()
    {
        E.Buttons.FrameCount = 5;
        if (E.Buttons.RadioFrameCount == 0)
            E.Buttons.RadioFrameCount = CheckFrameCountOf(E.Buttons.RadioImage.Width(), E.Buttons.RadioImage.Height());
        if (E.Buttons.CheckFrameCount == 0)
            E.Buttons.CheckFrameCount = CheckFrameCountOf(E.Buttons.CheckImage.Width(), E.Buttons.CheckImage.Height());
        E.Title.FrameCount = 2;

        auto set = [](auto& record, std::int32_t count) {
            if (record)
                record->FrameCount = count;
        };
        set(E.Tabs, 5);
        set(E.Progress, 2);
        set(E.UpDownHorz, 8);
        set(E.UpDownVert, 8);
        set(E.SunkEdge, 4);
        set(E.ExtraImages, 5);
        set(E.ComboButton, 4);
        set(E.GroupBoxEdge, 2);
        set(E.Toolbars, 5);
        set(E.GroupBox, 1);
        set(E.StatusBarEdges, 3);
        set(E.Headerbar, 5);
        set(E.MenuBar, 2);
        set(E.MenuItem, 5);
        set(E.MenuBackground, 1);
        set(E.Scrollbar, 23);
        set(E.HorzScroll, 4);
        set(E.VertScroll, 4);
        set(E.HorzScrollThumb, Int("HorzScrollThumb", "FrameCount", 3));
        set(E.VertScrollThumb, Int("VertScrollThumb", "FrameCount", 3));
        for (auto field : {&TElements::TrackbarThumbHorz, &TElements::TrackbarThumbVert, &TElements::TrackbarThumbLeft,
                           &TElements::TrackbarThumbRight, &TElements::TrackbarThumbUp, &TElements::TrackbarThumbDown})
            set(E.*field, 5);
    }

    TElements& E;
    const TQuickIni& Ini;
    TSource& Pictures;
};

}  // namespace skinparse

template <class TPicture, class TSource>
void ParseSkinElements(TSkinElementsOf<TPicture>& elements, const TQuickIni& ini, TSource& pictures)
{
    skinparse::TParser<TPicture, TSource>(elements, ini, pictures).Run();
}
