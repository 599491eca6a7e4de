// LZH decode throughput: our decoder against the literal one-bit-at-a-time decoder (one
// callback per byte read and per byte written), on the same inputs in one run, printed as
// a ratio. Also times loading the stored skin's archive index and parsing its records.
//
//   kivora-lzh-bench <kivora.skn> [--quick]
#include "LiteralLzh.h"
#include "skin/core/Lzh.h"
#include "skin/core/LzhEncoder.h"
#include "skin/core/SkinPictureInfo.h"
#include "skin/core/SkinReader.h"
#include "SkinTestData.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

// A memory stream like the one the skin loader reads from: position and bounds.
struct TMemoryStream {
    const TBytes& Data;
    std::size_t Position = 4;

    std::int32_t Read(std::uint8_t* buffer, std::int32_t count)
    {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), Data.size() - Position);
        std::memcpy(buffer, Data.data() + Position, n);
        Position += n;
        return static_cast<std::int32_t>(n);
    }
};

TBytes DecodeOurs(const TBytes& stream)
{
    TBytes out;
    out.reserve(LzhDeclaredLength(stream.data(), stream.size()) + 64);
    TMemoryStream in{stream};
    TLZH().Decode(
        LzhDeclaredLength(stream.data(), stream.size()),
        [&](const std::uint8_t* buffer, std::int32_t count) {
            out.insert(out.end(), buffer, buffer + count);
            return count;
        },
        [&](std::uint8_t* buffer, std::int32_t count) { return in.Read(buffer, count); });
    return out;
}

TBytes DecodeLiteral(const TBytes& stream)
{
    TBytes out;
    out.reserve(LzhDeclaredLength(stream.data(), stream.size()) + 64);
    TMemoryStream in{stream};
    LiteralLzhDecode(
        LzhDeclaredLength(stream.data(), stream.size()),
        [&](const std::uint8_t* buffer, int count) {
            out.insert(out.end(), buffer, buffer + count);
            return count;
        },
        [&](std::uint8_t* buffer, int count) { return in.Read(buffer, count); });
    return out;
}

// CPU time of this thread: the cores are shared, and time spent preempted is not the
// decoder's.
double Now()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Seconds(double start)
{
    return Now() - start;
}

// The two decoders run alternately and each keeps its best time, so a change in the
// machine's load during the run affects both alike.
bool Compare(const char* name, const TBytes& stream, int runs)
{
    const TBytes ours = DecodeOurs(stream), literal = DecodeLiteral(stream);
    if (ours != literal) {
        std::printf("%s: the decoders disagree\n", name);
        return false;
    }
    double tOurs = 1e30, tLiteral = 1e30;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        DecodeOurs(stream);
        tOurs = std::min(tOurs, Seconds(start));
        start = Now();
        DecodeLiteral(stream);
        tLiteral = std::min(tLiteral, Seconds(start));
    }
    const double mb = static_cast<double>(LzhDeclaredLength(stream.data(), stream.size())) / (1024.0 * 1024.0);
    std::printf("%-28s %8.2f MB  ours %8.1f MB/s  literal %8.1f MB/s  ratio %.2fx\n", name, mb, mb / tOurs,
                mb / tLiteral, tLiteral / tOurs);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: kivora-lzh-bench <kivora.skn> [--quick]\n");
        return 2;
    }
    const bool quick = argc > 2 && std::string(argv[2]) == "--quick";
    std::ifstream f(argv[1], std::ios::binary);
    const TBytes skin{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    if (skin.size() < 4) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const TBytes mixed = LzhPack(SkinTestData::Mixed(quick ? 256 * 1024 : 10 * 1024 * 1024));
    const int runs = quick ? 1 : 5;

    bool ok = Compare("stored skin", skin, runs * 8);
    ok = Compare(quick ? "mixed buffer (quick)" : "10 MB mixed buffer", mixed, runs) && ok;
    if (!quick) {
        // The parts of the mixed buffer on their own: adaptive Huffman work per symbol is
        // the same in both decoders, so incompressible data narrows the gap.
        std::printf("by kind of content:\n");
        const std::size_t size = 2 * 1024 * 1024;
        ok = Compare("  text", LzhPack(SkinTestData::Text(size)), runs) && ok;
        TBytes pictures;
        while (pictures.size() < size) {
            const TBytes p = SkinTestData::Bitmap(160, 60);
            pictures.insert(pictures.end(), p.begin(), p.end());
        }
        ok = Compare("  bitmaps", LzhPack(pictures), runs) && ok;
        ok = Compare("  zeros", LzhPack(TBytes(size, 0)), runs) && ok;
        ok = Compare("  random bytes", LzhPack(SkinTestData::Random(size, 9)), runs) && ok;
    }

    double load = 1e30;
    for (int i = 0; i < runs * 4; ++i) {
        const double start = Now();
        TSkinReader reader;
        reader.Load(skin);
        load = std::min(load, Seconds(start));
    }
    std::printf("TSkinReader::Load of the stored skin: %.2f ms\n", load * 1000.0);

    // Loading the skin as the skin component does, without the pixels: unpack and index
    // the archive, read the INI text, parse every element record (picture sizes from the
    // BMP headers).
    double parse = 1e30;
    for (int i = 0; i < runs * 4; ++i) {
        const double start = Now();
        TSkinReader reader;
        reader.Load(skin);
        TSkinInfoElements elements;
        ParseSkinInfo(reader, elements);
        parse = std::min(parse, Seconds(start));
    }
    std::printf("stored skin unpacked, indexed and parsed (no pixels): %.2f ms\n", parse * 1000.0);
    return ok ? 0 : 1;
}
