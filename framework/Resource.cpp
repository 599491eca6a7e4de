#include "framework/Resource.h"
#include "framework/Exceptions.h"
#include "framework/Handles.h"

#include <map>

std::vector<std::uint8_t> ReadRcData(const std::wstring& name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name.c_str(), RT_RCDATA);
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        throw EReadError(L"Resource " + name + L" not found");
    auto* first = static_cast<const std::uint8_t*>(bytes);
    return std::vector<std::uint8_t>(first, first + SizeofResource(module, info));
}

namespace {

struct TIconRequest {
    int Size;
    HICON Icon;
};

// Loads the first icon group the enumeration reaches and stops it there. The group's name
// (a number or a string) is only valid during the call, so the icon is loaded here.
BOOL CALLBACK LoadFirstIcon(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR context)
{
    auto* request = reinterpret_cast<TIconRequest*>(context);
    request->Icon = static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, request->Size, request->Size, LR_DEFAULTCOLOR));
    return FALSE;
}

} // namespace

HICON ProgramIcon(int size)
{
    // Window classes keep the icons for the program's life: each size is loaded once and
    // destroyed only at the end, after the windows.
    static std::map<int, TIconHandle> loaded;
    if (auto it = loaded.find(size); it != loaded.end())
        return it->second.get();
    TIconRequest request{size, nullptr};
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, LoadFirstIcon, reinterpret_cast<LONG_PTR>(&request));
    return loaded.emplace(size, TIconHandle(request.Icon)).first->second.get();
}
