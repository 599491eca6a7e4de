// Writing skin archives: the inverse of TSkinReader, used to pack skins at build time
// and by the skin tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TSkinMember {
    std::string Name;  // stored as given; the reader matches names without regard to case
    std::vector<std::uint8_t> Data;
};

// The unpacked archive (version 20000, names, sizes, data). Throws std::invalid_argument
// for more members than a reader indexes, a name containing a line break or zero byte, or a
// member too large for its 32-bit size.
std::vector<std::uint8_t> BuildSkinArchive(const std::vector<TSkinMember>& members);

// The archive packed as an LZH stream: the bytes of a skin file. Also throws
// std::invalid_argument when the archive is larger than a reader accepts (64 MiB).
std::vector<std::uint8_t> PackSkin(const std::vector<TSkinMember>& members);
