// TColor: an RGB value (0x00BBGGRR) or, with the top bit set, a system colour index
// (clBtnFace = system colour COLOR_BTNFACE). ColorToRGB resolves either to RGB.
#pragma once
#include <cstdint>

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clNavy = 0x800000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clBtnFace = clSystemColor | 15;   // COLOR_BTNFACE
constexpr TColor clWindow = clSystemColor | 5;     // COLOR_WINDOW
constexpr TColor clWindowText = clSystemColor | 8; // COLOR_WINDOWTEXT
constexpr TColor clBtnText = clSystemColor | 18;   // COLOR_BTNTEXT
constexpr TColor clGrayText = clSystemColor | 17;  // COLOR_GRAYTEXT
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clMenuText = clSystemColor | 7;

// The RGB value (COLORREF) of a colour.
std::uint32_t ColorToRGB(TColor color);
