#include "skin/core/HuffmanModel.h"

using namespace lzh;

void THuffmanModel::Start()
{
    for (int i = 0; i < N_CHAR; ++i) {
        Freq[i] = 1;
        Son[i] = static_cast<std::int16_t>(i + T);
        Parent[i + T] = static_cast<std::int16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        Freq[j] = static_cast<std::uint16_t>(Freq[i] + Freq[i + 1]);
        Son[j] = static_cast<std::int16_t>(i);
        Parent[i] = Parent[i + 1] = static_cast<std::int16_t>(j);
    }
    Freq[T] = 0xFFFF;
    Parent[R] = 0;
}

void THuffmanModel::Rebuild()
{
    // Keep only the leaves, with halved counts, at the bottom of the arrays.
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (Son[i] >= T) {
            Freq[j] = static_cast<std::uint16_t>((Freq[i] + 1) / 2);
            Son[j] = Son[i];
            ++j;
        }
    }
    // Pair them up again, keeping the frequencies sorted.
    for (int i = 0, j2 = N_CHAR; j2 < T; i += 2, ++j2) {
        const unsigned f = static_cast<unsigned>(Freq[i]) + Freq[i + 1];
        int k = j2 - 1;
        while (f < Freq[k])
            --k;
        ++k;
        for (int m = j2; m > k; --m) {
            Freq[m] = Freq[m - 1];
            Son[m] = Son[m - 1];
        }
        Freq[k] = static_cast<std::uint16_t>(f);
        Son[k] = static_cast<std::int16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = Son[i];
        if (k >= T)
            Parent[k] = static_cast<std::int16_t>(i);
        else
            Parent[k] = Parent[k + 1] = static_cast<std::int16_t>(i);
    }
}

int THuffmanModel::LastBelow(int from, unsigned k) const
{
    // Freq is sorted and Freq[T] (0xFFFF) stops every search. Runs of equal counts can be
    // hundreds of nodes long (all literals of random data count alike), so the search
    // gallops instead of stepping: lo is below k, hi is not.
    int lo = from;
    if (Freq[lo + 1] >= k)
        return lo;
    ++lo;
    int step = 1;
    int hi = lo + step;
    while (hi < T && Freq[hi] < k) {
        lo = hi;
        step *= 2;
        hi = lo + step;
    }
    if (hi > T)
        hi = T;
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (Freq[mid] < k)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

int THuffmanModel::BlockEnd(int c, unsigned f)
{
    const int hint = EndHint[f];
    int l;
    if (hint > c && Freq[hint] == f && Freq[hint + 1] != f)
        l = hint;  // Freq is sorted: every count between c and hint is f too
    else
        l = LastBelow(c + 2, f + 1);
    EndHint[f] = static_cast<std::int16_t>(l - 1);  // where this block ends after the swap
    return l;
}

void THuffmanModel::Update(int c)
{
    if (Freq[R] == MAX_FREQ)
        Rebuild();
    c = Parent[c + T];
    do {
        const unsigned f = Freq[c];
        const unsigned k = f + 1;
        Freq[c] = static_cast<std::uint16_t>(k);
        if (k > Freq[c + 1]) {
            // Move the node past every node of its old count, keeping Freq sorted: l is
            // the last of them. Most blocks are short; long ones are found by the hint.
            const int l = Freq[c + 2] != f ? c + 1 : BlockEnd(c, f);
            Freq[c] = static_cast<std::uint16_t>(f);
            Freq[l] = static_cast<std::uint16_t>(k);

            const int i = Son[c];
            Parent[i] = static_cast<std::int16_t>(l);
            if (i < T)
                Parent[i + 1] = static_cast<std::int16_t>(l);
            const int j = Son[l];
            Son[l] = static_cast<std::int16_t>(i);
            Parent[j] = static_cast<std::int16_t>(c);
            if (j < T)
                Parent[j + 1] = static_cast<std::int16_t>(c);
            Son[c] = static_cast<std::int16_t>(j);
            c = l;
        }
        c = Parent[c];
    } while (c != 0);
}
