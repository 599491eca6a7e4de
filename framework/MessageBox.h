// Message boxes with Unicode texts. Every box the framework shows goes through
// ShowMessageBox, which a test may divert with SetMessageBoxHook to see the text (and
// answer) instead of a real box.
#pragma once
#include <functional>
#include <string>

using TMessageBoxHook = std::function<int(const std::wstring& text, const std::wstring& caption, unsigned flags)>;

// Replaces the real message box (an empty hook puts it back); answers the previous hook.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);
// MessageBoxW over the active window, or the hook's answer.
int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned flags);
// The text with line breaks put into lines too long for a message box on any screen
// (after a path separator where there is one), so that a long file name wraps.
std::wstring WrapLongLines(const std::wstring& text);
// A plain information box titled with the application's title.
void ShowMessage(const std::wstring& text);
