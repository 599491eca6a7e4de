// The LZH decoder against hand-built streams, the literal oracle decoder, and our encoder.
#include "LiteralLzh.h"
#include "skin/core/Lzh.h"
#include "skin/core/LzhEncoder.h"
#include "SkinTestData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

// Decodes with TLZH through callbacks that count how they were used.
struct TDecodeRun {
    TBytes Output;
    std::size_t BytesRead = 0;
};

TDecodeRun DecodeFast(const TBytes& stream, std::int32_t readerChunk = 1 << 30)
{
    TDecodeRun run;
    std::size_t pos = 4;
    const TLzhReader reader = [&](std::uint8_t* buffer, std::int32_t count) {
        const std::size_t n = std::min<std::size_t>({static_cast<std::size_t>(count),
                                                     static_cast<std::size_t>(readerChunk), stream.size() - pos});
        std::memcpy(buffer, stream.data() + pos, n);
        pos += n;
        run.BytesRead += n;
        return static_cast<std::int32_t>(n);
    };
    const TLzhWriter writer = [&](const std::uint8_t* buffer, std::int32_t count) {
        run.Output.insert(run.Output.end(), buffer, buffer + count);
        return count;
    };
    TLZH().Decode(LzhDeclaredLength(stream.data(), stream.size()), writer, reader);
    return run;
}

TBytes DecodeLiteral(const TBytes& stream)
{
    TBytes out;
    std::size_t pos = 4;
    LiteralLzhDecode(
        LzhDeclaredLength(stream.data(), stream.size()),
        [&](const std::uint8_t* buffer, int count) {
            out.insert(out.end(), buffer, buffer + count);
            return count;
        },
        [&](std::uint8_t* buffer, int count) {
            const int n = pos < stream.size() ? std::min(count, static_cast<int>(stream.size() - pos)) : 0;
            std::memcpy(buffer, stream.data() + pos, static_cast<std::size_t>(n));
            pos += static_cast<std::size_t>(n);
            return n;
        });
    return out;
}

TBytes Repeat(std::uint8_t b, std::size_t n)
{
    return TBytes(n, b);
}

}  // namespace

TEST(Lzh, LengthZeroProducesNothingAndReadsNothingAfterTheHeader)
{
    const TBytes stream = {0, 0, 0, 0, 0xFF, 0x12, 0x34};
    const TDecodeRun run = DecodeFast(stream);
    EXPECT_TRUE(run.Output.empty());
    EXPECT_EQ(run.BytesRead, 0u);
}

TEST(Lzh, HandBuiltSymbolStreams)
{
    struct TCase {
        const char* Name;
        void (*Build)(TLzhEncoder&);
        TBytes Expected;
    };
    const TCase cases[] = {
        // The last byte repeated by a match that reads what it writes.
        {"overlap distance 1 length 60", [](TLzhEncoder& e) { e.PutLiteral('Q'); e.PutMatch(1, 60); },
         Repeat('Q', 61)},
        // Before any output the window holds blanks, and a match may point into them.
        {"match into the initial blanks", [](TLzhEncoder& e) { e.PutMatch(100, 7); }, Repeat(' ', 7)},
        {"literal then a match reaching past it into the blanks",
         [](TLzhEncoder& e) { e.PutLiteral('a'); e.PutMatch(3, 4); },
         TBytes{'a', ' ', ' ', 'a', ' '}},
        {"longest distance back into the blanks", [](TLzhEncoder& e) { e.PutLiteral('z'); e.PutMatch(4037, 3); },
         TBytes{'z', ' ', ' ', ' '}},
    };
    for (const TCase& c : cases) {
        TLzhEncoder encoder;
        c.Build(encoder);
        const TBytes stream = encoder.Finish(static_cast<std::uint32_t>(c.Expected.size()));
        EXPECT_EQ(DecodeFast(stream).Output, c.Expected) << c.Name;
        EXPECT_EQ(DecodeLiteral(stream), c.Expected) << c.Name;
    }
}

TEST(Lzh, OneLiteralRepeatedPastTreeRebuilds)
{
    // 100 000 equal literals push the root frequency to 0x8000 three times over.
    TLzhEncoder encoder;
    for (int i = 0; i < 100000; ++i)
        encoder.PutLiteral('x');
    const TBytes stream = encoder.Finish(100000);
    EXPECT_EQ(DecodeFast(stream).Output, Repeat('x', 100000));
    EXPECT_EQ(DecodeLiteral(stream), Repeat('x', 100000));
}

TEST(Lzh, LastMatchMayRunPastTheLengthButUnpackCutsIt)
{
    TLzhEncoder encoder;
    encoder.PutLiteral('k');
    encoder.PutMatch(1, 60);
    const TBytes stream = encoder.Finish(10);  // declares fewer bytes than the match gives
    EXPECT_EQ(DecodeFast(stream).Output.size(), 61u);
    TBytes unpacked;
    ASSERT_TRUE(LzhUnpack(stream.data(), stream.size(), unpacked));
    EXPECT_EQ(unpacked, Repeat('k', 10));
}

TEST(Lzh, AgreesWithTheLiteralDecoderOnArbitraryBits)
{
    // Random bit streams (including ones far shorter than their length, which then read
    // zeros) decode to the same bytes as the one-bit-at-a-time decoder.
    std::mt19937 rng(20000);
    for (int round = 0; round < 40; ++round) {
        const std::size_t bits = rng() % 3000;
        const std::uint32_t length = rng() % 20000;
        TBytes stream(4 + bits);
        for (int i = 0; i < 4; ++i)
            stream[i] = static_cast<std::uint8_t>(length >> (8 * i));
        for (std::size_t i = 4; i < stream.size(); ++i)
            stream[i] = static_cast<std::uint8_t>(rng());
        const TBytes expected = DecodeLiteral(stream);
        ASSERT_EQ(DecodeFast(stream).Output, expected) << "round " << round;
        ASSERT_EQ(DecodeFast(stream, 1).Output, expected) << "round " << round << ", one byte per read";
    }
}

TEST(Lzh, EncoderRoundTrips)
{
    struct TCase {
        const char* Name;
        TBytes Data;
    };
    const TCase cases[] = {
        {"empty", {}},
        {"one byte", {0x42}},
        {"text", SkinTestData::Text(20000)},
        {"random", SkinTestData::Random(50000, 1)},
        {"bitmap", SkinTestData::Bitmap(120, 90)},
        {"blanks", Repeat(' ', 9000)},
        {"mixed, more than 1 MB", SkinTestData::Mixed(1300 * 1024)},
    };
    for (const TCase& c : cases) {
        const TBytes stream = LzhPack(c.Data);
        TBytes unpacked;
        ASSERT_TRUE(LzhUnpack(stream.data(), stream.size(), unpacked)) << c.Name;
        EXPECT_EQ(unpacked, c.Data) << c.Name;
        // The literal decoder keeps its own tree: encoder and decoder share ours, so a
        // fault in it would not show in the round trip alone.
        EXPECT_EQ(DecodeLiteral(stream), c.Data) << c.Name << ", literal decoder";
    }
    // Compressible data really shrinks.
    EXPECT_LT(LzhPack(SkinTestData::Text(20000)).size(), 20000u / 3);
}

TEST(Lzh, UnpackRejectsLengthsTheStreamCannotProduce)
{
    auto withLength = [](std::uint32_t length, std::size_t payload) {
        TBytes s(4 + payload, 0xA5);
        for (int i = 0; i < 4; ++i)
            s[i] = static_cast<std::uint8_t>(length >> (8 * i));
        return s;
    };
    struct TCase {
        const char* Name;
        TBytes Stream;
        bool Accepted;
    };
    const TCase cases[] = {
        {"no header", {1, 0, 0}, false},
        {"4 GiB declared", withLength(0xFFFFFFFFu, 100000), false},
        {"above the 64 MiB limit", withLength(kLzhMaxUnpackedLength + 1, 2000000), false},
        {"more than 48 bytes per input byte", withLength(48 * 10 + 61, 10), false},
        {"just what 10 bytes could produce", withLength(48 * 10 + 60, 10), true},
    };
    for (const TCase& c : cases) {
        TBytes unpacked;
        EXPECT_EQ(LzhUnpack(c.Stream.data(), c.Stream.size(), unpacked), c.Accepted) << c.Name;
        if (!c.Accepted) {
            EXPECT_TRUE(unpacked.empty()) << c.Name;
        }
    }
    EXPECT_THROW(TLZH().Decode(kLzhMaxUnpackedLength + 1, {}, {}), ElzhException);
}
