// Large design data (a form's stored skin, the about logo) lives in the program's
// resource section as RCDATA, declared in an .rc file:  SKINSTREAM RCDATA "<the skin file>"
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The bytes of an RCDATA resource of the program; EReadError names a missing one.
std::vector<std::uint8_t> ReadRcData(const std::wstring& name);

// The program's first icon group (the one Explorer shows for the file) at size x size
// pixels, loaded once per size and kept until the program ends; nullptr when the program
// carries no icon.
HICON ProgramIcon(int size);
