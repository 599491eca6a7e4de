#include "skin/core/BmpHeader.h"

namespace {

std::uint32_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
}

std::uint32_t U32(const std::uint8_t* p)
{
    return U16(p) | (U16(p + 2) << 16);
}

}  // namespace

bool ReadBmpHeader(const std::uint8_t* data, std::size_t size, TBmpHeader& header)
{
    header = {};
    constexpr std::size_t kFileHeader = 14;
    if (size < kFileHeader + 12 || data[0] != 'B' || data[1] != 'M')
        return false;
    const std::uint8_t* info = data + kFileHeader;
    const std::uint32_t infoSize = U32(info);
    if (infoSize == 12) {  // BITMAPCOREHEADER: 16-bit sizes
        header.Width = static_cast<std::int32_t>(U16(info + 4));
        header.Height = static_cast<std::int32_t>(U16(info + 6));
        header.BitsPerPixel = static_cast<std::uint16_t>(U16(info + 10));
    } else {
        if (infoSize < 40 || infoSize > 1024 || size < kFileHeader + 40)
            return false;
        header.Width = static_cast<std::int32_t>(U32(info + 4));
        const std::int32_t height = static_cast<std::int32_t>(U32(info + 8));
        header.BitsPerPixel = static_cast<std::uint16_t>(U16(info + 14));
        if (height == INT32_MIN)
            return false;
        header.TopDown = height < 0;
        header.Height = height < 0 ? -height : height;
    }
    switch (header.BitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    return header.Width > 0 && header.Height > 0;
}
