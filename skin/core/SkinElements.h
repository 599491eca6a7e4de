// The element records of a skin: what the skin's INI text and pictures say about each
// skinned window part (frame borders, title, title-bar buttons, buttons, scroll bars, ...)
// and its colours. ParseSkinElements (SkinParser.h) is their only writer; drawing code
// only reads them.
//
// The records are templates over the picture type so that one parser serves both builds:
// the skin component keeps framework bitmaps (TBitmap), the skin tool and the host tests
// keep only the size of each picture (TSkinPictureInfo). A picture type has Width(),
// Height() and Empty().
#pragma once

#include "skin/core/SkinColor.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Fixed edges of a picture for nine-slice drawing (other meanings for the frame borders,
// the title and the menu bar; see the parser).
struct TSkinMargins {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

template <class TPicture>
struct TDataSkinObjectOf {
    explicit TDataSkinObjectOf(std::string name) : Name(std::move(name)) {}
    TDataSkinObjectOf(const TDataSkinObjectOf&) = delete;
    TDataSkinObjectOf& operator=(const TDataSkinObjectOf&) = delete;

    TSkinMargins Margins;
    TPicture Image;
    std::int32_t Trans = 0;   // 1 = magenta is transparent
    std::int32_t Tile = 0;    // 1 = tile the centre instead of stretching it
    std::string Name;         // the section name
    std::int32_t FrameCount = 0;
    std::int32_t Style = 0;
    // Per state (normal, mouse over, pressed): a number (-1 = none) and a second colour.
    std::int32_t NormalColour = -1, MouseOverColour = -1, PressedColour = -1;
    TSkinColor NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;
};

template <class TPicture>
struct TDataSkinBorderOf : TDataSkinObjectOf<TPicture> {
    using TDataSkinObjectOf<TPicture>::TDataSkinObjectOf;
    TPicture Image2;  // a second picture (tab border, progress chunk, up-down glyphs, mirrored combo button)
};

template <class TPicture>
struct TDataSkinTitleOf : TDataSkinObjectOf<TPicture> {
    using TDataSkinObjectOf<TPicture>::TDataSkinObjectOf;
    std::int32_t TextAlignment = 0, TextBackground = 0, FontHeight = 0, TextBackLeft = 0, TextBackRight = 0;
    TSkinColor ActiveTextColor = kSkinNoColor, InactiveTextColor = kSkinNoColor;
};

template <class TPicture>
struct TDataSkinButtonOf : TDataSkinObjectOf<TPicture> {
    using TDataSkinObjectOf<TPicture>::TDataSkinObjectOf;
    TPicture CheckImage, RadioImage;
    std::int32_t RadioFrameCount = 0, CheckFrameCount = 0;
    bool HasNormalColour2 = false, HasMouseOverColour2 = false, HasPressedColour2 = false;
};

// A title-bar button.
template <class TPicture>
struct TDataSkinSysButtonOf : TDataSkinObjectOf<TPicture> {
    using TDataSkinObjectOf<TPicture>::TDataSkinObjectOf;
    std::int32_t Action = 0, Align = 0, XCoord = 0, YCoord = 0, CombineOp = 0, Visibility = 0, Visibility1 = 0;
};

template <class TPicture>
struct TDataSkinBoxLabelOf : TDataSkinObjectOf<TPicture> {
    using TDataSkinObjectOf<TPicture>::TDataSkinObjectOf;
    std::int32_t BackgroundLeftShift = 0, BackgroundRightShift = 0, BackgroundAlignment = 0;
};

// Everything a parsed skin holds. The records marked "always" exist from the start; the
// others are null when the skin lacks their section or picture key.
template <class TPicture>
struct TSkinElementsOf {
    using TObjectRecord = TDataSkinObjectOf<TPicture>;
    using TBorderRecord = TDataSkinBorderOf<TPicture>;
    using TSysButtonRecord = TDataSkinSysButtonOf<TPicture>;

    std::string SkinName;

    // Always.
    TDataSkinTitleOf<TPicture> Title{"Title"};
    TDataSkinButtonOf<TPicture> Buttons{"Buttons"};
    TBorderRecord BorderLeft{"Left"}, BorderRight{"Right"}, BorderTop{"Top"}, BorderBottom{"Bottom"};
    // The skin's title-bar buttons in text order, then the three MDI child buttons.
    std::vector<std::unique_ptr<TSysButtonRecord>> SysButtons;

    // Optional.
    std::unique_ptr<TBorderRecord> Tabs, Progress, UpDownHorz, UpDownVert, ComboButton;
    std::unique_ptr<TObjectRecord> SunkEdge, ExtraImages, GroupBoxEdge, Toolbars, StatusBarEdges, Headerbar;
    std::unique_ptr<TObjectRecord> MenuBar, MenuItem, MenuBackground, Scrollbar, HorzScroll, VertScroll;
    std::unique_ptr<TObjectRecord> HorzScrollThumb, VertScrollThumb;
    std::unique_ptr<TObjectRecord> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft, TrackbarThumbRight,
        TrackbarThumbUp, TrackbarThumbDown;
    std::unique_ptr<TDataSkinBoxLabelOf<TPicture>> GroupBox;

    // Colours ([Colours], then one per [ColourN] section, then [Customcolors]).
    TSkinColor ColorWindowText = kSysWindowText, ColorButtonFace = kSysButtonFace, ColorScrollbar = kSysScrollbar,
               ColorHilightText = kSysHighlightText, ColorHilight = kSysHighlight, ColorMenubar = kSysButtonFace,
               ColorMenu = kSysMenu, ColorMenuText = kSysMenuText, ColorButtonText = kSysButtonText,
               ColorButtonHilight = kSysButtonHighlight, ColorButtonLight = kSysButtonHighlight,
               ColorButtonShadow = kSysButtonShadow, ColorButtonDkShadow = kSys3DDarkShadow,
               ColorMenuBarText = kSysMenuText, ColorTitleTextActive = kSysCaptionText,
               ColorTitleTextNoActive = kSysInactiveCaptionText;
    std::vector<TSkinColor> SectionColors;
    std::array<TSkinColor, 10> CustomColors{};
};
