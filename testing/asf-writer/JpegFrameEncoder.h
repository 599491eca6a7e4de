// One uncompressed video frame (RGB24, RGB32 or YUY2, as a DirectShow VIDEOINFOHEADER
// describes it) compressed to a JPEG image, as the writer stores video by default.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace kivora::asfwriter {

enum TPixelLayout { plRgb24, plRgb32, plYuy2 };

struct TFrameLayout {
    TPixelLayout pixels = plRgb24;
    int width = 0;
    int height = 0;         // as the bitmap header gives it: positive RGB is bottom-up
    // Bytes from one row to the next, and of a whole frame.
    size_t Stride() const;
    size_t FrameBytes() const;
};

// JPEG of the frame at the given quality (1-100); false when libjpeg fails or the frame
// is shorter than the layout says.
bool EncodeJpeg(const TFrameLayout& layout, const BYTE* frame, size_t size, int quality, std::vector<uint8_t>& jpeg);

} // namespace kivora::asfwriter
