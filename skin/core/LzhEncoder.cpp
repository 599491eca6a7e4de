#include "skin/core/LzhEncoder.h"

#include "skin/core/LzhFormat.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <stdexcept>

using namespace lzh;

namespace {

// For the upper 6 bits of a position: the prefix code that the decoder's tables map
// back to them, and its length.
struct TPositionPrefix {
    std::uint8_t Code[64];
    std::uint8_t Length[64];
};

constexpr TPositionPrefix MakePositionPrefix()
{
    TPositionPrefix p{};
    for (int b = 255; b >= 0; --b) {  // ends on the first byte of each code's run
        const int upper = PositionTables.Code[b];
        const int length = PositionTables.Length[b];
        p.Code[upper] = static_cast<std::uint8_t>(b >> (8 - length));
        p.Length[upper] = static_cast<std::uint8_t>(length);
    }
    return p;
}

constexpr TPositionPrefix PositionPrefix = MakePositionPrefix();

}  // namespace

void TLzhEncoder::PutBits(unsigned count, std::uint32_t bits)
{
    for (unsigned k = count; k > 0; --k) {
        FPending = (FPending << 1) | ((bits >> (k - 1)) & 1u);
        if (++FPendingCount == 8) {
            FBytes.push_back(static_cast<std::uint8_t>(FPending));
            FPending = 0;
            FPendingCount = 0;
        }
    }
}

void TLzhEncoder::EncodeChar(int c)
{
    // The code is the path from the root to the leaf: collect it leaf-first, emit it
    // root-first. A node is the right child (bit 1) when it sits one above its parent's Son.
    std::uint8_t path[T];
    int depth = 0;
    int k = FModel.Parent[c + T];
    while (k != R) {
        const int parent = FModel.Parent[k];
        path[depth++] = static_cast<std::uint8_t>(k - FModel.Son[parent]);
        k = parent;
    }
    while (depth > 0)
        PutBits(1, path[--depth]);
    FModel.Update(c);
}

void TLzhEncoder::PutLiteral(std::uint8_t b)
{
    EncodeChar(b);
}

void TLzhEncoder::PutMatch(unsigned distance, unsigned length)
{
    if (distance < 1 || distance > N || length <= THRESHOLD || length > F)
        throw std::invalid_argument("LZH match out of range");
    EncodeChar(static_cast<int>(length) + 255 - THRESHOLD);
    const unsigned position = distance - 1;
    PutBits(PositionPrefix.Length[position >> 6], PositionPrefix.Code[position >> 6]);
    PutBits(6, position & 63);
}

std::vector<std::uint8_t> TLzhEncoder::Finish(std::uint32_t unpackedLength)
{
    if (FPendingCount > 0)
        PutBits(8 - FPendingCount, 0);
    std::vector<std::uint8_t> stream(4 + FBytes.size());
    for (int i = 0; i < 4; ++i)
        stream[i] = static_cast<std::uint8_t>(unpackedLength >> (8 * i));
    std::copy(FBytes.begin(), FBytes.end(), stream.begin() + 4);
    FBytes.clear();
    return stream;
}

namespace {

// Hash chains over the window: for every position the previous one with the same first
// three bytes. Positions count in the data with the initial blanks in front of it.
class TMatchFinder {
public:
    explicit TMatchFinder(const std::vector<std::uint8_t>& window) : FWindow(window)
    {
        std::fill(std::begin(FHead), std::end(FHead), -1);
    }

    void Insert(std::int64_t pos)
    {
        if (pos + 3 > static_cast<std::int64_t>(FWindow.size()))
            return;
        const unsigned h = Hash(pos);
        FPrev[pos & (N - 1)] = FHead[h];
        FHead[h] = pos;
    }

    // Longest earlier match for pos (length 0 when none of at least 3 bytes).
    void Find(std::int64_t pos, unsigned& bestLength, unsigned& bestDistance) const
    {
        bestLength = 0;
        bestDistance = 0;
        const std::int64_t end = static_cast<std::int64_t>(FWindow.size());
        const unsigned limit = static_cast<unsigned>(std::min<std::int64_t>(F, end - pos));
        if (limit <= THRESHOLD)
            return;
        std::int64_t cand = FHead[Hash(pos)];
        for (int chain = 0; chain < kMaxChain && cand >= 0; ++chain) {
            if (pos - cand > N - 1)
                break;
            unsigned len = 0;
            while (len < limit && FWindow[cand + len] == FWindow[pos + len])
                ++len;
            if (len > bestLength) {
                bestLength = len;
                bestDistance = static_cast<unsigned>(pos - cand);
                if (len == limit)
                    break;
            }
            const std::int64_t next = FPrev[cand & (N - 1)];
            if (next >= cand)  // the slot was reused by a newer position
                break;
            cand = next;
        }
        if (bestLength <= THRESHOLD)
            bestLength = 0;
    }

private:
    static constexpr int kHashBits = 15;
    static constexpr int kMaxChain = 128;

    unsigned Hash(std::int64_t pos) const
    {
        const std::uint32_t v = FWindow[pos] | (FWindow[pos + 1] << 8) | (FWindow[pos + 2] << 16);
        return (v * 2654435761u) >> (32 - kHashBits);
    }

    const std::vector<std::uint8_t>& FWindow;
    std::int64_t FHead[1 << kHashBits];
    std::int64_t FPrev[N] = {};
};

}  // namespace

std::vector<std::uint8_t> LzhPack(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        throw std::length_error("LZH input too large");
    // The window starts with the decoder's blanks, so leading blanks match too.
    std::vector<std::uint8_t> window(RingStart + size, Blank);
    if (size > 0)
        std::copy(data, data + size, window.begin() + RingStart);

    auto finder = std::make_unique<TMatchFinder>(window);
    for (std::int64_t pos = 0; pos < RingStart; ++pos)
        finder->Insert(pos);

    TLzhEncoder encoder;
    const std::int64_t end = static_cast<std::int64_t>(window.size());
    std::int64_t pos = RingStart;
    while (pos < end) {
        unsigned length = 0, distance = 0;
        finder->Find(pos, length, distance);
        if (length == 0) {
            encoder.PutLiteral(window[pos]);
            finder->Insert(pos);
            ++pos;
            continue;
        }
        encoder.PutMatch(distance, length);
        for (unsigned k = 0; k < length; ++k)
            finder->Insert(pos + k);
        pos += length;
    }
    return encoder.Finish(static_cast<std::uint32_t>(size));
}
