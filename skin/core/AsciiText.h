// Small text helpers for the skin's 8-bit texts (member names, INI lines): only ASCII
// letters change case, and trimming removes every control character and blank.
#pragma once

#include <string>
#include <string_view>

inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiLowerCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

inline std::string AsciiUpperCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

inline bool AsciiEqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

// Removes the characters with codes 0..32 from both ends.
inline std::string_view TrimControls(std::string_view s)
{
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Cuts text into lines at CR, LF and CR LF (a zero byte ends the text). A line break
// at the very end adds no empty line; LF CR gives an empty line between.
template <typename TVisit>
void ForEachTextLine(std::string_view text, TVisit&& visit)
{
    const std::size_t zero = text.find('\0');
    if (zero != std::string_view::npos)
        text = text.substr(0, zero);
    std::size_t p = 0;
    while (p < text.size()) {
        const std::size_t start = p;
        while (p < text.size() && text[p] != '\r' && text[p] != '\n')
            ++p;
        visit(text.substr(start, p - start));
        if (p < text.size() && text[p] == '\r')
            ++p;
        if (p < text.size() && text[p] == '\n')
            ++p;
    }
}
