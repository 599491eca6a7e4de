#include "framework/Resource.h"
#include "framework/Exceptions.h"

#include <windows.h>

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
