// The one place where the program adapts to running under Wine: Wine 8 shows nothing
// in a VMR-9 window made in windowed mode as a child, so there the video window uses the
// classic video renderer, which Wine does display. On Windows the design value (VMR-9,
// windowed) stays.
#pragma once

#include <windows.h>

inline bool RunningOnWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
