// Fixed parameters of the LZH stream that carries a packed skin: LZSS over a 4096-byte
// ring buffer plus adaptive Huffman coding of literals and match lengths (LZHUF).
#pragma once

#include <cstdint>

namespace lzh {

constexpr int N = 4096;                  // ring buffer size; positions wrap with N - 1
constexpr int F = 60;                    // longest match
constexpr int THRESHOLD = 2;             // matches this short or shorter are not coded
constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 symbols: 256 literals + lengths 3..60
constexpr int T = 2 * N_CHAR - 1;        // 627 tree nodes
constexpr int R = T - 1;                 // root position
constexpr unsigned MAX_FREQ = 0x8000;    // root frequency that triggers a rebuild
constexpr int RingStart = N - F;         // first write position; 0..RingStart-1 are blanks
constexpr std::uint8_t Blank = 0x20;

// Upper 6 bits of a match position, and the total bit count of its code, by the first
// byte read for it.
struct TPositionTables {
    std::uint8_t Code[256];
    std::uint8_t Length[256];
};

constexpr TPositionTables MakePositionTables()
{
    // Runs of byte values sharing one code length: (first byte, values per code, length).
    struct TRun { int First, Last, PerCode, Length; };
    constexpr TRun runs[] = {
        {0, 31, 32, 3}, {32, 79, 16, 4}, {80, 143, 8, 5},
        {144, 191, 4, 6}, {192, 239, 2, 7}, {240, 255, 1, 8},
    };
    TPositionTables t{};
    int code = 0;
    for (const TRun& run : runs) {
        for (int b = run.First; b <= run.Last; b += run.PerCode, ++code) {
            for (int k = 0; k < run.PerCode; ++k) {
                t.Code[b + k] = static_cast<std::uint8_t>(code);
                t.Length[b + k] = static_cast<std::uint8_t>(run.Length);
            }
        }
    }
    return t;
}

inline constexpr TPositionTables PositionTables = MakePositionTables();

}  // namespace lzh
