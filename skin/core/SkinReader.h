// TSkinReader: the index of a packed skin archive. Load unpacks the LZH stream once and
// checks its header; lookups then hand out member bytes by name.
//
// Unpacked layout (little-endian): version (20000), name-list length L, two unused
// 32-bit values, L bytes of member names one per line, one 32-bit size per name, then the
// members' bytes back to back in name order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr std::int32_t kSkinArchiveVersion = 20000;
constexpr int kSkinMaxMembers = 1001;

// Told to the user when a skin archive has another version. The reader shows no UI: the
// skin component sets OnMessage and shows the text itself.
inline constexpr char kOlderSkinMessage[] = "This is Older Skin File\rPlease update to new version !";

class TSkinReader {
public:
    // Unpacks and indexes an archive. False for a wrong version (after calling OnMessage
    // with kOlderSkinMessage), and for any archive whose names, sizes or data do not fit
    // the unpacked bytes; the reader is then empty.
    bool Load(const std::uint8_t* packed, std::size_t size);
    bool Load(const std::vector<std::uint8_t>& packed) { return Load(packed.data(), packed.size()); }

    // The bytes of the first member whose name equals name without regard to case.
    // Target is emptied first and stays empty when no member has that name.
    bool ExtractMember(const std::string& name, std::vector<std::uint8_t>& target) const;

    // The first member whose (lower-case) name contains fragment; the fragment is taken
    // as given, so it must be lower case. foundName keeps its value when nothing matches.
    bool FindMember(const std::string& fragment, std::vector<std::uint8_t>& target,
                    std::string& foundName) const;

    // The bytes of member index (in archive order), whatever its name.
    void CopyMember(std::size_t index, std::vector<std::uint8_t>& target) const;

    const std::vector<std::string>& Names() const { return FNames; }
    int MemberCount() const { return static_cast<int>(FNames.size()); }
    std::int32_t MemberSize(int index) const { return FMemberSizes[index]; }

    std::function<void(const std::string& message)> OnMessage;

private:
    void Clear();
    bool Index(const std::vector<std::uint8_t>& unpacked);

    std::vector<std::string> FNames;
    std::array<std::int32_t, kSkinMaxMembers> FMemberSizes{};
    std::vector<std::size_t> FMemberOffsets;  // start of each member in FMemberData
    std::vector<std::uint8_t> FMemberData;
    std::uint8_t FHeader[16] = {};
};
