#include "framework/OpenDialog.h"

#include "framework/Exceptions.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

const TClassInfo& TOpenDialog::StaticClass()
{
    static const TClassInfo info(L"TOpenDialog", &TComponent::StaticClass(), {
        StrProp(L"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName),
        StrProp(L"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter),
        IntProp(L"FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex),
        StrProp(L"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir),
        StrProp(L"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle),
        StrProp(L"DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt),
    });
    return info;
}

std::wstring DialogFilter(const std::wstring& filter)
{
    std::wstring result = filter;
    for (wchar_t& c : result)
        if (c == L'|')
            c = L'\0';
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

namespace {

using TGetOpenFileName = BOOL(WINAPI*)(OPENFILENAMEW*);

// The common dialog library is loaded when a dialog first opens rather than with the
// program: it brings the shell's printing libraries along, and loading them is a
// noticeable part of the program's start that most runs never use.
TGetOpenFileName OpenFileFunction()
{
    static const TGetOpenFileName function = [] {
        HMODULE library = LoadLibraryW(L"comdlg32.dll");
        return library ? reinterpret_cast<TGetOpenFileName>(
                                 reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameW"))) : nullptr;
    }();
    if (!function)
        RaiseLastOSError(L"无法打开文件对话框");
    return function;
}

} // namespace

bool TOpenDialog::Execute()
{
    const TGetOpenFileName getOpenFileName = OpenFileFunction();
    std::vector<wchar_t> name(32768, L'\0');
    FFileName.copy(name.data(), std::min(FFileName.size(), name.size() - 1));
    std::wstring filter = DialogFilter(FFilter);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FFilterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
    ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
    ofn.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!getOpenFileName(&ofn))
        return false;
    FFileName = name.data();
    FFilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}
