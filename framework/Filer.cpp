#include "framework/Filer.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/Stream.h"
#include "framework/Text.h"

#include <cstring>

namespace {

class TBinaryReader : public TFiler {
public:
    TBinaryReader(const std::wstring& name, std::span<const std::uint8_t> stored) : FName(name), FStored(stored) {}
    void DefineBinaryProperty(const std::wstring& name, const std::function<void(TStream&)>& readData,
                              const std::function<void(TStream&)>&, bool) override
    {
        if (!SameText(name, FName) || !readData)
            return;
        std::uint32_t length = 0;
        if (FStored.size() < sizeof length)
            throw EReadError(L"Stored property " + FName + L" is damaged: no length");
        std::memcpy(&length, FStored.data(), sizeof length);
        if (length != FStored.size() - sizeof length)
            throw EReadError(L"Stored property " + FName + L" is damaged: length " + std::to_wstring(length) +
                             L" for " + std::to_wstring(FStored.size() - sizeof length) + L" bytes");
        TMemoryStream data(std::vector<std::uint8_t>(FStored.begin() + sizeof length, FStored.end()));
        readData(data);
        Found = true;
    }
    bool Found = false;

private:
    std::wstring FName;
    std::span<const std::uint8_t> FStored;
};

class TBinaryWriter : public TFiler {
public:
    explicit TBinaryWriter(const std::wstring& name) : FName(name) {}
    void DefineBinaryProperty(const std::wstring& name, const std::function<void(TStream&)>&,
                              const std::function<void(TStream&)>& writeData, bool hasData) override
    {
        if (!SameText(name, FName) || !hasData || !writeData)
            return;
        TMemoryStream data;
        writeData(data);
        auto length = static_cast<std::uint32_t>(data.Bytes().size());
        std::vector<std::uint8_t> stored(sizeof length);
        std::memcpy(stored.data(), &length, sizeof length);
        stored.insert(stored.end(), data.Bytes().begin(), data.Bytes().end());
        Result = std::move(stored);
    }
    std::optional<std::vector<std::uint8_t>> Result;

private:
    std::wstring FName;
};

} // namespace

bool ReadBinaryProperty(TComponent& component, const std::wstring& name, std::span<const std::uint8_t> stored)
{
    TBinaryReader reader(name, stored);
    component.DefineProperties(reader);
    return reader.Found;
}

std::optional<std::vector<std::uint8_t>> WriteBinaryProperty(TComponent& component, const std::wstring& name)
{
    TBinaryWriter writer(name);
    component.DefineProperties(writer);
    return writer.Result;
}
