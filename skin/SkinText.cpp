#include "skin/SkinText.h"

#include <algorithm>
#include <climits>

bool IsWinNT()
{
    static const bool winNT = (GetVersion() & 0x80000000u) == 0;
    return winNT;
}

std::wstring AnsiToWideText(const std::string& text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideToAnsiText(const std::wstring& text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::wstring CopyWideText(const std::wstring& text, int count)
{
    if (count == -1)
        return text;
    return text.substr(0, static_cast<std::size_t>(std::max(count, 0)));
}

int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format)
{
    if (IsWinNT())
        return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    const std::string ansi = WideToAnsiText(text);
    return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}
