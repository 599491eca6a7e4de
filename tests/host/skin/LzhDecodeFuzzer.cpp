// Arbitrary LZH streams: unpacking stays in bounds and agrees with the literal decoder.
#include "LiteralLzh.h"
#include "skin/core/Lzh.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> unpacked;
    if (!LzhUnpack(data, size, unpacked))
        return 0;

    std::vector<std::uint8_t> expected;
    std::size_t pos = 4;
    LiteralLzhDecode(
        LzhDeclaredLength(data, size),
        [&](const std::uint8_t* buffer, int count) {
            expected.insert(expected.end(), buffer, buffer + count);
            return count;
        },
        [&](std::uint8_t* buffer, int count) {
            const int n = pos < size ? 1 : 0;
            if (n > 0 && count > 0)
                *buffer = data[pos++];
            return n;
        });
    expected.resize(unpacked.size());
    if (expected != unpacked)
        std::abort();
    return 0;
}
