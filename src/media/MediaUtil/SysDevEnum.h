// The devices (filters) that the system registers under one device category, e.g. the
// video or audio capture devices, by name and class identifier, and the moniker of a
// chosen one.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// One device of a category.
struct TDeviceEntry {
    std::wstring FriendlyName;  // at most 255 characters
    GUID CLSID{};               // all zero when the device publishes none
};

class TSysDevEnum {
public:
    explicit TSysDevEnum(const GUID& category);

    // Lists the devices of the category anew (callers do so right before using an index,
    // so that the list matches the devices present now).
    void SelectCategory(const GUID& category);

    int FilterCount() const { return int(Entries.size()); }
    // The entry at index; std::out_of_range outside 0..FilterCount()-1.
    TDeviceEntry FilterEntry(int index) const { return Entries.at(size_t(index)); }
    // A new moniker of the device now at that position, or empty when there is none.
    Microsoft::WRL::ComPtr<IMoniker> GetMoniker(int index) const;

    GUID SelectedCategory{};
    std::vector<TDeviceEntry> Entries;
};
