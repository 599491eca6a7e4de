// A DVD time code (as graph events carry it) cut into its digits.
#pragma once

#include <cstdint>

struct TDVDTimeDigits {
    uint8_t Hours1, Hours10, Minutes1, Minutes10, Seconds1, Seconds10, Frames1, Frames10,
        FrameRateCode;
};

// The fields come from the most significant end: four bits per digit, two bits for the
// tens of frames, two bits of frame-rate code (1: 25 fps, 3: 30 fps).
constexpr TDVDTimeDigits UnpackDVDTimeCode(uint32_t code)
{
    return {uint8_t(code >> 28 & 0xF), uint8_t(code >> 24 & 0xF), uint8_t(code >> 20 & 0xF),
            uint8_t(code >> 16 & 0xF), uint8_t(code >> 12 & 0xF), uint8_t(code >> 8 & 0xF),
            uint8_t(code >> 4 & 0xF),  uint8_t(code >> 2 & 0x3),  uint8_t(code & 0x3)};
}
