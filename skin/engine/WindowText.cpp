#include "skin/engine/WindowText.h"

std::wstring ReadWindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring ReadClassName(HWND window)
{
    wchar_t name[256] = {};  // class names are at most 256 characters
    const int length = GetClassNameW(window, name, static_cast<int>(sizeof(name) / sizeof(name[0])));
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}
