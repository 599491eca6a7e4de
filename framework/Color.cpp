#include "framework/Color.h"

#include <windows.h>

std::uint32_t ColorToRGB(TColor color)
{
    if (color & clSystemColor)
        return GetSysColor(color & 0xFF);
    return static_cast<std::uint32_t>(color) & 0xFFFFFF;
}
