// Text helpers the skin's drawing code shares: conversions between wide text and the
// system's ANSI code page, and drawing text with the wide or ANSI function.
#pragma once

#include <windows.h>

#include <string>

// True on the NT family: text is read and drawn with the wide functions.
bool IsWinNT();

std::wstring AnsiToWideText(const std::string& text);
std::string WideToAnsiText(const std::wstring& text);
// The whole text when count is -1, otherwise its first count characters (at most all).
std::wstring CopyWideText(const std::wstring& text, int count);
// DrawTextW on the NT family, else DrawTextA of the ANSI text; returns what it returns.
int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format);
