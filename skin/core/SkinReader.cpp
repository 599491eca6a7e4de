#include "skin/core/SkinReader.h"

#include "skin/core/AsciiText.h"
#include "skin/core/Lzh.h"

#include <cstring>
#include <string_view>

namespace {

std::int32_t ReadInt32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                     (static_cast<std::uint32_t>(p[2]) << 16) |
                                     (static_cast<std::uint32_t>(p[3]) << 24));
}

}  // namespace

void TSkinReader::Clear()
{
    FNames.clear();
    FMemberSizes.fill(0);
    FMemberOffsets.clear();
    FMemberData.clear();
    std::memset(FHeader, 0, sizeof FHeader);
}

bool TSkinReader::Load(const std::uint8_t* packed, std::size_t size)
{
    Clear();
    std::vector<std::uint8_t> unpacked;
    if (!LzhUnpack(packed, size, unpacked))
        return false;
    if (!Index(unpacked)) {
        Clear();
        return false;
    }
    return true;
}

bool TSkinReader::Index(const std::vector<std::uint8_t>& unpacked)
{
    const std::size_t total = unpacked.size();
    if (total < sizeof FHeader)
        return false;
    std::memcpy(FHeader, unpacked.data(), sizeof FHeader);
    if (ReadInt32(FHeader) != kSkinArchiveVersion) {
        if (OnMessage)
            OnMessage(kOlderSkinMessage);
        return false;
    }

    // Every size and offset is checked against what was unpacked before it is used.
    const std::int32_t nameListLength = ReadInt32(FHeader + 4);
    if (nameListLength < 0 || static_cast<std::size_t>(nameListLength) > total - sizeof FHeader)
        return false;
    const std::string_view nameList(reinterpret_cast<const char*>(unpacked.data()) + sizeof FHeader,
                                    static_cast<std::size_t>(nameListLength));
    bool tooMany = false;
    ForEachTextLine(nameList, [&](std::string_view line) {
        if (FNames.size() == kSkinMaxMembers)
            tooMany = true;
        else
            FNames.push_back(AsciiLowerCase(line));
    });
    if (tooMany)
        return false;

    const std::size_t sizesAt = sizeof FHeader + static_cast<std::size_t>(nameListLength);
    const std::size_t dataAt = sizesAt + 4 * FNames.size();
    if (dataAt > total)
        return false;
    const std::size_t dataLength = total - dataAt;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < FNames.size(); ++i) {
        const std::int32_t memberSize = ReadInt32(unpacked.data() + sizesAt + 4 * i);
        if (memberSize < 0 || static_cast<std::size_t>(memberSize) > dataLength - offset)
            return false;
        FMemberSizes[i] = memberSize;
        FMemberOffsets.push_back(offset);
        offset += static_cast<std::size_t>(memberSize);
    }
    FMemberData.assign(unpacked.begin() + static_cast<std::ptrdiff_t>(dataAt), unpacked.end());
    return true;
}

void TSkinReader::CopyMember(std::size_t index, std::vector<std::uint8_t>& target) const
{
    const auto first = FMemberData.begin() + static_cast<std::ptrdiff_t>(FMemberOffsets[index]);
    target.assign(first, first + FMemberSizes[index]);
}

bool TSkinReader::ExtractMember(const std::string& name, std::vector<std::uint8_t>& target) const
{
    target.clear();
    const std::string wanted = AsciiLowerCase(name);
    for (std::size_t i = 0; i < FNames.size(); ++i) {
        if (FNames[i] == wanted) {
            CopyMember(i, target);
            return true;
        }
    }
    return false;
}

bool TSkinReader::FindMember(const std::string& fragment, std::vector<std::uint8_t>& target,
                             std::string& foundName) const
{
    target.clear();
    for (std::size_t i = 0; i < FNames.size(); ++i) {
        if (FNames[i].find(fragment) != std::string::npos) {
            CopyMember(i, target);
            foundName = FNames[i];
            return true;
        }
    }
    return false;
}
