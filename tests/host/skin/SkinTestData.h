// Generated inputs for the codec and archive tests, the fuzz seeds and the benchmark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SkinTestData {

std::vector<std::uint8_t> Text(std::size_t size);
std::vector<std::uint8_t> Random(std::size_t size, std::uint32_t seed);
// A 24-bit BMP file with gradients and flat areas, like a skin picture.
std::vector<std::uint8_t> Bitmap(int width, int height);
// Text, pictures, random and zero runs interleaved.
std::vector<std::uint8_t> Mixed(std::size_t size);

// An unpacked archive built field by field, for archives no writer would produce.
std::vector<std::uint8_t> RawArchive(std::int32_t version, const std::string& nameList,
                                     const std::vector<std::int32_t>& sizes, const std::vector<std::uint8_t>& data);

inline std::vector<std::uint8_t> Bytes(const std::string& s)
{
    return {s.begin(), s.end()};
}

}  // namespace SkinTestData
