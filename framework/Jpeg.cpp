#include "framework/Jpeg.h"
#include "framework/Exceptions.h"
#include "framework/Stream.h"
#include "framework/Text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back
// to the call that started the operation, which then cleans up and raises.
struct TJpegError {
    jpeg_error_mgr Manager;
    void* Jump[5];
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    __builtin_longjmp(error->Jump, 1);
}

void NoOutput(j_common_ptr) {}

// The plain C halves of compression and decompression: only trivially destructible
// objects live across the jump.
bool CompressRows(const std::uint8_t* bits, int width, int height, int stride, int bytesPerPixel, int quality,
                  unsigned char** out, unsigned long* outSize, TJpegError& error)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ErrorExit;
    error.Manager.output_message = NoOutput;
    if (__builtin_setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = bytesPerPixel;
    info.in_color_space = bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (quality >= 90) { // no chroma subsampling: close colours at high quality
        for (int c = 0; c < info.num_components; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(bits + static_cast<size_t>(info.next_scanline) * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

struct TDecodeTarget {
    TBitmap* Bitmap;
    bool SizeRefused;
};

void AllocateTarget(TDecodeTarget& target, int width, int height)
{
    try {
        target.Bitmap->SetPixelFormat(pf24bit);
        target.Bitmap->SetSize(width, height);
    } catch (...) {
        target.SizeRefused = true;
    }
}

bool DecodeRows(const std::uint8_t* data, size_t size, TDecodeTarget& target, TJpegError& error)
{
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ErrorExit;
    error.Manager.output_message = NoOutput;
    if (__builtin_setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    AllocateTarget(target, static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    if (target.SizeRefused) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = target.Bitmap->ScanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

const TClassInfo& TJPEGImage::StaticClass()
{
    static const TClassInfo info(L"TJPEGImage", &TGraphic::StaticClass(), {
        IntProp(L"CompressionQuality", &TJPEGImage::CompressionQuality, &TJPEGImage::SetCompressionQuality),
    });
    return info;
}

TJPEGImage::TJPEGImage() : FBitmap(std::make_unique<TBitmap>()) {}
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::SetCompressionQuality(int quality)
{
    quality = std::clamp(quality, 1, 100);
    if (quality != FQuality) {
        FQuality = quality;
        FData.clear();
    }
}

void TJPEGImage::Assign(const TPersistent& source)
{
    if (auto* bitmap = As<TBitmap>(&source)) {
        FBitmap->Assign(*bitmap);
        FData.clear();
        Changed();
        return;
    }
    if (auto* jpeg = As<TJPEGImage>(&source)) {
        FBitmap->Assign(*jpeg->FBitmap);
        FData = jpeg->FData;
        FQuality = jpeg->FQuality;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent& dest) const
{
    if (auto* bitmap = As<TBitmap>(&dest)) {
        bitmap->Assign(*FBitmap);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& rect) const
{
    FBitmap->Draw(canvas, rect);
}

void TJPEGImage::LoadFromStream(TStream& stream)
{
    std::vector<std::uint8_t> data = stream.ReadToEnd();
    auto decoded = std::make_unique<TBitmap>();
    TDecodeTarget target{decoded.get(), false};
    TJpegError error{};
    if (data.empty() || !DecodeRows(data.data(), data.size(), target, error))
        throw EInvalidGraphic(L"JPEG error: " + (target.SizeRefused ? std::wstring(L"picture too large")
                                                  : data.empty()      ? std::wstring(L"no data")
                                                                      : AnsiToWide(error.Message)));
    FBitmap = std::move(decoded);
    FData = std::move(data);
    Changed();
}

std::vector<std::uint8_t> TJPEGImage::Compress() const
{
    if (FBitmap->Empty())
        throw EInvalidGraphic(L"Cannot save an empty JPEG picture");
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    TJpegError error{};
    bool ok = CompressRows(FBitmap->ScanLine(0), FBitmap->Width(), FBitmap->Height(), FBitmap->BytesPerScanLine(),
                           FBitmap->BitsPerPixel() / 8, FQuality, &out, &outSize, error);
    std::vector<std::uint8_t> result;
    if (ok && out)
        result.assign(out, out + outSize);
    std::free(out);
    if (!ok)
        throw EInvalidGraphic(L"JPEG error: " + AnsiToWide(error.Message));
    return result;
}

void TJPEGImage::SaveToStream(TStream& stream) const
{
    if (!FData.empty()) {
        stream.WriteBytes(FData);
        return;
    }
    stream.WriteBytes(Compress());
}

void TJPEGImage::SaveToFile(const std::wstring& fileName) const
{
    // Compressed before the file is touched: a picture that cannot be encoded leaves
    // the folder as it was.
    std::vector<std::uint8_t> bytes = FData.empty() ? Compress() : FData;
    SaveFileReplacing(fileName, [&](TStream& stream) { stream.WriteBytes(bytes); });
}
