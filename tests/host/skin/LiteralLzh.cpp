#include "LiteralLzh.h"

#include <vector>

namespace {

constexpr int N = 4096, F = 60, THRESHOLD = 2;
constexpr int N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

struct TLiteral {
    const TLiteralByteReader& Reader;
    const TLiteralByteWriter& Writer;
    std::uint16_t BitBuffer = 0;
    std::uint8_t BitCount = 0;
    std::vector<std::uint8_t> TextBuffer = std::vector<std::uint8_t>(N + F - 1, 0);
    std::vector<std::uint16_t> Freq = std::vector<std::uint16_t>(T + 1);
    std::vector<std::int16_t> Parent = std::vector<std::int16_t>(T + N_CHAR);
    std::vector<std::int16_t> Son = std::vector<std::int16_t>(T);
    std::uint8_t PositionCode[256];
    std::uint8_t PositionLength[256];

    TLiteral(const TLiteralByteReader& r, const TLiteralByteWriter& w) : Reader(r), Writer(w)
    {
        int b = 0;
        auto fill = [&](int codes, int perCode, int length, int firstCode) {
            for (int c = 0; c < codes; ++c)
                for (int k = 0; k < perCode; ++k, ++b) {
                    PositionCode[b] = static_cast<std::uint8_t>(firstCode + c);
                    PositionLength[b] = static_cast<std::uint8_t>(length);
                }
        };
        fill(1, 32, 3, 0);
        fill(3, 16, 4, 1);
        fill(8, 8, 5, 4);
        fill(12, 4, 6, 12);
        fill(24, 2, 7, 24);
        fill(16, 1, 8, 48);
    }

    void Refill()
    {
        while (BitCount <= 8) {
            std::uint8_t b = 0;
            if (Reader(&b, 1) != 1)
                b = 0;
            BitBuffer = static_cast<std::uint16_t>(BitBuffer | (b << (8 - BitCount)));
            BitCount = static_cast<std::uint8_t>(BitCount + 8);
        }
    }
    int GetBit()
    {
        Refill();
        const int bit = (BitBuffer >> 15) & 1;
        BitBuffer = static_cast<std::uint16_t>(BitBuffer << 1);
        --BitCount;
        return bit;
    }
    int GetByte()
    {
        Refill();
        const int b = BitBuffer >> 8;
        BitBuffer = static_cast<std::uint16_t>(BitBuffer << 8);
        BitCount = static_cast<std::uint8_t>(BitCount - 8);
        return b;
    }

    void StartHuff()
    {
        for (int i = 0; i < N_CHAR; ++i) {
            Freq[i] = 1;
            Son[i] = static_cast<std::int16_t>(i + T);
            Parent[i + T] = static_cast<std::int16_t>(i);
        }
        int i = 0, j = N_CHAR;
        while (j <= R) {
            Freq[j] = static_cast<std::uint16_t>(Freq[i] + Freq[i + 1]);
            Son[j] = static_cast<std::int16_t>(i);
            Parent[i] = Parent[i + 1] = static_cast<std::int16_t>(j);
            i += 2;
            j += 1;
        }
        Freq[T] = 0xFFFF;
        Parent[R] = 0;
    }

    void Reconst()
    {
        int j = 0;
        for (int i = 0; i < T; ++i)
            if (Son[i] >= T) {
                Freq[j] = static_cast<std::uint16_t>((Freq[i] + 1) / 2);
                Son[j] = Son[i];
                ++j;
            }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
            const unsigned f = Freq[i] + Freq[i + 1];
            int k = jj - 1;
            while (f < Freq[k])
                --k;
            ++k;
            for (int m = jj; m > k; --m) {
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

    void Update(int c)
    {
        if (Freq[R] == MAX_FREQ)
            Reconst();
        c = Parent[c + T];
        do {
            const unsigned k = ++Freq[c];
            if (k > Freq[c + 1]) {
                int l = c + 1;
                while (k > Freq[l + 1])
                    ++l;
                Freq[c] = Freq[l];
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

    int DecodeChar()
    {
        int c = Son[R];
        while (c < T)
            c = Son[c + GetBit()];
        c -= T;
        Update(c);
        return c;
    }

    int DecodePosition()
    {
        int b = GetByte();
        const int high = PositionCode[b] * 64;
        for (int n = PositionLength[b] - 2; n > 0; --n)
            b = b * 2 + GetBit();
        return high | (b & 63);
    }

    void Put(std::uint8_t b) { Writer(&b, 1); }

    void Decode(std::uint32_t length)
    {
        for (int i = 0; i < N - F; ++i)
            TextBuffer[i] = 0x20;
        int r = N - F;
        std::uint32_t count = 0;
        StartHuff();
        while (count < length) {
            const int c = DecodeChar();
            if (c < 256) {
                Put(static_cast<std::uint8_t>(c));
                TextBuffer[r] = static_cast<std::uint8_t>(c);
                r = (r + 1) & (N - 1);
                ++count;
            } else {
                const int i = (r - DecodePosition() - 1) & (N - 1);
                const int j = c - 255 + THRESHOLD;
                for (int k = 0; k < j; ++k) {
                    const std::uint8_t b = TextBuffer[(i + k) & (N - 1)];
                    Put(b);
                    TextBuffer[r] = b;
                    r = (r + 1) & (N - 1);
                    ++count;
                }
            }
        }
    }
};

}  // namespace

void LiteralLzhDecode(std::uint32_t length, const TLiteralByteWriter& writer, const TLiteralByteReader& reader)
{
    TLiteral(reader, writer).Decode(length);
}
