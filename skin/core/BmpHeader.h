// Reading the header of a BMP member without decoding it: the skin tool and the tests use
// it to report picture sizes.
#pragma once

#include <cstddef>
#include <cstdint>

struct TBmpHeader {
    std::int32_t Width = 0;
    std::int32_t Height = 0;      // positive for both row orders
    std::uint16_t BitsPerPixel = 0;
    bool TopDown = false;
};

// False unless the bytes start with a BMP file header and a core, info or later info
// header of plausible size; no pixel data is checked.
bool ReadBmpHeader(const std::uint8_t* data, std::size_t size, TBmpHeader& header);
