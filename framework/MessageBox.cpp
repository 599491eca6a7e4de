#include "framework/MessageBox.h"
#include "framework/Application.h"

#include <windows.h>

namespace {
TMessageBoxHook& Hook()
{
    static TMessageBoxHook hook;
    return hook;
}
} // namespace

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
    return MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), flags);
}

void ShowMessage(const std::wstring& text)
{
    ShowMessageBox(text, Application->Title(), MB_OK);
}
