#include "FaultSwitch.h"

#include <windows.h>

#include <cwchar>

namespace kivora::dshow {

std::int64_t SwitchNumber(const wchar_t* name, std::int64_t fallback)
{
    wchar_t text[32] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, 32);
    if (length == 0 || length >= 32)
        return fallback;
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text, &end, 10);
    return end == text || *end != L'\0' ? fallback : value;
}

bool SwitchOn(const wchar_t* name)
{
    return SwitchNumber(name, 0) != 0;
}

} // namespace kivora::dshow
