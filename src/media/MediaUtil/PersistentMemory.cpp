#include "media/MediaUtil/PersistentMemory.h"
#include "framework/ComMemory.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

// Marks a stored display-name record: a class identifier that no moniker uses, then the
// display name as UTF-16 without terminator. {5F3A0C51-8E7B-4B7E-9D0A-4B69766F7261}
constexpr GUID kDisplayNameRecord = {0x5F3A0C51, 0x8E7B, 0x4B7E, {0x9D, 0x0A, 0x4B, 0x69, 0x76, 0x6F, 0x72, 0x61}};

uint32_t Get32(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

// The bytes that OleSaveToStream writes for the moniker, or empty when it fails.
std::vector<uint8_t> SaveMoniker(IMoniker* moniker)
{
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return {};
    ComPtr<IPersistStream> persist;
    if (FAILED(moniker->QueryInterface(IID_PPV_ARGS(&persist))) ||
        FAILED(OleSaveToStream(persist.Get(), stream.Get())))
        return {};
    HGLOBAL memory = nullptr;
    if (FAILED(GetHGlobalFromStream(stream.Get(), &memory)))
        return {};
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<uint8_t> bytes(size_t(stat.cbSize.QuadPart));
    if (void* locked = GlobalLock(memory)) {
        std::memcpy(bytes.data(), locked, bytes.size());
        GlobalUnlock(memory);
    }
    return bytes;
}

std::vector<uint8_t> DisplayNameRecord(IMoniker* moniker)
{
    ComPtr<IBindCtx> context;
    LPOLESTR name = nullptr;
    if (FAILED(CreateBindCtx(0, &context)) || FAILED(moniker->GetDisplayName(context.Get(), nullptr, &name)))
        return {};
    const TTaskMem<OLECHAR> owned(name);
    std::vector<uint8_t> bytes(sizeof kDisplayNameRecord);
    std::memcpy(bytes.data(), &kDisplayNameRecord, sizeof kDisplayNameRecord);
    const auto* text = reinterpret_cast<const uint8_t*>(name);
    bytes.insert(bytes.end(), text, text + lstrlenW(name) * sizeof(wchar_t));
    return bytes;
}

ComPtr<IMoniker> MonikerFromDisplayName(const uint8_t* text, size_t size)
{
    std::wstring name(size / sizeof(wchar_t), L'\0');
    std::memcpy(name.data(), text, name.size() * sizeof(wchar_t));
    ComPtr<IBindCtx> context;
    ComPtr<IMoniker> moniker;
    ULONG eaten = 0;
    if (FAILED(CreateBindCtx(0, &context)) ||
        FAILED(MkParseDisplayName(context.Get(), name.c_str(), &eaten, &moniker)))
        return nullptr;
    return moniker;
}

} // namespace

void TPersistentMemory::SetDataLength(uint32_t length)
{
    FData.assign(length, 0);
}

void TPersistentMemory::Assign(const TPersistentMemory& source)
{
    if (&source != this)
        FData = source.FData;
}

bool TPersistentMemory::Equals(const TPersistentMemory& other) const
{
    return other.DataLength() > 0 && FData == other.FData;
}

std::vector<uint8_t> TPersistentMemory::SaveData() const
{
    std::vector<uint8_t> out;
    out.reserve(4 + FData.size());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(DataLength() >> shift));
    out.insert(out.end(), FData.begin(), FData.end());
    return out;
}

void TPersistentMemory::LoadData(std::span<const uint8_t> data)
{
    if (data.size() < 4) {
        FData.clear();
        return;
    }
    // The block is as long as the stored count says; what the stream lacks stays zero.
    // The count is bounded by what a stored form can hold, so a damaged count cannot
    // ask for gigabytes.
    const uint32_t count = Get32(data.data());
    const size_t present = std::min<size_t>(count, data.size() - 4);
    constexpr uint32_t kMaxStoredBlock = 64u << 20;
    SetDataLength(std::min(count, std::max<uint32_t>(uint32_t(present), kMaxStoredBlock)));
    std::copy_n(data.begin() + 4, std::min(present, FData.size()), FData.begin());
}

void TBaseFilter::SetMoniker(IMoniker* moniker)
{
    if (!moniker) {
        FData.clear();
        return;
    }
    FData = SaveMoniker(moniker);
    // Keep the platform's bytes whenever it could save them; otherwise (Wine cannot save
    // device monikers) keep the display name, from which the moniker can be parsed again.
    if (FData.size() <= sizeof(CLSID))
        FData = DisplayNameRecord(moniker);
}

ComPtr<IMoniker> TBaseFilter::Moniker() const
{
    if (FData.empty())
        return nullptr;
    if (FData.size() >= sizeof kDisplayNameRecord &&
        std::memcmp(FData.data(), &kDisplayNameRecord, sizeof kDisplayNameRecord) == 0)
        return MonikerFromDisplayName(FData.data() + sizeof kDisplayNameRecord,
                                      FData.size() - sizeof kDisplayNameRecord);

    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return nullptr;
    ULONG written = 0;
    stream->Write(FData.data(), ULONG(FData.size()), &written);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ComPtr<IMoniker> moniker;
    if (FAILED(OleLoadFromStream(stream.Get(), IID_IMoniker, reinterpret_cast<void**>(moniker.GetAddressOf()))))
        return nullptr;
    return moniker;
}

ComPtr<IBaseFilter> TBaseFilter::CreateFilter() const
{
    ComPtr<IMoniker> moniker = Moniker();
    ComPtr<IBaseFilter> filter;
    if (moniker)
        moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter));
    return filter;
}
