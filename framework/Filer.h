// Binary stored properties of components. A component announces them in
// DefineProperties(filer) with DefineBinaryProperty(name, read, write, hasData); a stored
// value is a 4-byte little-endian length followed by that many bytes, which the read
// procedure gets as a stream (and the write procedure fills). Stored values come from a
// form's design values, usually an RCDATA resource (Resource.h):
//   ReadBinaryProperty(*SkinData1, L"SkinStream", ReadRcData(L"MAINSKIN"));
// Round trip: WriteBinaryProperty gives back exactly the bytes that were read.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class TComponent;
class TStream;

class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineBinaryProperty(const std::wstring& name, const std::function<void(TStream&)>& readData,
                                      const std::function<void(TStream&)>& writeData, bool hasData) = 0;
};

// Gives `stored` (length + bytes) to the component's binary property `name`. Answers
// false when the component has no such property; a length that does not match the data
// raises EReadError naming the property.
bool ReadBinaryProperty(TComponent& component, const std::wstring& name, std::span<const std::uint8_t> stored);
// The stored form (length + bytes) of the property; nullopt when the component has no
// such property or nothing to store.
std::optional<std::vector<std::uint8_t>> WriteBinaryProperty(TComponent& component, const std::wstring& name);
