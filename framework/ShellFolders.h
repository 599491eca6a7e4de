// Folders of the shell, as wide paths: the folder browser and the user's Documents folder.
#pragma once
#include <string>

// The shell's folder browser (file-system folders only) over the active window; the
// chosen folder, or "" when the user cancels.
std::wstring BrowseForFolder(const std::wstring& title);
// The user's Documents folder (CSIDL_PERSONAL), without a trailing backslash; "" when
// the shell cannot give it.
std::wstring DocumentsFolder();
