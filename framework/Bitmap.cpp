#include "framework/Bitmap.h"
#include "framework/DeviceContext.h"
#include "framework/Exceptions.h"
#include "framework/Stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

const TClassInfo& TBitmap::StaticClass()
{
    static const TClassInfo info(L"TBitmap", &TGraphic::StaticClass(), {
        IntProp(L"Width", &TBitmap::Width, &TBitmap::SetWidth),
        IntProp(L"Height", &TBitmap::Height, &TBitmap::SetHeight),
        EnumProp(L"PixelFormat", &TBitmap::PixelFormat, &TBitmap::SetPixelFormat),
    });
    return info;
}

namespace {
constexpr int kMaxSide = 32768; // larger bitmaps are refused rather than allocated
}

TBitmap::TBitmap(int width, int height, TPixelFormat format)
{
    Allocate(width, height, format);
}

TBitmap::~TBitmap()
{
    if (FDC && FOldBitmap)
        SelectObject(FDC.get(), FOldBitmap);
}

BITMAPINFO TBitmap::Info() const
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = FWidth;
    info.bmiHeader.biHeight = -FHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(BitsPerPixel());
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Makes a new, white section of the given size; the old pixels are copied over where
// the two overlap.
void TBitmap::Allocate(int width, int height, TPixelFormat format)
{
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        throw EInvalidGraphic(L"Invalid bitmap size " + std::to_wstring(width) + L" x " + std::to_wstring(height));
    TGdiHandle<HBITMAP> old(FHandle.release());
    std::uint8_t* oldBits = FBits;
    int oldStride = BytesPerScanLine(), oldWidth = FWidth, oldHeight = FHeight, oldBpp = BitsPerPixel();
    if (FDC && FOldBitmap) {
        SelectObject(FDC.get(), FOldBitmap);
        FOldBitmap = nullptr;
    }
    FWidth = width;
    FHeight = height;
    FPixelFormat = format;
    FBits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info = Info();
        void* bits = nullptr;
        FHandle.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!FHandle)
            throw EInvalidGraphic(L"Out of memory for a bitmap of " + std::to_wstring(width) + L" x " + std::to_wstring(height));
        FBits = static_cast<std::uint8_t*>(bits);
        std::memset(FBits, 0xFF, static_cast<size_t>(BytesPerScanLine()) * height);
        if (oldBits) {
            GdiFlush();
            int rows = std::min(oldHeight, height), cols = std::min(oldWidth, width);
            int oldPixel = oldBpp / 8, newPixel = BitsPerPixel() / 8;
            for (int y = 0; y < rows; ++y)
                for (int x = 0; x < cols; ++x)
                    std::memcpy(FBits + y * BytesPerScanLine() + x * newPixel, oldBits + y * oldStride + x * oldPixel, 3);
        }
    }
    if (FDC && FHandle)
        FOldBitmap = SelectObject(FDC.get(), FHandle.get());
    Changed();
}

void TBitmap::SetSize(int width, int height)
{
    if (width != FWidth || height != FHeight)
        Allocate(width, height, FPixelFormat);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format != FPixelFormat)
        Allocate(FWidth, FHeight, format);
}

std::uint8_t* TBitmap::ScanLine(int row)
{
    return const_cast<std::uint8_t*>(static_cast<const TBitmap*>(this)->ScanLine(row));
}

const std::uint8_t* TBitmap::ScanLine(int row) const
{
    if (!FBits || row < 0 || row >= FHeight)
        throw EInvalidGraphic(L"Scan line index out of range");
    GdiFlush(); // drawing through the canvas is finished before the bytes are read
    return FBits + static_cast<size_t>(row) * BytesPerScanLine();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>();
    if (!FDC) {
        FDC.reset(CreateCompatibleDC(nullptr));
        if (FHandle)
            FOldBitmap = SelectObject(FDC.get(), FHandle.get());
    }
    FCanvas->SetHandle(FDC.get());
    return FCanvas.get();
}

void TBitmap::Assign(const TPersistent& source)
{
    if (auto* other = As<TBitmap>(&source)) {
        if (other == this)
            return;
        Allocate(0, 0, other->FPixelFormat);
        Allocate(other->FWidth, other->FHeight, other->FPixelFormat);
        if (FBits) {
            GdiFlush();
            std::memcpy(FBits, other->FBits, static_cast<size_t>(BytesPerScanLine()) * FHeight);
        }
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) const
{
    if (!FBits)
        return;
    GdiFlush();
    BITMAPINFO info = Info();
    int oldMode = SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
    StretchDIBits(canvas.Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, FWidth,
                  FHeight, FBits, &info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(canvas.Handle(), oldMode);
}

namespace {

template <class T> T ReadValue(const std::vector<std::uint8_t>& data, size_t offset)
{
    T value;
    std::memcpy(&value, data.data() + offset, sizeof value);
    return value;
}

[[noreturn]] void BadBitmap(const wchar_t* why)
{
    throw EInvalidGraphic(std::wstring(L"Bitmap image is not valid: ") + why);
}

} // namespace

void TBitmap::LoadFromStream(TStream& stream)
{
    std::vector<std::uint8_t> data = stream.ReadToEnd();
    if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        BadBitmap(L"too short");
    auto file = ReadValue<BITMAPFILEHEADER>(data, 0);
    if (file.bfType != 0x4D42)
        BadBitmap(L"no BM signature");
    auto header = ReadValue<BITMAPINFOHEADER>(data, sizeof file);
    size_t headerEnd = sizeof file + header.biSize;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || headerEnd > data.size())
        BadBitmap(L"bad header size");
    int width = header.biWidth;
    int height = header.biHeight == INT32_MIN ? 0 : std::abs(header.biHeight);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || header.biPlanes != 1)
        BadBitmap(L"bad dimensions");
    int bpp = header.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        BadBitmap(L"unsupported bit count");
    if (header.biCompression != BI_RGB && !(header.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        BadBitmap(L"compressed bitmaps are not supported");
    size_t masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    size_t colors = bpp <= 8 ? (header.biClrUsed ? header.biClrUsed : (1u << bpp)) : 0;
    if (colors > 256)
        BadBitmap(L"bad palette size");
    size_t infoSize = header.biSize + masks + colors * sizeof(RGBQUAD);
    if (sizeof file + infoSize > data.size())
        BadBitmap(L"palette past the end");
    size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    size_t bitsSize = stride * height;
    if (file.bfOffBits < sizeof file + infoSize || file.bfOffBits > data.size() || data.size() - file.bfOffBits < bitsSize)
        BadBitmap(L"pixel data past the end");

    // GDI converts any of these formats into the new section.
    std::vector<std::uint8_t> info(data.begin() + sizeof file, data.begin() + sizeof file + infoSize);
    Allocate(width, height, bpp == 32 ? pf32bit : pf24bit);
    TScreenDC screen;
    if (FDC && FOldBitmap) // SetDIBits needs the bitmap out of the canvas's device context
        SelectObject(FDC.get(), FOldBitmap);
    BOOL ok = SetDIBits(screen.Handle(), FHandle.get(), 0, static_cast<UINT>(height), data.data() + file.bfOffBits,
                   reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    if (FDC && FOldBitmap)
        SelectObject(FDC.get(), FHandle.get());
    if (!ok)
        BadBitmap(L"pixel data not readable");
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) const
{
    int stride = BytesPerScanLine();
    BITMAPINFOHEADER header = Info().bmiHeader;
    header.biHeight = FHeight; // stored bottom-up, as BMP files usually are
    header.biSizeImage = static_cast<DWORD>(stride) * FHeight;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(&header, sizeof header);
    for (int y = FHeight - 1; y >= 0; --y)
        stream.WriteBuffer(ScanLine(y), static_cast<size_t>(stride));
}
