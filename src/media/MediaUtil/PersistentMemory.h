// A block of bytes stored with a form as the binary property "data" (a 4-byte
// little-endian count, then the bytes), and TBaseFilter: such a block holding the
// serialised moniker of a device, from which the device's filter is created.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <wrl/client.h>

#include <cstdint>
#include <span>
#include <vector>

class TPersistentMemory {
public:
    TPersistentMemory() = default;
    virtual ~TPersistentMemory() = default;

    uint32_t DataLength() const { return uint32_t(FData.size()); }
    // Drops the old bytes; n > 0 gives n zero bytes.
    void SetDataLength(uint32_t length);
    const uint8_t* Data() const { return FData.empty() ? nullptr : FData.data(); }
    uint8_t* Data() { return FData.empty() ? nullptr : FData.data(); }

    void Assign(const TPersistentMemory& source);
    // Equal only when both hold the same non-empty bytes (two empty objects are not).
    bool Equals(const TPersistentMemory& other) const;

    // The stored form of "data".
    std::vector<uint8_t> SaveData() const;
    // Reads a stored form. A count larger than the bytes that follow leaves the missing
    // tail zero; fewer than four bytes read as empty.
    void LoadData(std::span<const uint8_t> data);

protected:
    std::vector<uint8_t> FData;
};

class TBaseFilter : public TPersistentMemory {
public:
    // Stores the moniker's persistent bytes (empty reference: no bytes). Where the
    // platform cannot save a moniker (e.g. Wine's device monikers), a record of its
    // display name is stored instead, and rebuilt by name when read.
    void SetMoniker(IMoniker* moniker);
    // The stored moniker, or empty when there is none or it cannot be rebuilt.
    Microsoft::WRL::ComPtr<IMoniker> Moniker() const;
    // A new filter object bound from the stored moniker, or empty (device gone).
    Microsoft::WRL::ComPtr<IBaseFilter> CreateFilter() const;
};
