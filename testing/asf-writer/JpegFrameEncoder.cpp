#include "JpegFrameEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace kivora::asfwriter {
namespace {

// libjpeg's default error handler ends the process; ours jumps back to the caller.
struct TJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->back, 1);
}

// YUY2 (Y0 U Y1 V) to the Y Cb Cr triplets libjpeg takes.
void UnpackYuy2Row(const BYTE* source, int width, BYTE* row)
{
    for (int x = 0; x + 1 < width; x += 2, source += 4) {
        BYTE* pair = row + x * 3;
        pair[0] = source[0];
        pair[1] = source[1];
        pair[2] = source[3];
        pair[3] = source[2];
        pair[4] = source[1];
        pair[5] = source[3];
    }
}

// The compression itself, free of C++ objects with destructors (the error path jumps
// over this frame). rowBuffer holds one converted row for YUY2.
bool Compress(const TFrameLayout& layout, const BYTE* frame, int quality, BYTE* rowBuffer, unsigned char** out,
              unsigned long* outSize)
{
    jpeg_compress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpBack;
    if (setjmp(error.back)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    const int height = layout.height < 0 ? -layout.height : layout.height;
    info.image_width = static_cast<JDIMENSION>(layout.width);
    info.image_height = static_cast<JDIMENSION>(height);
    switch (layout.pixels) {
    case plRgb24: info.input_components = 3; info.in_color_space = JCS_EXT_BGR; break;
    case plRgb32: info.input_components = 4; info.in_color_space = JCS_EXT_BGRX; break;
    case plYuy2: info.input_components = 3; info.in_color_space = JCS_YCbCr; break;
    }
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    // RGB with a positive height is stored bottom-up; YUY2 is always top-down.
    const bool bottomUp = layout.pixels != plYuy2 && layout.height > 0;
    const size_t stride = layout.Stride();
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        const BYTE* source = frame + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
        JSAMPROW row;
        if (layout.pixels == plYuy2) {
            UnpackYuy2Row(source, layout.width, rowBuffer);
            row = rowBuffer;
        } else {
            row = const_cast<JSAMPROW>(source);
        }
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

size_t TFrameLayout::Stride() const
{
    const size_t bytesPerPixel = pixels == plRgb24 ? 3 : pixels == plRgb32 ? 4 : 2;
    return (static_cast<size_t>(width) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
}

size_t TFrameLayout::FrameBytes() const
{
    return Stride() * static_cast<size_t>(height < 0 ? -height : height);
}

bool EncodeJpeg(const TFrameLayout& layout, const BYTE* frame, size_t size, int quality, std::vector<uint8_t>& jpeg)
{
    if (!frame || layout.width <= 0 || layout.height == 0 || size < layout.FrameBytes())
        return false;
    std::vector<BYTE> rowBuffer(static_cast<size_t>(layout.width) * 3 + 6);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const bool done = Compress(layout, frame, quality, rowBuffer.data(), &out, &outSize);
    if (done && out)
        jpeg.assign(out, out + outSize);
    std::free(out);
    return done && !jpeg.empty();
}

} // namespace kivora::asfwriter
