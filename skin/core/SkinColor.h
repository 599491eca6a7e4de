// Colours of a skin: texts of three numbers (red, green, blue) in the INI text, and the
// defaults the skin falls back to. A colour is an RGB value 0x00BBGGRR or, with the top
// bit set, a system colour index - the encoding of the framework's TColor.
#pragma once

#include <cstdint>
#include <string_view>

using TSkinColor = std::int32_t;

// A system colour (GetSysColor index) as a colour value.
constexpr TSkinColor SkinSystemColor(int index)
{
    return static_cast<TSkinColor>(0x80000000u | static_cast<std::uint32_t>(index));
}

constexpr TSkinColor kSkinNoColor = 0x1FFFFFFF;  // "not given" (the title's text colours)
constexpr TSkinColor kSkinWhite = 0xFFFFFF;

// The system colours the skin defaults to (indexes of GetSysColor).
constexpr TSkinColor kSysScrollbar = SkinSystemColor(0);
constexpr TSkinColor kSysMenu = SkinSystemColor(4);
constexpr TSkinColor kSysMenuText = SkinSystemColor(7);
constexpr TSkinColor kSysWindowText = SkinSystemColor(8);
constexpr TSkinColor kSysCaptionText = SkinSystemColor(9);
constexpr TSkinColor kSysHighlight = SkinSystemColor(13);
constexpr TSkinColor kSysHighlightText = SkinSystemColor(14);
constexpr TSkinColor kSysButtonFace = SkinSystemColor(15);
constexpr TSkinColor kSysButtonShadow = SkinSystemColor(16);
constexpr TSkinColor kSysButtonText = SkinSystemColor(18);
constexpr TSkinColor kSysInactiveCaptionText = SkinSystemColor(19);
constexpr TSkinColor kSysButtonHighlight = SkinSystemColor(20);
constexpr TSkinColor kSys3DDarkShadow = SkinSystemColor(21);

constexpr TSkinColor SkinRgb(int red, int green, int blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// "248 248 251" -> red 248, green 248, blue 251. Runs of digits are the parts, in the
// order red, green, blue; a run still open at the end of the text counts only as the
// third part (so a single number is black, and "1,2" gives only red). Each part keeps its
// low 8 bits, also when it has more digits than any integer holds. Empty text gives 0.
TSkinColor ParseColor(std::string_view text);

// defaultColor when text is empty, else ParseColor(text).
TSkinColor ReadColor(std::string_view text, TSkinColor defaultColor);
