// TLzhEncoder: writes LZH streams that TLZH decodes - the packer of skins.
//
// PutLiteral/PutMatch code single symbols (tests use them to build exact streams);
// LzhPack finds the matches itself (LZSS over the same 4096-byte window) and codes them
// with the same adaptive Huffman tree the decoder keeps.
#pragma once

#include "skin/core/HuffmanModel.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TLzhEncoder {
public:
    // A literal byte.
    void PutLiteral(std::uint8_t b);

    // A copy of length bytes (3..60) starting distance bytes (1..4096) before the current
    // output position; the copy may overlap the bytes it produces. Before the first 4036
    // bytes of output, the window holds blanks (0x20).
    void PutMatch(unsigned distance, unsigned length);

    // The finished stream: the 4-byte unpacked length, then the bits, padded with zeros.
    std::vector<std::uint8_t> Finish(std::uint32_t unpackedLength);

private:
    void PutBits(unsigned count, std::uint32_t bits);  // the low count bits, high first
    void EncodeChar(int c);

    THuffmanModel FModel;
    std::vector<std::uint8_t> FBytes;
    std::uint32_t FPending = 0;  // bits not yet forming a byte, in the low end
    unsigned FPendingCount = 0;
};

// Packs data into a complete LZH stream.
std::vector<std::uint8_t> LzhPack(const std::uint8_t* data, std::size_t size);

inline std::vector<std::uint8_t> LzhPack(const std::vector<std::uint8_t>& data)
{
    return LzhPack(data.data(), data.size());
}
