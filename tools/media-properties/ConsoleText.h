// Mediscope's text output where a line may hold a file name, and its failure lines.
// A name is printed as the user reads it: wide to a console, and in the system's ANSI
// code page to a file or pipe. The fixed lines go out through printf as before; both
// reach standard output in the order they are printed.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The text in the code page. A character the code page cannot show becomes the code
// page's default character ('?') rather than a look-alike, so that a name is never
// printed as another file's name; every other character is kept.
std::string ToCodePage(std::wstring_view text, UINT codePage);

// Writes the text to standard output: with WriteConsoleW when it is a console, else as
// the system's ANSI code page's bytes through the C runtime's stdout (which, in text
// mode, writes "\n" as "\r\n", as for printf's lines).
void PrintText(std::wstring_view text);

// "<what>: (hr=0x%08x)\n", the form of every failure line.
void PrintFailure(std::wstring_view what, HRESULT hr);
