#include "app/StoredSettings.h"

#include "framework/ComMemory.h"
#include "framework/Handles.h"

#include <objbase.h>

#include <array>
#include <vector>

const wchar_t* const kStoredSettingsKey = L"Software\\Kivora\\Settings";

namespace {

// The longest value read back: a long folder path (32767 characters) with room to spare.
// Anything longer is not a value this program wrote, and is ignored rather than read.
constexpr DWORD kMaxValueBytes = 32 * 1024 * sizeof(wchar_t);

struct TValueField {
    const wchar_t* Name;
    std::wstring TStoredSettings::*Field;
};
constexpr std::array<TValueField, 6> kValues{{
    {L"VideoDevice", &TStoredSettings::VideoDevice},
    {L"VideoFormat", &TStoredSettings::VideoFormat},
    {L"AudioDevice", &TStoredSettings::AudioDevice},
    {L"AudioFormat", &TStoredSettings::AudioFormat},
    {L"InputLine", &TStoredSettings::InputLine},
    {L"SaveDir", &TStoredSettings::SaveDir},
}};

// A REG_SZ value as text, up to its first NUL (a value written without one is still
// read whole); "" when the value is absent, of another type, of an odd byte count or
// longer than kMaxValueBytes.
std::wstring ReadString(HKEY key, const wchar_t* name)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ
        || size % sizeof(wchar_t) != 0 || size > kMaxValueBytes)
        return L"";
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    // The value may have changed since its size was asked: read at most the buffer.
    DWORD read = size;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &read) != ERROR_SUCCESS
        || type != REG_SZ)
        return L"";
    return std::wstring(text.data());
}

} // namespace

TStoredSettings ReadStoredSettings()
{
    TStoredSettings settings;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoredSettingsKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return settings;
    const TRegKey key(opened);
    for (const TValueField& value : kValues)
        settings.*value.Field = ReadString(key.get(), value.Name);
    return settings;
}

bool WriteStoredSettings(const TStoredSettings& settings)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kStoredSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &created, nullptr)
        != ERROR_SUCCESS)
        return false;
    const TRegKey key(created);
    bool written = true;
    for (const TValueField& value : kValues) {
        const std::wstring& text = settings.*value.Field;
        const DWORD bytes = DWORD((text.size() + 1) * sizeof(wchar_t));
        written = RegSetValueExW(key.get(), value.Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes)
                      == ERROR_SUCCESS
            && written;
    }
    return written;
}

std::wstring StoredDeviceText(const TSysDevEnum& devices, int row)
{
    if (row < 0 || row >= devices.FilterCount())
        return L"";
    std::wstring path;
    if (const Microsoft::WRL::ComPtr<IMoniker> moniker = devices.GetMoniker(row)) {
        Microsoft::WRL::ComPtr<IBindCtx> context;
        LPOLESTR name = nullptr;
        if (SUCCEEDED(CreateBindCtx(0, &context)) && SUCCEEDED(moniker->GetDisplayName(context.Get(), nullptr, &name))) {
            const TTaskMem<wchar_t> owned(name);
            if (owned)
                path = owned.get();
        }
    }
    return devices.Entries[size_t(row)].FriendlyName + L"|" + path;
}

int StoredDeviceRow(const TSysDevEnum& devices, const std::wstring& text)
{
    if (text.empty())
        return -1;
    for (int row = 0; row < devices.FilterCount(); ++row)
        // Only a device of that name is asked for its path.
        if (text.starts_with(devices.Entries[size_t(row)].FriendlyName + L"|") && StoredDeviceText(devices, row) == text)
            return row;
    return -1;
}

bool FolderExists(const std::wstring& folder)
{
    if (folder.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
