#include "framework/ShellFolders.h"
#include "framework/ComMemory.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace {

using TItemList = TTaskMem<ITEMIDLIST>;

std::wstring PathOf(const TItemList& list)
{
    wchar_t path[MAX_PATH] = {};
    return list && SHGetPathFromIDListW(list.get(), path) ? std::wstring(path) : std::wstring();
}

} // namespace

std::wstring BrowseForFolder(const std::wstring& title)
{
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = GetActiveWindow();
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    return PathOf(TItemList(SHBrowseForFolderW(&info)));
}

std::wstring DocumentsFolder()
{
    ITEMIDLIST* raw = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &raw)))
        return {};
    std::wstring path = PathOf(TItemList(raw));
    // Some systems answer with a trailing backslash; file names are made by appending
    // "\Image...", so it goes (a drive root such as "C:\" keeps it).
    if (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}
