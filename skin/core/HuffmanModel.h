// The adaptive Huffman tree shared by the LZH decoder and encoder. Both sides must make
// exactly the same updates in the same order, so the tree lives in one place.
#pragma once

#include "skin/core/LzhFormat.h"

#include <cstdint>

class THuffmanModel {
public:
    THuffmanModel() { Start(); }

    // Resets to the starting tree: every symbol has frequency 1.
    void Start();

    // Counts one more occurrence of symbol c (rebuilding first when the root is full).
    void Update(int c);

    int RootSon() const { return Son[lzh::R]; }

    // Node arrays (see the LZH format): Son[] >= T marks a leaf holding symbol Son - T;
    // Parent[T + c] is the node holding leaf c.
    std::uint16_t Freq[lzh::T + 1];
    std::int16_t Parent[lzh::T + lzh::N_CHAR];
    std::int16_t Son[lzh::T];

private:
    void Rebuild();
    // The last position at or after from whose count is below k.
    int LastBelow(int from, unsigned k) const;
    // The last position of the block of count f that node c (count f, followed by at
    // least two more of that count) belongs to.
    int BlockEnd(int c, unsigned f);

    // Where the last long search for each count ended: while counts are young, blocks of
    // equal counts are hundreds of nodes long, and the next increment in the same block
    // usually ends one place before. A hint is checked before it is used, so one that has
    // gone stale only costs the search.
    std::int16_t EndHint[lzh::MAX_FREQ + 1] = {};
};
