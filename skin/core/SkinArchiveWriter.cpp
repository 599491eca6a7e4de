#include "skin/core/SkinArchiveWriter.h"

#include "skin/core/Lzh.h"
#include "skin/core/LzhEncoder.h"
#include "skin/core/SkinReader.h"

#include <stdexcept>

namespace {

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> BuildSkinArchive(const std::vector<TSkinMember>& members)
{
    if (members.size() > static_cast<std::size_t>(kSkinMaxMembers))
        throw std::invalid_argument("a skin holds at most 1001 members");
    std::string nameList;
    for (const TSkinMember& m : members) {
        if (m.Name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw std::invalid_argument("member name contains a line break or zero byte: " + m.Name);
        if (m.Data.size() > 0x7FFFFFFFu)
            throw std::invalid_argument("member too large: " + m.Name);
        nameList += m.Name;
        nameList += "\r\n";
    }
    std::vector<std::uint8_t> out;
    AppendInt32(out, static_cast<std::uint32_t>(kSkinArchiveVersion));
    AppendInt32(out, static_cast<std::uint32_t>(nameList.size()));
    AppendInt32(out, 0);  // two fields no reader uses
    AppendInt32(out, 0);
    out.insert(out.end(), nameList.begin(), nameList.end());
    for (const TSkinMember& m : members)
        AppendInt32(out, static_cast<std::uint32_t>(m.Data.size()));
    for (const TSkinMember& m : members)
        out.insert(out.end(), m.Data.begin(), m.Data.end());
    return out;
}

std::vector<std::uint8_t> PackSkin(const std::vector<TSkinMember>& members)
{
    const std::vector<std::uint8_t> archive = BuildSkinArchive(members);
    if (archive.size() > kLzhMaxUnpackedLength)
        throw std::invalid_argument("the skin would unpack to " + std::to_string(archive.size()) +
                                    " bytes, more than the 64 MiB a skin may hold");
    return LzhPack(archive);
}
