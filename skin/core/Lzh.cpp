#include "skin/core/Lzh.h"

#include "skin/core/HuffmanModel.h"
#include "skin/core/LzhFormat.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

using namespace lzh;

namespace {

constexpr std::int32_t kChunk = 64 * 1024;

// Bits of the input, most significant first, fetched from the reader a chunk at a time.
// Once the reader has nothing more, the stream continues with zero bits.
class TBitInput {
public:
    explicit TBitInput(const TLzhReader& reader) : FReader(reader) {}

    // At least 32 bits ready for Peek (past the end of the input, zeros).
    void Ensure32()
    {
        if (FCount < 32)
            Refill();
    }
    // The ready bits, the next one in the top bit.
    std::uint64_t Peek() const { return FBits; }
    void Skip(int count)
    {
        FBits <<= count;
        FCount -= count;
    }

private:
    // Rare (once per 25 bits or more): kept out of line so the tree walk stays small.
    [[gnu::noinline]] void Refill()
    {
        while (FCount <= 56) {
            if (FNext == FEnd && !FillBuffer())
                FCount = 64;  // only zero bits follow
            else {
                FBits |= static_cast<std::uint64_t>(*FNext++) << (56 - FCount);
                FCount += 8;
            }
        }
    }

    bool FillBuffer()
    {
        if (FExhausted)
            return false;
        const std::int32_t got = FReader(FBuffer, kChunk);
        if (got <= 0) {
            FExhausted = true;
            return false;
        }
        FNext = FBuffer;
        FEnd = FBuffer + std::min(got, kChunk);
        return true;
    }

    const TLzhReader& FReader;
    std::uint64_t FBits = 0;
    int FCount = 0;
    const std::uint8_t* FNext = nullptr;
    const std::uint8_t* FEnd = nullptr;
    bool FExhausted = false;
    std::uint8_t FBuffer[kChunk];
};

// Decoded bytes, handed to the writer a chunk at a time.
class TByteOutput {
public:
    explicit TByteOutput(const TLzhWriter& writer) : FWriter(writer) {}

    void Put(std::uint8_t b)
    {
        FBuffer[FUsed++] = b;
        if (FUsed == kChunk)
            Flush();
    }

    // Room for count more bytes (at most a match) written straight into the buffer;
    // Commit hands them over.
    std::uint8_t* Claim(std::int32_t count)
    {
        if (FUsed + count > kChunk)
            Flush();
        return FBuffer + FUsed;
    }

    void Commit(std::int32_t count)
    {
        FUsed += count;
        if (FUsed == kChunk)
            Flush();
    }

    void Flush()
    {
        if (FUsed > 0)
            FWriter(FBuffer, FUsed);
        FUsed = 0;
    }

private:
    const TLzhWriter& FWriter;
    std::int32_t FUsed = 0;
    std::uint8_t FBuffer[kChunk];
};

struct TDecoderState {
    THuffmanModel Model;
    std::uint8_t TextBuffer[N + F - 1];
};

// Walks the tree from the root, one bit per level, taking the bits from a register and
// consuming them afterwards. A path is seldom longer than 20 levels (counts are capped at
// 0x8000); a longer one simply takes 32 more bits.
int DecodeChar(THuffmanModel& model, TBitInput& in)
{
    in.Ensure32();
    std::uint64_t bits = in.Peek();
    int used = 0;
    int c = model.RootSon();
    while (c < T) {
        c = model.Son[c + static_cast<int>(bits >> 63)];
        bits <<= 1;
        if (++used == 32) {
            in.Skip(32);
            in.Ensure32();
            bits = in.Peek();
            used = 0;
        }
    }
    in.Skip(used);
    c -= T;
    model.Update(c);
    return c;
}

// The position's first byte picks the code of its upper 6 bits and how many more bits
// follow; the low 6 bits are the last 6 of the 8 + (length - 2) bits read.
unsigned DecodePosition(TBitInput& in)
{
    in.Ensure32();
    const std::uint64_t bits = in.Peek();
    const unsigned first = static_cast<unsigned>(bits >> 56);
    const int total = PositionTables.Length[first] + 6;
    const unsigned low = static_cast<unsigned>(bits >> (64 - total)) & 63;
    in.Skip(total);
    return (static_cast<unsigned>(PositionTables.Code[first]) << 6) | low;
}

// A match of length bytes starting distance bytes back in the ring, at ring position i,
// into target: the same bytes as copying one byte at a time through the ring. What lies
// before the match's own output is taken from the ring (wrapping at its end); when the
// match overlaps its output (distance < length) the rest repeats the last distance bytes,
// copied in doubling runs.
void CopyMatch(std::uint8_t* target, const std::uint8_t* text, unsigned i, unsigned distance, int length)
{
    const int first = std::min(static_cast<int>(distance), length);
    const int head = std::min(first, static_cast<int>(N - i));
    std::memcpy(target, text + i, static_cast<std::size_t>(head));
    std::memcpy(target + head, text, static_cast<std::size_t>(first - head));
    for (int copied = first; copied < length;) {
        const int n = std::min(copied, length - copied);  // copied is a multiple of distance
        std::memcpy(target + copied, target, static_cast<std::size_t>(n));
        copied += n;
    }
}

}  // namespace

void TLZH::Decode(std::uint32_t length, const TLzhWriter& writer, const TLzhReader& reader)
{
    if (length > kLzhMaxUnpackedLength)
        throw ElzhException("LZH : Unpacked length exceeds the limit for skins");
    if (length == 0)
        return;

    std::unique_ptr<TDecoderState> state(new (std::nothrow) TDecoderState);
    auto in = std::unique_ptr<TBitInput>(new (std::nothrow) TBitInput(reader));
    auto out = std::unique_ptr<TByteOutput>(new (std::nothrow) TByteOutput(writer));
    if (!state || !in || !out)
        throw ElzhException("LZH : Cannot get memory for dictionary tables");

    std::uint8_t* text = state->TextBuffer;
    std::memset(text, Blank, RingStart);
    std::memset(text + RingStart, 0, sizeof(state->TextBuffer) - RingStart);
    THuffmanModel& model = state->Model;

    unsigned r = RingStart;
    std::uint32_t count = 0;
    while (count < length) {
        const int c = DecodeChar(model, *in);
        if (c < 256) {
            out->Put(static_cast<std::uint8_t>(c));
            text[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & (N - 1);
            ++count;
        } else {
            const unsigned distance = DecodePosition(*in) + 1;  // 1..4096 bytes back
            const unsigned i = (r - distance) & (N - 1);
            const int matchLength = c - 255 + THRESHOLD;
            std::uint8_t* target = out->Claim(matchLength);
            if (distance >= static_cast<unsigned>(matchLength) && i + matchLength <= N && r + matchLength <= N) {
                // The usual case: the source lies wholly before the bytes being written and
                // neither range wraps.
                std::memcpy(target, text + i, static_cast<std::size_t>(matchLength));
                std::memcpy(text + r, target, static_cast<std::size_t>(matchLength));
            } else {
                CopyMatch(target, text, i, distance, matchLength);
                // Into the ring only once the match is whole: a distance of 4096 reads the
                // very bytes it replaces.
                const int tail = std::min(matchLength, static_cast<int>(N - r));
                std::memcpy(text + r, target, static_cast<std::size_t>(tail));
                std::memcpy(text, target + tail, static_cast<std::size_t>(matchLength - tail));
            }
            r = (r + static_cast<unsigned>(matchLength)) & (N - 1);
            out->Commit(matchLength);
            count += static_cast<std::uint32_t>(matchLength);
        }
    }
    out->Flush();
}

std::uint32_t LzhDeclaredLength(const std::uint8_t* packed, std::size_t size)
{
    if (size < 4)
        return 0;
    return static_cast<std::uint32_t>(packed[0]) | (static_cast<std::uint32_t>(packed[1]) << 8) |
           (static_cast<std::uint32_t>(packed[2]) << 16) | (static_cast<std::uint32_t>(packed[3]) << 24);
}

bool LzhUnpack(const std::uint8_t* packed, std::size_t size, std::vector<std::uint8_t>& unpacked)
{
    unpacked.clear();
    if (size < 4)
        return false;
    const std::uint32_t length = LzhDeclaredLength(packed, size);
    const std::uint64_t producible = static_cast<std::uint64_t>(size - 4) * kLzhMaxBytesPerInputByte + F;
    if (length > kLzhMaxUnpackedLength || length > producible)
        return false;

    unpacked.reserve(length + F);
    std::size_t readPos = 4;
    const TLzhReader reader = [&](std::uint8_t* buffer, std::int32_t count) {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), size - readPos);
        std::memcpy(buffer, packed + readPos, n);
        readPos += n;
        return static_cast<std::int32_t>(n);
    };
    const TLzhWriter writer = [&](const std::uint8_t* buffer, std::int32_t count) {
        unpacked.insert(unpacked.end(), buffer, buffer + count);
        return count;
    };
    TLZH().Decode(length, writer, reader);
    unpacked.resize(length);  // a last match may run past the declared end
    return true;
}
