#include "SkinTestData.h"

#include <random>

namespace SkinTestData {

std::vector<std::uint8_t> Text(std::size_t size)
{
    static const char* const words[] = {"skin", "window", "[Personality]", "Button", "=", "frame", "\r\n",
                                        "the", "border", "TopHeight", "0", "224", " ", "menu", "colour"};
    std::mt19937 rng(7);
    std::vector<std::uint8_t> out;
    while (out.size() < size) {
        const std::string w = words[rng() % (sizeof words / sizeof *words)];
        out.insert(out.end(), w.begin(), w.end());
        out.push_back(' ');
    }
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> Random(std::size_t size, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> out(size);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(rng());
    return out;
}

std::vector<std::uint8_t> Bitmap(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> out(54 + imageSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    out[26] = 1;
    out[28] = 24;
    put32(34, imageSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &out[54 + static_cast<std::size_t>(y * stride + x * 3)];
            const bool border = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
            p[0] = border ? 0x40 : static_cast<std::uint8_t>(200 + y % 40);
            p[1] = border ? 0x40 : static_cast<std::uint8_t>(180 + x % 50);
            p[2] = border ? 0x50 : 0xF0;
        }
    return out;
}

std::vector<std::uint8_t> Mixed(std::size_t size)
{
    std::vector<std::uint8_t> out;
    std::uint32_t seed = 1;
    while (out.size() < size) {
        std::vector<std::uint8_t> part;
        switch (seed % 4) {
        case 0: part = Text(30000); break;
        case 1: part = Bitmap(100 + static_cast<int>(seed % 50), 40); break;
        case 2: part = Random(5000, seed); break;
        default: part.assign(7000, 0); break;
        }
        out.insert(out.end(), part.begin(), part.end());
        ++seed;
    }
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> RawArchive(std::int32_t version, const std::string& nameList,
                                     const std::vector<std::int32_t>& sizes, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> out;
    auto put = [&](std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    };
    put(version);
    put(static_cast<std::int32_t>(nameList.size()));
    put(0x12345678);
    put(-7);
    out.insert(out.end(), nameList.begin(), nameList.end());
    for (std::int32_t s : sizes)
        put(s);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace SkinTestData
