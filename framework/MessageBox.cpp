#include "framework/MessageBox.h"
#include "framework/Application.h"

#include <windows.h>

namespace {
TMessageBoxHook& Hook()
{
    static TMessageBoxHook hook;
    return hook;
}
// The longest line a message box gets: the system box widens to its longest line, and a
// long path has no blank to break at, so without this the box runs off the screen.
constexpr size_t kLongestLine = 72;

} // namespace

std::wstring WrapLongLines(const std::wstring& text)
{
    std::wstring out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        // Each piece of a long line ends after its last path separator or blank that
        // keeps it within the limit; a run with neither is cut at the limit.
        size_t at = start;
        while (end - at > kLongestLine) {
            size_t cut = at + kLongestLine;
            for (size_t i = cut; i > at + kLongestLine / 2; --i)
                if (text[i - 1] == L'\\' || text[i - 1] == L'/' || text[i - 1] == L' ') {
                    cut = i;
                    break;
                }
            out.append(text, at, cut - at);
            out += L'\n';
            at = cut;
        }
        out.append(text, at, end - at);
        if (end == text.size())
            break;
        out += L'\n';
        start = end + 1;
    }
    return out;
}

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook)
{
    TMessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags)
{
    if (Hook())
        return Hook()(text, caption, flags);
    return MessageBoxW(GetActiveWindow(), WrapLongLines(text).c_str(), caption.c_str(), flags);
}

void ShowMessage(const std::wstring& text)
{
    ShowMessageBox(text, Application->Title(), MB_OK);
}
