#include "ConsoleText.h"

#include <cstdio>
#include <cwchar>
#include <io.h>

namespace {

// The console behind standard output, or nullptr when it goes to a file or pipe.
HANDLE ConsoleOutput()
{
    const intptr_t handle = _get_osfhandle(_fileno(stdout));
    if (handle == -1)
        return nullptr;
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode) ? reinterpret_cast<HANDLE>(handle) : nullptr;
}

// Writes the text to the console with the line ends printf's text mode gives; false
// when the console takes none of it.
bool WriteToConsole(HANDLE console, std::wstring_view text)
{
    std::wstring lines;
    lines.reserve(text.size() + 4);
    for (wchar_t c : text) {
        if (c == L'\n')
            lines += L'\r';
        lines += c;
    }
    DWORD written = 0;
    return WriteConsoleW(console, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr) && written > 0;
}

} // namespace

std::string ToCodePage(std::wstring_view text, UINT codePage)
{
    if (text.empty())
        return {};
    // UTF-8 and UTF-7 take no flags (and show every character).
    const DWORD flags = codePage == CP_UTF8 || codePage == CP_UTF7 ? 0 : WC_NO_BEST_FIT_CHARS;
    // The lines printed are a few hundred characters at most (a name is under MAX_PATH).
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, result.data(), bytes, nullptr, nullptr);
    return result;
}

void PrintText(std::wstring_view text)
{
    if (HANDLE console = ConsoleOutput()) {
        // What printf holds in its buffer goes out first, so that the lines keep their order.
        std::fflush(stdout);
        if (WriteToConsole(console, text))
            return;
    }
    // GetACP rather than CP_ACP: ToCodePage's flags depend on the code page's number.
    const std::string bytes = ToCodePage(text, GetACP());
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void PrintFailure(std::wstring_view what, HRESULT hr)
{
    wchar_t code[32];
    std::swprintf(code, sizeof code / sizeof *code, L": (hr=0x%08x)\n", static_cast<unsigned>(hr));
    PrintText(std::wstring(what) + code);
}
