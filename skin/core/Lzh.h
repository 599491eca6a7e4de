// TLZH: the decoder of the LZH streams that carry packed skins.
//
// An LZH stream is a 4-byte little-endian unpacked length followed by an LZHUF bit
// stream (most significant bit first). Decoding reads its input and writes its output in
// large chunks through byte-stream callbacks, so the per-bit work stays in one tight loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Reader: fills buffer with up to count bytes and returns how many it delivered (0 at the
// end of the input). Writer: takes count bytes and returns how many it took.
using TLzhReader = std::function<std::int32_t(std::uint8_t* buffer, std::int32_t count)>;
using TLzhWriter = std::function<std::int32_t(const std::uint8_t* buffer, std::int32_t count)>;

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest unpacked length a skin may declare (64 MiB). A skin holds a few dozen small
// bitmaps (ours unpacks to well under 1 MiB); anything larger is a damaged length field, and
// decoding it would only turn padding into garbage for a long time.
constexpr std::uint32_t kLzhMaxUnpackedLength = 64u * 1024u * 1024u;

// The most output one input byte can yield: every symbol costs at least one bit, and a
// match of at most 60 bytes costs at least 10 bits (1 for its length, 9 for its position).
constexpr std::uint32_t kLzhMaxBytesPerInputByte = 48;

class TLZH {
public:
    // Decodes until length bytes have been produced. Past the end of the input the bit
    // stream reads as zeros. A match that crosses length is written whole, so the writer
    // may receive up to 59 bytes more than length. Raises ElzhException when length is
    // above kLzhMaxUnpackedLength.
    void Decode(std::uint32_t length, const TLzhWriter& writer, const TLzhReader& reader);
};

// Unpacks a whole LZH stream held in memory into unpacked (exactly the declared length).
// Returns false, leaving unpacked empty, when the header is missing or the declared
// length is more than the limit or more than the stream's bits could ever produce.
bool LzhUnpack(const std::uint8_t* packed, std::size_t size, std::vector<std::uint8_t>& unpacked);

// The declared unpacked length of an LZH stream (0 when it is shorter than its header).
std::uint32_t LzhDeclaredLength(const std::uint8_t* packed, std::size_t size);
