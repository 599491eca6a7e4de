// Text conversions where wide (UTF-16) text meets narrow text: UTF-8 (exception texts of
// the standard library, source literals) and the system ANSI code page. Case-insensitive
// comparison of identifiers (property and component names are matched without case).
#pragma once
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);
bool SameText(std::wstring_view a, std::wstring_view b);
std::wstring LowerCase(std::wstring_view text);
